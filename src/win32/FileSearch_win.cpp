// Whether a directory entry matching a pattern exists, with the program's attribute filter, and
// whether a path names a folder.
#include <windows.h>

#include "Win32Services.h"

namespace loadergui::win32 {

namespace {

// Hidden and system entries never count, read-only ones always do; folders only when asked for.
bool Counts(const WIN32_FIND_DATAA& entry, platform::SearchFor what) {
  DWORD excluded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (what == platform::SearchFor::OrdinaryFiles) excluded |= FILE_ATTRIBUTE_DIRECTORY;
  return (entry.dwFileAttributes & excluded) == 0;
}

}  // namespace

bool Win32Services::findFile(const std::string& pattern, platform::SearchFor what) {
  if (pattern.empty()) return false;
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool found = Counts(entry, what);
  while (!found && FindNextFileA(search, &entry)) found = Counts(entry, what);
  FindClose(search);
  return found;
}

bool Win32Services::isFolder(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace loadergui::win32
