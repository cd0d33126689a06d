// Where the program lives and the current directory, from the real Windows functions.
#include "Win32Services.h"

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

}  // namespace

Win32Services::Win32Services(std::string programFolder, std::string programBaseName)
    : programFolderOverride_(std::move(programFolder)),
      programBaseNameOverride_(std::move(programBaseName)) {}

std::string Win32Services::programFolder() {
  if (programFolderOverride_) return *programFolderOverride_;
  std::string path = ExecutablePath();
  std::size_t separator = LastSeparator(path);
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string Win32Services::programBaseName() {
  if (programBaseNameOverride_) return *programBaseNameOverride_;
  std::string path = ExecutablePath();
  std::size_t separator = LastSeparator(path);
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void Win32Services::setCurrentDirectory(const std::string& folder) {
  SetCurrentDirectoryA(folder.c_str());
}

std::string Win32Services::currentDirectory() {
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
