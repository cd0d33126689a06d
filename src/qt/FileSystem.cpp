// File search with the program's rules, on a file system where names are case-sensitive: a
// name found as it is, or a last part with the wildcards * and ?; ordinary files, and folders
// when asked for.
#include "FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/Wildcards.h"

namespace loadergui::qt {

namespace fs = std::filesystem;
using platform::MatchesWildcards;

namespace {

// Devices, pipes and sockets are no ordinary files; a link counts as what it leads to.
bool Counts(const fs::path& path, platform::SearchFor what) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (error) return false;
  if (fs::is_regular_file(status)) return true;
  return what == platform::SearchFor::FilesAndFolders && fs::is_directory(status);
}

std::string ExecutablePath() {
  return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

}  // namespace

QtFileSystem::QtFileSystem(std::string programFolder, std::string programBaseName)
    : programFolderOverride_(std::move(programFolder)),
      programBaseNameOverride_(std::move(programBaseName)) {}

// A name that exists as it is counts even when it holds a wildcard character, which a Linux file
// name may; otherwise the wildcards of the last part are matched in its folder.
bool QtFileSystem::findFile(const std::string& pattern, platform::SearchFor what) {
  if (pattern.empty()) return false;
  fs::path path(pattern);
  if (Counts(path, what)) return true;
  std::string name = path.filename().string();
  if (name.find_first_of("*?") == std::string::npos) return false;
  fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::string entryName = entry.path().filename().string();
    if (MatchesWildcards(name.c_str(), entryName.c_str()) && Counts(entry.path(), what)) {
      return true;
    }
  }
  return false;
}

bool QtFileSystem::isFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

void QtFileSystem::setCurrentDirectory(const std::string& folder) {
  std::error_code ignored;
  fs::current_path(folder, ignored);
}

std::string QtFileSystem::currentDirectory() {
  std::error_code error;
  fs::path current = fs::current_path(error);
  return error ? std::string() : current.string();
}

std::string QtFileSystem::programFolder() {
  if (programFolderOverride_) return *programFolderOverride_;
  return fs::path(ExecutablePath()).parent_path().string();
}

// Linux programs carry no extension: the base name is the whole file name, dots and all.
std::string QtFileSystem::programBaseName() {
  if (programBaseNameOverride_) return *programBaseNameOverride_;
  return fs::path(ExecutablePath()).filename().string();
}

}  // namespace loadergui::qt
