// Stand-in file system: a real folder on disk that Windows paths are mapped onto.
#pragma once

#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace loadergui::null {

class NullFileSystem : public platform::FileSystem {
 public:
  // programFolder is a folder on the machine; Windows paths the program builds from it, and
  // relative paths, are mapped onto the disk below it.
  NullFileSystem(std::string programFolder, std::string programBaseName);

  bool findFile(const std::string& pattern, platform::SearchFor what) override;
  bool isFolder(const std::string& path) override;
  void setCurrentDirectory(const std::string& folder) override { currentDirectory_ = folder; }
  std::string currentDirectory() override { return currentDirectory_; }
  std::string programFolder() override { return programFolder_; }
  std::string programBaseName() override { return programBaseName_; }

  // The path on disk that a program path names, seen from the current directory.
  std::string diskPath(const std::string& windowsPath) const;
  // Files the platform would mark hidden or system (by program path): a search passes them by.
  void markHidden(const std::string& path) { hidden_.insert(diskPath(path)); }

 private:
  std::string programFolder_;
  std::string programBaseName_;
  std::string currentDirectory_;
  std::set<std::string> hidden_;
};

}  // namespace loadergui::null
