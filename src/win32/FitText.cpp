// Text measurement and the search for the largest font height at which a caption fits.
#include "FitText.h"

#include <cstdlib>
#include <map>
#include <string>

#include "Dpi.h"

namespace loadergui::win32 {

namespace {

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

// The width of a check box's box at a DPI. Windows draws it as wide as a menu check mark; Wine
// draws it 12 pixels wide at 96 DPI, plus one; whichever is wider is allowed for.
int CheckBoxGlyphWidth(int dpi) {
  static const auto forDpi =
      FindUser32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  int menuCheck = forDpi ? forDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi))
                         : RescalePixels(GetSystemMetrics(SM_CXMENUCHECK), SystemDpi(), dpi);
  int wineBox = MulDiv(12, dpi, 96) + 1;
  return menuCheck > wineBox ? menuCheck : wineBox;
}

// Both Windows and Wine leave half the width of a '0' between the box and the text.
int CheckBoxGap(HDC context) {
  SIZE zero{};
  GetTextExtentPoint32A(context, "0", 1, &zero);
  return zero.cx / 2;
}

LOGFONTW DescriptionOf(HFONT font) {
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return description;
}

// Measuring needs no window: one memory device context serves every measurement, which spares
// a device context for each control and step (each a round trip to the server under Wine).
HDC MeasuringContext() {
  static const HDC context = CreateCompatibleDC(nullptr);
  return context;
}

// The fonts the height search measures with, kept for the program's life by their description:
// the same few heights come up for every control of a form, and again after each change of text.
class MeasuringFonts {
 public:
  ~MeasuringFonts() {
    for (auto& entry : fonts_) DeleteObject(entry.second);
  }
  HFONT at(HFONT formFont, LONG height) {
    LOGFONTW description = DescriptionOf(formFont);
    description.lfHeight = height;
    description.lfWidth = 0;
    std::string key(reinterpret_cast<const char*>(&description), sizeof description);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    HFONT font = CreateFontIndirectW(&description);
    if (font) fonts_.emplace(std::move(key), font);
    return font;
  }

 private:
  std::map<std::string, HFONT> fonts_;
};

TextFit MeasureAtHeight(HWND control, TextRoom room, const std::string& caption, HFONT formFont,
                        LONG height, int dpi) {
  static MeasuringFonts fonts;
  return MeasureText(control, room, caption, fonts.at(formFont, height), dpi);
}

}  // namespace

std::string ShownText(const std::string& caption) {
  std::string shown;
  for (std::size_t at = 0; at < caption.size(); ++at) {
    if (caption[at] == '&' && at + 1 < caption.size()) ++at;
    shown += caption[at];
  }
  return shown;
}

TextFit MeasureText(HWND control, TextRoom room, const std::string& caption, HFONT font, int dpi) {
  HDC context = MeasuringContext();
  HGDIOBJ previous = SelectObject(context, font);
  std::string shown = ShownText(caption);
  SIZE extent{};
  GetTextExtentPoint32A(context, shown.c_str(), static_cast<int>(shown.size()), &extent);
  RECT client{};
  GetClientRect(control, &client);
  int available = client.right - client.left;
  if (room == TextRoom::BesideCheckBox) available -= CheckBoxGlyphWidth(dpi) + CheckBoxGap(context);
  SelectObject(context, previous);
  return {extent.cx, available};
}

// The first guess shrinks the height by the share the text is too wide; hinting makes widths
// only roughly proportional to heights, so the guess is then corrected one pixel at a time:
// up while the next larger height still fits, down until one fits or the floor is reached.
LONG FittedFontHeight(HWND control, TextRoom room, const std::string& caption, HFONT formFont,
                      int dpi) {
  TextFit atFormSize = MeasureText(control, room, caption, formFont, dpi);
  LONG formHeight = DescriptionOf(formFont).lfHeight;
  if (atFormSize.fits() || formHeight == 0) return 0;
  LONG sign = formHeight < 0 ? -1 : 1;
  LONG largest = std::labs(formHeight) - 1;
  LONG smallest = (std::labs(formHeight) * kSmallestFittedPercent + 99) / 100;
  if (smallest > largest) return 0;
  LONG guess = atFormSize.available > 0
                   ? std::labs(formHeight) * atFormSize.available / atFormSize.needed
                   : smallest;
  if (guess < smallest) guess = smallest;
  if (guess > largest) guess = largest;
  auto fitsAt = [&](LONG height) {
    return MeasureAtHeight(control, room, caption, formFont, sign * height, dpi).fits();
  };
  if (fitsAt(guess)) {
    while (guess < largest && fitsAt(guess + 1)) ++guess;
  } else {
    while (guess > smallest) {
      --guess;
      if (fitsAt(guess)) break;
    }
  }
  return sign * guess;
}

HFONT CreateFontOfHeight(HFONT formFont, LONG height) {
  LOGFONTW description = DescriptionOf(formFont);
  description.lfHeight = height;
  // The width follows the height, as in the form font.
  description.lfWidth = 0;
  return CreateFontIndirectW(&description);
}

}  // namespace loadergui::win32
