// Stand-in platform services: a real folder on disk, and a record of everything a user would see.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace loadergui::null {

struct ShownMessage {
  std::string owner;  // form name, empty for none
  std::string text;
  std::string title;
};

struct StartedProcess {
  std::string commandLine;
  int windowStyle;
  bool waited;  // started through runAndWait
  std::string currentDirectory;
};

enum class DialogCall { Open, Save, Folder };

struct DialogSeen {
  DialogCall call;
  std::string owner;
  platform::FileDialogRecord record;  // for the folder browser: owner, title and flags only
  unsigned folderFlags = 0;
};

// How the user answers the next dialog: a path to confirm, or nothing to cancel.
using DialogAnswer = std::optional<std::string>;

class NullServices : public platform::Services {
 public:
  // programFolder is a folder on the machine; Windows paths the program builds from it, and
  // relative paths, are mapped onto the disk below it.
  NullServices(std::string programFolder, std::string programBaseName);

  void messageBox(const ui::Form* owner, const std::string& text,
                  const std::string& title) override;
  void beep() override { ++beeps; }
  bool getOpenFileName(platform::FileDialogRecord& record) override;
  bool getSaveFileName(platform::FileDialogRecord& record) override;
  bool browseForFolder(const platform::FolderBrowseRecord& record,
                       std::string& pathBuffer) override;
  void runAndWait(const std::string& commandLine, int windowStyle) override;
  bool startProcess(const std::string& commandLine, int windowStyle) override;
  bool findFile(const std::string& pattern, platform::SearchFor what) override;
  bool isFolder(const std::string& path) override;
  std::vector<std::string> serialPorts() override { return presentSerialPorts; }
  void setCurrentDirectory(const std::string& folder) override { currentDirectory_ = folder; }
  std::string currentDirectory() override { return currentDirectory_; }
  std::string programFolder() override { return programFolder_; }
  std::string programBaseName() override { return programBaseName_; }
  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size, const std::string& file) override;
  bool writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file) override;

  // The path on disk that a program path names, seen from the current directory.
  std::string diskPath(const std::string& windowsPath) const;
  // Files the platform would mark hidden, system or read-only (by program path).
  void markHidden(const std::string& path) { hidden_.insert(diskPath(path)); }
  void markReadOnly(const std::string& path) { readOnly_.insert(diskPath(path)); }

  std::vector<ShownMessage> messages;
  int beeps = 0;
  std::vector<DialogSeen> dialogs;
  std::deque<DialogAnswer> dialogAnswers;  // an empty queue cancels
  std::vector<StartedProcess> processes;
  std::vector<std::string> presentSerialPorts;  // what serialPorts reports
  int profileReads = 0;
  int profileWrites = 0;
  // Runs when a message box is shown, as the user reads it.
  std::function<void(const ShownMessage&)> onMessage;

 private:
  DialogAnswer nextAnswer();
  bool answerFileDialog(DialogCall call, platform::FileDialogRecord& record);
  bool launch(const std::string& commandLine, int windowStyle, bool wait);

  std::string programFolder_;
  std::string programBaseName_;
  std::string currentDirectory_;
  std::set<std::string> hidden_;
  std::set<std::string> readOnly_;
};

}  // namespace loadergui::null
