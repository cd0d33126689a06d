// The program's 8-bit texts and the system's wide ones: what a chosen path becomes for the
// loaders, which take their command lines in the system's 8-bit code page.
#pragma once

#include <optional>
#include <string>

namespace loadergui::win32 {

// The text in the system's 8-bit code page turned wide, embedded NULs and all.
std::wstring Widen(const std::string& text);

// The text in the system's 8-bit code page, when every character has a form there; nothing
// when one would be replaced (by "?" or a look-alike).
std::optional<std::string> Narrow(const std::wstring& text);

// A path the program can hand to a loader: the path itself in the 8-bit code page, else its
// short (8.3) name, which the volume may keep for just this purpose; for a file that does not
// exist yet (a save dialog's answer), the short name of its folder with the file's own name.
// Nothing when none of these can be written in the code page.
std::optional<std::string> PassablePath(const std::wstring& path);

}  // namespace loadergui::win32
