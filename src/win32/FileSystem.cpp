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

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// "E:" alone: the drive letter and its colon, naming no folder of the drive.
bool IsBareDrive(const std::string& path) {
  return path.size() == 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// What is left of a path once its trailing separators are taken off names a root: a bare drive
// ("E:") or a network share ("\\server\share").
bool NamesRoot(const std::string& withoutSeparators) {
  if (IsBareDrive(withoutSeparators)) return true;
  if (withoutSeparators.size() < 3 || !IsSeparator(withoutSeparators[0]) ||
      !IsSeparator(withoutSeparators[1])) {
    return false;
  }
  std::size_t serverEnd = withoutSeparators.find_first_of("\\/", 2);
  return serverEnd != std::string::npos && serverEnd > 2 &&
         withoutSeparators.find_first_of("\\/", serverEnd + 1) == std::string::npos &&
         serverEnd + 1 < withoutSeparators.size();
}

// Hidden and system entries never count, read-only ones always do; folders only when asked for,
// and nothing but folders when the pattern ends in a separator.
bool Counts(const WIN32_FIND_DATAA& entry, platform::SearchFor what, bool foldersOnly) {
  DWORD excluded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (what == platform::SearchFor::OrdinaryFiles) excluded |= FILE_ATTRIBUTE_DIRECTORY;
  if ((entry.dwFileAttributes & excluded) != 0) return false;
  return !foldersOnly || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

Win32FileSystem::Win32FileSystem(std::string programFolder, std::string programBaseName)
    : programFolderOverride_(std::move(programFolder)),
      programBaseNameOverride_(std::move(programBaseName)) {}

// The search finds entries of a folder, so a root, which is no folder's entry, is never found,
// nor is a folder named with a separator at its end ("E:\", "C:\games\"), as the folder browser
// and typing both give them. Such a pattern is searched without its separators and then counts
// only folders; a root that exists counts as a folder whatever its attributes (Windows marks
// C:\ hidden and system).
bool Win32FileSystem::findFile(const std::string& pattern, platform::SearchFor what) {
  std::string searched = pattern;
  while (!searched.empty() && IsSeparator(searched.back())) searched.pop_back();
  bool foldersOnly = searched.size() != pattern.size();
  if (foldersOnly && NamesRoot(searched)) {
    DWORD attributes = GetFileAttributesA((searched + "\\").c_str());
    return what == platform::SearchFor::FilesAndFolders && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  if (searched.empty()) return false;
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA(searched.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool found = Counts(entry, what, foldersOnly);
  while (!found && FindNextFileA(search, &entry)) found = Counts(entry, what, foldersOnly);
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

// "E:" alone names whichever folder of drive E: was current last, not the drive's root. The
// program's folder on a drive root comes without its separator (so that "\tools\settings.ini"
// can follow it) and must become current as the root itself.
void Win32FileSystem::setCurrentDirectory(const std::string& folder) {
  SetCurrentDirectoryA((IsBareDrive(folder) ? folder + "\\" : folder).c_str());
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
