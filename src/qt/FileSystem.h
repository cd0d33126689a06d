// Where the program lives, the current directory, and file searches on Linux.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace loadergui::qt {

class QtFileSystem : public platform::FileSystem {
 public:
  // The program folder and base name come from the running executable.
  QtFileSystem() = default;
  // For tests: the program folder and base name are the ones given, not the executable's.
  QtFileSystem(std::string programFolder, std::string programBaseName);

  bool findFile(const std::string& pattern, platform::SearchFor what) override;
  bool isFolder(const std::string& path) override;
  void setCurrentDirectory(const std::string& folder) override;
  std::string currentDirectory() override;
  std::string programFolder() override;
  std::string programBaseName() override;

 private:
  std::optional<std::string> programFolderOverride_;
  std::optional<std::string> programBaseNameOverride_;
};

}  // namespace loadergui::qt
