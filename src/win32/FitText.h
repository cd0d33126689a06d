// Fits a label's or check box's text on one line by choosing a smaller font of the form's face.
#pragma once

#include <windows.h>

#include <string>

namespace loadergui::win32 {

// Where a control draws its text: across its whole client area (a label), or to the right of
// the box and the gap that follows it (a check box).
enum class TextRoom { WholeWidth, BesideCheckBox };

// A text is never shrunk below this share of the form font's height, in percent; a text that
// still does not fit is cut, with an ellipsis where the control can show one.
constexpr int kSmallestFittedPercent = 75;

// The text as the control shows it: a single '&' only underlines the letter after it, and
// "&&" shows one ampersand.
std::string ShownText(const std::string& caption);

// How wide the shown text is in the font, and how wide the control lets it be.
struct TextFit {
  int needed;
  int available;
  bool fits() const { return needed <= available; }
};

TextFit MeasureText(HWND control, TextRoom room, const std::string& caption, HFONT font, int dpi);

// The height, as a LOGFONT lfHeight of the form font's sign, of the largest smaller font in
// which the caption fits, or the smallest allowed height when none fits; 0 when the form font
// itself fits.
LONG FittedFontHeight(HWND control, TextRoom room, const std::string& caption, HFONT formFont,
                      int dpi);

// The form font at another height; the caller deletes it with DeleteObject.
HFONT CreateFontOfHeight(HFONT formFont, LONG height);

}  // namespace loadergui::win32
