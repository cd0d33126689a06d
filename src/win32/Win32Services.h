// The platform services of the Windows build: thin calls into the real Windows functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace loadergui::win32 {

class Win32Services : public platform::Services {
 public:
  // The program folder and base name come from the running executable.
  Win32Services() = default;
  // For tests: the program folder and base name are the ones given, not the executable's.
  Win32Services(std::string programFolder, std::string programBaseName);

  void messageBox(const ui::Form* owner, const std::string& text,
                  const std::string& title) override;
  void beep() override;

  bool getOpenFileName(platform::FileDialogRecord& record) override;
  bool getSaveFileName(platform::FileDialogRecord& record) override;
  bool browseForFolder(const platform::FolderBrowseRecord& record,
                       std::string& pathBuffer) override;

  void runAndWait(const std::string& commandLine, int windowStyle) override;
  bool startProcess(const std::string& commandLine, int windowStyle) override;

  bool findFile(const std::string& pattern, platform::SearchFor what) override;
  bool isFolder(const std::string& path) override;
  std::vector<std::string> serialPorts() override;
  void setCurrentDirectory(const std::string& folder) override;
  std::string currentDirectory() override;
  std::string programFolder() override;
  std::string programBaseName() override;

  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size, const std::string& file) override;
  bool writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file) override;

 private:
  // The absolute path of a command line's program when it is a relative path naming a file in
  // the program folder; empty when the operating system's own search should find it.
  std::string programBesideUs(const std::string& commandLine);

  std::optional<std::string> programFolderOverride_;
  std::optional<std::string> programBaseNameOverride_;
};

}  // namespace loadergui::win32
