// Stand-in platform services over a real folder, recording dialogs, messages and processes.
#include "NullServices.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "profile/ProfileStore.h"
#include "ui/Form.h"

namespace loadergui::null {

namespace fs = std::filesystem;

namespace {

// '*' stands for any run of characters and '?' for any one, as in a directory search.
bool MatchesWildcards(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') {
    for (const char* rest = name;; ++rest) {
      if (MatchesWildcards(pattern + 1, rest)) return true;
      if (*rest == '\0') return false;
    }
  }
  if (*name == '\0') return false;
  return (*pattern == '?' || *pattern == *name) && MatchesWildcards(pattern + 1, name + 1);
}

std::string OwnerName(const ui::Form* owner) {
  return owner ? std::string(owner->name()) : std::string();
}
}  // namespace

NullServices::NullServices(std::string programFolder, std::string programBaseName)
    : programFolder_(std::move(programFolder)),
      programBaseName_(std::move(programBaseName)),
      currentDirectory_(programFolder_) {}

void NullServices::messageBox(const ui::Form* owner, const std::string& text,
                              const std::string& title) {
  messages.push_back({OwnerName(owner), text, title});
  if (onMessage) onMessage(messages.back());
}

// Backslashes become slashes; a relative path hangs below the current directory.
std::string NullServices::diskPath(const std::string& windowsPath) const {
  std::string path = windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (!path.empty() && path[0] == '/') return path;
  std::string base = currentDirectory_;
  std::replace(base.begin(), base.end(), '\\', '/');
  return base + "/" + path;
}

// The user's answer to the dialog now open; with none left, the user cancels.
DialogAnswer NullServices::nextAnswer() {
  if (dialogAnswers.empty()) return std::nullopt;
  DialogAnswer answer = dialogAnswers.front();
  dialogAnswers.pop_front();
  return answer;
}

bool NullServices::answerFileDialog(DialogCall call, platform::FileDialogRecord& record) {
  dialogs.push_back({call, OwnerName(record.owner), record});
  DialogAnswer answer = nextAnswer();
  if (!answer) return false;
  // The dialog writes the path and its NUL over the start of the buffer; the rest stays.
  std::string written = answer->substr(0, record.maxFile - 1);
  std::memcpy(record.file.data(), written.c_str(), written.size() + 1);
  dialogs.back().record.file = record.file;
  return true;
}

bool NullServices::getOpenFileName(platform::FileDialogRecord& record) {
  return answerFileDialog(DialogCall::Open, record);
}

bool NullServices::getSaveFileName(platform::FileDialogRecord& record) {
  return answerFileDialog(DialogCall::Save, record);
}

bool NullServices::browseForFolder(const platform::FolderBrowseRecord& record,
                                   std::string& pathBuffer) {
  DialogSeen seen{DialogCall::Folder, OwnerName(record.owner), {}, record.flags};
  seen.record.title = record.title;
  dialogs.push_back(seen);
  DialogAnswer answer = nextAnswer();
  if (!answer) return false;
  std::string written = answer->substr(0, pathBuffer.size() - 1);
  std::memcpy(pathBuffer.data(), written.c_str(), written.size() + 1);
  return true;
}

// A program path is looked up in the program's folder first, then from the current directory.
bool NullServices::launch(const std::string& commandLine, int windowStyle, bool wait) {
  std::string program = commandLine.substr(0, commandLine.find(' '));
  std::string besideProgram = programFolder_ + "/" + program;
  std::replace(besideProgram.begin(), besideProgram.end(), '\\', '/');
  bool found = fs::is_regular_file(besideProgram) || fs::is_regular_file(diskPath(program));
  if (!found) return false;
  processes.push_back({commandLine, windowStyle, wait, currentDirectory_});
  return true;
}

void NullServices::runAndWait(const std::string& commandLine, int windowStyle) {
  launch(commandLine, windowStyle, true);
}

bool NullServices::startProcess(const std::string& commandLine, int windowStyle) {
  return launch(commandLine, windowStyle, false);
}

// Wildcards are allowed in the last part of the pattern, as in a directory search.
bool NullServices::findFile(const std::string& pattern, platform::SearchFor what) {
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

bool NullServices::isFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(diskPath(path), error);
}

std::size_t NullServices::getPrivateProfileString(const std::string& section,
                                                  const std::string& key,
                                                  const std::string& defaultValue, char* buffer,
                                                  std::size_t size, const std::string& file) {
  ++profileReads;
  return profile::ReadProfileFile(diskPath(file), section, key, defaultValue, buffer, size);
}

bool NullServices::writePrivateProfileString(const std::string& section, const std::string& key,
                                             const std::string& value, const std::string& file) {
  ++profileWrites;
  if (readOnly_.count(diskPath(file))) return false;
  return profile::WriteProfileFile(diskPath(file), section, key, value);
}

}  // namespace loadergui::null
