// The system's message font at a window's DPI: the font of every control of a form.
#pragma once

#include <windows.h>

namespace loadergui::win32 {

// The message font as the user set it, for the given DPI.
LOGFONTW MessageFontAt(int dpi);

// A new font of that description; the caller deletes it with DeleteObject.
HFONT CreateMessageFont(int dpi);

}  // namespace loadergui::win32
