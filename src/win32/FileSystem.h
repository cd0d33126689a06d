// File search, folders, the current directory and the program's own place, from Windows.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace loadergui::win32 {

class Win32FileSystem : public platform::FileSystem {
 public:
  // The program folder and base name come from the running executable.
  Win32FileSystem() = default;
  // For tests: the program folder and base name are the ones given, not the executable's.
  Win32FileSystem(std::string programFolder, std::string programBaseName);

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

}  // namespace loadergui::win32
