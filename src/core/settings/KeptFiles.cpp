// The section [FILES]: UPLOAD, DOWNLOAD and RECENT1 to RECENT8, each a path in its kept form,
// empty when there is none. The sixteen keys never touch it, so a program that knows only them
// reads and writes the same file without harm.
#include "settings/KeptFiles.h"

#include <string>
#include <vector>

#include "app/App.h"
#include "app/Captions.h"
#include "app/PathRules.h"
#include "app/RecentFiles.h"
#include "settings/Ini.h"

namespace loadergui {

namespace {

constexpr const char* kSection = "FILES";
constexpr const char* kUploadKey = "UPLOAD";
constexpr const char* kDownloadKey = "DOWNLOAD";

std::string RecentKey(std::size_t index) {
  std::string key = "RECENT1";
  key.back() = static_cast<char>('1' + index);
  return key;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

// The profile read takes the blanks around a value away, and one pair of enclosing quotes; a
// path that starts or ends with either ("demo .elf " on Linux) is written inside a pair of
// quotes of its own, which the read takes away again.
std::string Protected(const std::string& value) {
  if (value.empty()) return value;
  bool blankEdge = IsBlank(value.front()) || IsBlank(value.back());
  bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front();
  return blankEdge || quoted ? "\"" + value + "\"" : value;
}

void WritePath(platform::SettingsFile& file, const std::string& key, const std::string& path,
               const PathRules& rules) {
  WriteSetting(file, kSection, key, Protected(KeptPath(path, rules)));
}

std::string ReadPath(platform::SettingsFile& file, const std::string& key, const PathRules& rules) {
  return PathFromKept(ReadWholeSetting(file, kSection, key), rules);
}

// A file box's text is a file only once it is no longer the box's prompt.
std::string FileIn(const ui::Control& box, const char* prompt) {
  std::string text = box.text();
  return text == prompt ? std::string() : text;
}

}  // namespace

// A kept upload file fills the box only while it still exists; a download target need not
// exist, being the loader's output, but its folder must. Either way the box keeps its prompt
// otherwise. The recent files are taken as they were kept, gone ones too (a file on a stick
// that is not plugged in now may be back by the time it is chosen), the oldest first, so that
// of two entries naming one file the newer stays, in its place.
void LoadKeptFiles(App& app, platform::SettingsFile& file) {
  PathRules rules = PathRulesOf(app);
  auto& files = app.services().files;
  MainWindow& main = app.frmMain();
  std::string upload = ReadPath(file, kUploadKey, rules);
  if (!upload.empty() && files.findFile(upload, platform::SearchFor::OrdinaryFiles)) {
    main.txtUpload->setText(upload);
  }
  std::string download = ReadPath(file, kDownloadKey, rules);
  if (!download.empty() && files.isFolder(FolderOfPath(download, rules))) {
    main.txtDownload->setText(download);
  }
  std::vector<std::string>& recent = app.recentFiles();
  recent.clear();
  for (std::size_t index = kRecentFileCount; index-- > 0;) {
    std::string path = ReadPath(file, RecentKey(index), rules);
    if (!path.empty()) PutFirst(recent, path, rules);
  }
  ShowRecentFiles(app);
}

// Every key is written, an unused one empty, so that the section always holds the same keys in
// the same order.
void SaveKeptFiles(App& app, platform::SettingsFile& file) {
  PathRules rules = PathRulesOf(app);
  MainWindow& main = app.frmMain();
  WritePath(file, kUploadKey, FileIn(*main.txtUpload, text::kUploadPrompt), rules);
  WritePath(file, kDownloadKey, FileIn(*main.txtDownload, text::kDownloadPrompt), rules);
  const std::vector<std::string>& recent = app.recentFiles();
  for (std::size_t index = 0; index < kRecentFileCount; ++index) {
    WritePath(file, RecentKey(index), index < recent.size() ? recent[index] : std::string(), rules);
  }
}

}  // namespace loadergui
