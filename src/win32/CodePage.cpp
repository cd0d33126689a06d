// Conversions between the system's 8-bit code page and wide text, and the short-name way out.
#include "CodePage.h"

#include <windows.h>

#include <vector>

namespace loadergui::win32 {

namespace {

// The short name of a path that exists, or nothing.
std::optional<std::wstring> ShortName(const std::wstring& path) {
  DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::vector<wchar_t> buffer(needed);
  DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  return std::wstring(buffer.data(), length);
}

}  // namespace

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// No best-fit characters: "ō" must not quietly become "o" and name another file. A system whose
// 8-bit code page is UTF-8 can write every character, and takes neither the flag nor the
// question whether one was replaced.
std::optional<std::string> Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  bool utf8 = GetACP() == CP_UTF8;
  DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL replaced = FALSE;
  BOOL* askReplaced = utf8 ? nullptr : &replaced;
  int size = static_cast<int>(text.size());
  int length =
      WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, askReplaced);
  if (length == 0 || replaced) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), size, narrow.data(), length, nullptr,
                      askReplaced);
  if (replaced) return std::nullopt;
  return narrow;
}

std::optional<std::string> PassablePath(const std::wstring& path) {
  if (auto narrow = Narrow(path)) return narrow;
  if (auto shortName = ShortName(path)) {
    if (auto narrow = Narrow(*shortName)) return narrow;
  }
  std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return std::nullopt;
  auto name = Narrow(path.substr(separator + 1));
  auto folder = ShortName(path.substr(0, separator + 1));
  if (!name || !folder) return std::nullopt;
  auto narrowFolder = Narrow(*folder);
  if (!narrowFolder) return std::nullopt;
  if (!narrowFolder->empty() && narrowFolder->back() != '\\' && narrowFolder->back() != '/') {
    narrowFolder->push_back('\\');
  }
  return *narrowFolder + *name;
}

}  // namespace loadergui::win32
