// The clipboard as another program on the desktop reads it.
#pragma once

#include <optional>
#include <string>

namespace e2e {

// The clipboard's 8-bit text (CF_TEXT) and wide text (CF_UNICODETEXT); nothing when it holds
// none of that form.
std::optional<std::string> ClipboardText();
std::optional<std::wstring> ClipboardWideText();
// Empties the clipboard, so that what a copy puts there shows.
void EmptyTheClipboard();

}  // namespace e2e
