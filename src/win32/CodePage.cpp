// Conversions between the system's 8-bit code page and wide text, and the short-name way out.
#include "CodePage.h"

#include <windows.h>

#include <cwchar>

namespace loadergui::win32 {

namespace {

// The short name of a path that exists, or nothing.
std::optional<WideText> ShortName(const wchar_t* path) {
  DWORD needed = GetShortPathNameW(path, nullptr, 0);
  if (needed == 0) return std::nullopt;
  WideText buffer(needed, L'\0');
  DWORD length = GetShortPathNameW(path, buffer.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  return buffer;
}

}  // namespace

WideText Widen(const std::string& text) {
  int size = static_cast<int>(text.size());
  int length = size ? MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0) : 0;
  WideText wide(static_cast<std::size_t>(length) + 1, L'\0');
  if (length) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

// No best-fit characters: "ō" must not quietly become "o" and name another file. A system whose
// 8-bit code page is UTF-8 can write every character, and takes neither the flag nor the
// question whether one was replaced.
std::optional<std::string> Narrow(const wchar_t* text) {
  int size = static_cast<int>(std::wcslen(text));
  if (size == 0) return std::string();
  bool utf8 = GetACP() == CP_UTF8;
  DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL replaced = FALSE;
  BOOL* askReplaced = utf8 ? nullptr : &replaced;
  int length = WideCharToMultiByte(CP_ACP, flags, text, size, nullptr, 0, nullptr, askReplaced);
  if (length == 0 || replaced) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, flags, text, size, narrow.data(), length, nullptr, askReplaced);
  if (replaced) return std::nullopt;
  return narrow;
}

std::optional<std::string> PassablePath(const wchar_t* path) {
  if (auto narrow = Narrow(path)) return narrow;
  if (auto shortName = ShortName(path)) {
    if (auto narrow = Narrow(shortName->data())) return narrow;
  }
  const wchar_t* lastSeparator = nullptr;
  for (const wchar_t* at = path; *at; ++at) {
    if (*at == L'\\' || *at == L'/') lastSeparator = at;
  }
  if (!lastSeparator) return std::nullopt;
  auto name = Narrow(lastSeparator + 1);
  WideText folderPath(path, lastSeparator + 1);
  folderPath.push_back(L'\0');
  auto folder = ShortName(folderPath.data());
  if (!name || !folder) return std::nullopt;
  auto narrowFolder = Narrow(folder->data());
  if (!narrowFolder) return std::nullopt;
  if (!narrowFolder->empty() && narrowFolder->back() != '\\' && narrowFolder->back() != '/') {
    narrowFolder->push_back('\\');
  }
  return *narrowFolder + *name;
}

// The system keeps them as up to six ranges, ended by a range of zeros.
platform::LeadBytes LeadBytesOf(unsigned codePage) {
  platform::LeadBytes lead;
  CPINFO info{};
  if (!GetCPInfo(codePage, &info)) return lead;
  for (int range = 0; range + 1 < MAX_LEADBYTES && info.LeadByte[range]; range += 2) {
    for (unsigned byte = info.LeadByte[range]; byte <= info.LeadByte[range + 1]; ++byte) {
      lead.set(byte);
    }
  }
  return lead;
}

}  // namespace loadergui::win32
