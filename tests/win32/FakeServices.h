// Platform services for tests of the whole program on real windows: they touch nothing.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace loadergui::win32::formtest {

// Platform services that touch nothing: no required file is found, so the check is skipped;
// the settings file reads as empty; writes and beeps are only counted, and what goes to the
// clipboard is kept.
class FakeServices : public platform::Messages,
                     public platform::Pickers,
                     public platform::Processes,
                     public platform::FileSystem,
                     public platform::SerialPorts,
                     public platform::SettingsStorage,
                     public platform::Clipboard {
 public:
  FakeServices() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "loadergui-windows-app-test";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  ~FakeServices() override { RemoveDirectoryA(folder_.c_str()); }

  platform::Services interfaces() { return {*this, *this, *this, *this, *this, *this, *this}; }

  void messageBox(const ui::Form*, const std::string& text, const std::string&) override {
    messages.push_back(text);
  }
  platform::Answer ask(const ui::Form*, const std::string& text, const std::string&) override {
    messages.push_back(text);
    return platform::Answer::Cancel;
  }
  void beep() override { ++beeps; }
  bool putText(const ui::Form*, const std::string& text) override {
    copied.push_back(text);
    return true;
  }
  bool getOpenFileName(platform::FileDialogRecord&) override { return false; }
  bool getSaveFileName(platform::FileDialogRecord&) override { return false; }
  bool browseForFolder(platform::FolderBrowseRecord&, std::string&) override { return false; }
  void runAndWait(const platform::Command&, int) override {}
  std::unique_ptr<platform::StartedProcess> startProcess(const platform::Command&, int,
                                                         const platform::ProcessMatch&) override {
    return nullptr;
  }
  // A tool can start when the test has put its file there.
  bool canStart(const std::string& program) override { return files.count(program) != 0; }
  bool findFile(const std::string& pattern, platform::SearchFor) override {
    return files.count(pattern) != 0;
  }
  bool isFolder(const std::string& path) override { return folders.count(path) != 0; }
  std::vector<std::string> serialPorts() override { return ports; }
  void setCurrentDirectory(const std::string& folder) override { currentDirectory_ = folder; }
  std::string currentDirectory() override { return currentDirectory_; }
  std::string programFolder() override { return folder_; }
  std::string programBaseName() override { return "ravlinkgui"; }
  std::unique_ptr<platform::SettingsFile> open(const std::string&) override {
    return std::make_unique<File>(*this);
  }

  std::vector<std::string> messages;
  std::vector<std::string> copied;
  std::set<std::string> folders;
  // Ordinary files that the search finds (the program's own file is never among them).
  std::set<std::string> files;
  std::vector<std::string> ports;
  std::map<std::string, std::string> written;
  int writes = 0;
  // What one save writes: the sixteen settings and the ten kept files.
  static constexpr int kKeysPerSave = 16 + 10;
  int beeps = 0;

 private:
  // Reads as empty; writes are recorded, and saving them always succeeds.
  class File : public platform::SettingsFile {
   public:
    explicit File(FakeServices& services) : services_(services) {}
    std::size_t getPrivateProfileString(const std::string&, const std::string&,
                                        const std::string& defaultValue, char* buffer,
                                        std::size_t size) override {
      std::size_t count = std::min(defaultValue.size(), size - 1);
      std::memcpy(buffer, defaultValue.data(), count);
      buffer[count] = '\0';
      return count;
    }
    void writePrivateProfileString(const std::string&, const std::string& key,
                                   const std::string& value) override {
      services_.written[key] = value;
      ++services_.writes;
    }
    std::string save() override { return {}; }

   private:
    FakeServices& services_;
  };

  std::string folder_;
  std::string currentDirectory_;
};

}  // namespace loadergui::win32::formtest
