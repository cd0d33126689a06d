// The program's 8-bit texts and the system's wide ones: what a chosen path becomes for the
// loaders, which take their command lines in the system's 8-bit code page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Command.h"

namespace loadergui::win32 {

// Wide text ends in a NUL of its own, after any NULs it holds. It is kept in a vector rather
// than a std::wstring, whose library code would add some 40 KB to the program.
using WideText = std::vector<wchar_t>;

// The text in the system's 8-bit code page turned wide, embedded NULs and all.
WideText Widen(const std::string& text);

// The text (up to its first NUL) in the system's 8-bit code page, when every character has a
// form there; nothing when one would be replaced (by "?" or a look-alike).
std::optional<std::string> Narrow(const wchar_t* text);

// A path the program can hand to a loader: the path itself in the 8-bit code page, else its
// short (8.3) name, which the volume may keep for just this purpose; for a file that does not
// exist yet (a save dialog's answer), the short name of its folder with the file's own name.
// Nothing when none of these can be written in the code page.
std::optional<std::string> PassablePath(const wchar_t* path);

// The lead bytes of a code page (CP_ACP: the system's 8-bit one); none when the system does not
// know the code page.
platform::LeadBytes LeadBytesOf(unsigned codePage);

}  // namespace loadergui::win32
