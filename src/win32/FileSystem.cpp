// Where the program lives, the current directory, and whether an entry matching a pattern
// exists, with the program's attribute filter: the real Windows functions.
#include "FileSystem.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace loadergui::win32 {

namespace {

// Full path of the running executable, however long it is.
std::string ExecutablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::size_t LastSeparator(const std::string& path) {
  return path.find_last_of("\\/");
}

// Hidden and system entries never count, read-only ones always do; folders only when asked for.
bool Counts(const WIN32_FIND_DATAA& entry, platform::SearchFor what) {
  DWORD excluded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (what == platform::SearchFor::OrdinaryFiles) excluded |= FILE_ATTRIBUTE_DIRECTORY;
  return (entry.dwFileAttributes & excluded) == 0;
}

}  // namespace

Win32FileSystem::Win32FileSystem(std::string programFolder, std::string programBaseName)
    : programFolderOverride_(std::move(programFolder)),
      programBaseNameOverride_(std::move(programBaseName)) {}

bool Win32FileSystem::findFile(const std::string& pattern, platform::SearchFor what) {
  if (pattern.empty()) return false;
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool found = Counts(entry, what);
  while (!found && FindNextFileA(search, &entry)) found = Counts(entry, what);
  FindClose(search);
  return found;
}

bool Win32FileSystem::isFolder(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32FileSystem::programFolder() {
  if (programFolderOverride_) return *programFolderOverride_;
  std::string path = ExecutablePath();
  std::size_t separator = LastSeparator(path);
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string Win32FileSystem::programBaseName() {
  if (programBaseNameOverride_) return *programBaseNameOverride_;
  std::string path = ExecutablePath();
  std::size_t separator = LastSeparator(path);
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void Win32FileSystem::setCurrentDirectory(const std::string& folder) {
  SetCurrentDirectoryA(folder.c_str());
}

std::string Win32FileSystem::currentDirectory() {
  // The directory can change between the two calls, so ask again until it fits.
  for (;;) {
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::vector<char> buffer(needed);
    DWORD length = GetCurrentDirectoryA(needed, buffer.data());
    if (length == 0) return {};
    if (length < needed) return std::string(buffer.data(), length);
  }
}

}  // namespace loadergui::win32
