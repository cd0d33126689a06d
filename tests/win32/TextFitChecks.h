// Checks that a label's or check box's text fits on one line in the font the control draws with.
#pragma once

#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "WindowsTestSupport.h"
#include "ui/Control.h"
#include "win32/MessageFont.h"

namespace loadergui::win32::formtest {

// Width of a caption in one line, as DrawText lays it out (mnemonic ampersands and all).
inline int CaptionWidth(HWND control, HFONT font, const std::string& caption) {
  HDC context = GetDC(control);
  HGDIOBJ previous = SelectObject(context, font);
  RECT bounds{0, 0, 0, 0};
  DrawTextA(context, caption.c_str(), static_cast<int>(caption.size()), &bounds,
            DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  SelectObject(context, previous);
  ReleaseDC(control, context);
  return bounds.right - bounds.left;
}

// Width of a '0' in a font: a check box leaves half of it between its box and its text.
inline int ZeroWidth(HWND control, HFONT font) {
  return CaptionWidth(control, font, "0");
}

// The width a control lets its text have in a font: all of a label's client area; for a check
// box, what lies to the right of its box (as wide as a menu check mark at the DPI, at least 12
// pixels at 96 DPI plus one) and of the gap after it.
inline int TextAreaWidth(HWND control, ui::ControlKind kind, HFONT font, int dpi) {
  RECT client;
  GetClientRect(control, &client);
  if (kind != ui::ControlKind::CheckBox) return client.right;
  using ForDpi = int(WINAPI*)(int, UINT);
  auto forDpi = FindUser32Function<ForDpi>("GetSystemMetricsForDpi");
  int box = forDpi ? forDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi))
                   : MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, SystemDpi());
  box = std::max(box, MulDiv(12, dpi, 96) + 1);
  return client.right - box - ZeroWidth(control, font) / 2;
}

// A font of the form font's description at another height, deleted with the object.
class HeightFont {
 public:
  HeightFont(LOGFONTW description, LONG height) {
    description.lfHeight = height;
    description.lfWidth = 0;
    font_ = CreateFontIndirectW(&description);
  }
  ~HeightFont() { DeleteObject(font_); }
  HeightFont(const HeightFont&) = delete;
  HeightFont& operator=(const HeightFont&) = delete;
  HFONT get() const { return font_; }

 private:
  HFONT font_;
};

// The font a control draws its text with, as a handle.
inline HFONT FontHandleOf(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

inline bool FitsIn(HWND control, ui::ControlKind kind, HFONT font, int dpi) {
  return CaptionWidth(control, font, WindowText(control)) <=
         TextAreaWidth(control, kind, font, dpi);
}

// The smallest height a fitted font may have: three quarters of the form font's, rounded up.
inline LONG SmallestFittedHeight(LONG formHeight) {
  return (std::labs(formHeight) * 3 + 3) / 4;
}

// A label or check box at the DPI, whose text fits on one line: a text that fits in the form's
// message font is drawn in it; one that does not is drawn in the same face at the largest
// height where it fits, but no lower than three quarters of the form font's height.
inline void ExpectTextFits(HWND control, ui::ControlKind kind, int dpi) {
  std::string caption = WindowText(control);
  SCOPED_TRACE("\"" + caption + "\" at " + std::to_string(dpi) + " DPI");
  LOGFONTW formDescription = MessageFontAt(dpi);
  LONG formHeight = formDescription.lfHeight;
  HeightFont formFont(formDescription, formHeight);
  HFONT ownHandle = FontHandleOf(control);
  ASSERT_NE(ownHandle, nullptr);
  LOGFONTW own = FontOf(control);
  EXPECT_EQ(FaceOf(own), FaceOf(formDescription));
  EXPECT_EQ(own.lfWeight, formDescription.lfWeight);
  if (FitsIn(control, kind, formFont.get(), dpi)) {
    EXPECT_EQ(own.lfHeight, formHeight) << "a text that fits keeps the form's font";
    return;
  }
  LONG sign = formHeight < 0 ? -1 : 1;
  EXPECT_GT(own.lfHeight * sign, 0) << "the height keeps the form font's sign";
  EXPECT_LT(std::labs(own.lfHeight), std::labs(formHeight));
  EXPECT_GE(std::labs(own.lfHeight), SmallestFittedHeight(formHeight));
  EXPECT_TRUE(FitsIn(control, kind, ownHandle, dpi))
      << CaptionWidth(control, ownHandle, caption) << " pixels in "
      << TextAreaWidth(control, kind, ownHandle, dpi) << " at height " << own.lfHeight;
  // Not shrunk further than it needs: one pixel higher, the text would no longer fit.
  if (std::labs(own.lfHeight) + 1 < std::labs(formHeight)) {
    HeightFont larger(formDescription, own.lfHeight + sign);
    EXPECT_FALSE(FitsIn(control, kind, larger.get(), dpi)) << "shrunk more than needed";
  }
}

}  // namespace loadergui::win32::formtest
