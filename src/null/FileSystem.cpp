// Stand-in file search and folders over a real folder, with the directory search's wildcards.
#include "FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/Wildcards.h"

namespace loadergui::null {

namespace fs = std::filesystem;
using platform::MatchesWildcards;

NullFileSystem::NullFileSystem(std::string programFolder, std::string programBaseName)
    : programFolder_(std::move(programFolder)),
      programBaseName_(std::move(programBaseName)),
      currentDirectory_(programFolder_) {}

// Backslashes become slashes; a relative path hangs below the current directory.
std::string NullFileSystem::diskPath(const std::string& windowsPath) const {
  std::string path = windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (!path.empty() && path[0] == '/') return path;
  std::string base = currentDirectory_;
  std::replace(base.begin(), base.end(), '\\', '/');
  return base + "/" + path;
}

// Wildcards are allowed in the last part of the pattern, as in a directory search.
bool NullFileSystem::findFile(const std::string& pattern, platform::SearchFor what) {
  if (pattern.empty()) return false;
  fs::path path(diskPath(pattern));
  fs::path folder = path.parent_path();
  std::string name = path.filename().string();
  std::error_code error;
  if (name.empty() || !fs::is_directory(folder, error)) return false;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::string entryName = entry.path().filename().string();
    if (!MatchesWildcards(name.c_str(), entryName.c_str())) continue;
    if (hidden_.count(entry.path().string())) continue;
    if (entry.is_directory() && what == platform::SearchFor::OrdinaryFiles) continue;
    return true;
  }
  return false;
}

bool NullFileSystem::isFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(diskPath(path), error);
}

}  // namespace loadergui::null
