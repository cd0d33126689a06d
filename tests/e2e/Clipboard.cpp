// Reading the clipboard: opened for a moment, asked, closed again, as a pasting program does.
#include "Clipboard.h"

#include <windows.h>

#include "Check.h"
#include "Wait.h"

namespace e2e {

namespace {

// The program may hold the clipboard open for a moment while it copies.
void OpenTheClipboard() {
  Require(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }),
          "the clipboard stays open by another program");
}

template <typename Character>
std::optional<std::basic_string<Character>> Read(UINT format) {
  OpenTheClipboard();
  std::optional<std::basic_string<Character>> text;
  if (HANDLE data = GetClipboardData(format)) {
    if (const auto* characters = static_cast<const Character*>(GlobalLock(data))) {
      text = characters;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

std::optional<std::string> ClipboardText() {
  return Read<char>(CF_TEXT);
}

std::optional<std::wstring> ClipboardWideText() {
  return Read<wchar_t>(CF_UNICODETEXT);
}

void EmptyTheClipboard() {
  OpenTheClipboard();
  EmptyClipboard();
  CloseClipboard();
  Require(!ClipboardText(), "the clipboard still holds text after it was emptied");
}

}  // namespace e2e
