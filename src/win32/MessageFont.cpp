// The message font from the system metrics, asked for at a DPI or scaled to it.
#include "MessageFont.h"

#include <cstddef>

#include "Dpi.h"

namespace loadergui::win32 {

namespace {

using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// Systems before Vista refuse the record with its last field, iPaddedBorderWidth; every system
// accepts it without, and the message font comes before it.
constexpr UINT kPortableMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

}  // namespace

LOGFONTW MessageFontAt(int dpi) {
  static const auto forDpi =
      FindUser32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  if (forDpi) {
    metrics.cbSize = sizeof metrics;
    if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
      return metrics.lfMessageFont;
    }
  }
  // The older call measures the font at the system DPI; a window at another DPI scales it.
  metrics.cbSize = kPortableMetricsSize;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kPortableMetricsSize, &metrics, 0)) {
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = RescalePixels(font.lfHeight, SystemDpi(), dpi);
    return font;
  }
  LOGFONTW fallback{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
  fallback.lfHeight = RescalePixels(fallback.lfHeight, SystemDpi(), dpi);
  return fallback;
}

HFONT CreateMessageFont(int dpi) {
  LOGFONTW font = MessageFontAt(dpi);
  return CreateFontIndirectW(&font);
}

}  // namespace loadergui::win32
