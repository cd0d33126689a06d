// The recent upload files: the list, its entries in the File menu, and choosing one of them.
#include "app/RecentFiles.h"

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "ui/Control.h"

namespace loadergui {

namespace {

using RecentEntry = ui::Control* MainWindow::*;

// In the order of the list: the newest file first.
const RecentEntry kRecentEntries[kRecentFileCount] = {
    &MainWindow::mnuRecent1, &MainWindow::mnuRecent2, &MainWindow::mnuRecent3,
    &MainWindow::mnuRecent4, &MainWindow::mnuRecent5, &MainWindow::mnuRecent6,
    &MainWindow::mnuRecent7, &MainWindow::mnuRecent8,
};

// A menu wide enough for a longer path would be wider than the screen allows to read at a
// glance; the file's name and the folders nearest to it tell the files apart.
constexpr std::size_t kLongestShownPath = 50;
constexpr std::string_view kLeftOut = "...";

// Keeps the root with the first name ("C:\", "/home/", "\\nas\") and the file's name with as many
// of the folders nearest to it as fit; the folders between give way to "...". The tails get
// shorter from left to right, so the first separator whose tail fits gives the longest.
std::string ShortenedPath(const std::string& path, const PathRules& rules) {
  std::size_t size = path.size();
  if (size <= kLongestShownPath) return path;
  std::size_t headEnd = 0, last = std::string::npos, fitting = std::string::npos;
  bool named = false;  // a name has begun after the separators the path may start with
  for (std::size_t at = 0; at < size; at += CharacterLength(path, at, rules)) {
    if (!IsSeparatorAt(path, at, rules)) {
      named = true;
    } else if (named && headEnd == 0) {
      headEnd = at + 1;
    } else if (named) {
      last = at;
      bool fits = headEnd + kLeftOut.size() + (size - at) <= kLongestShownPath;
      if (fits && fitting == std::string::npos) fitting = at;
    }
  }
  if (last == std::string::npos) return path;
  return path.substr(0, headEnd) + std::string(kLeftOut) +
         path.substr(fitting == std::string::npos ? last : fitting);
}

// An ampersand would mark the next character as the access key; a control character (a tab
// starts a shortcut's text in a Qt menu) shows as a question mark. Neither is ever the second
// byte of a double-byte character.
std::string ForMenu(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '&') {
      shown += "&&";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      shown += '?';
    } else {
      shown += c;
    }
  }
  return shown;
}

void ForgetUploadFile(App& app, const std::string& path) {
  TakeOut(app.recentFiles(), path, PathRulesOf(app));
  ShowRecentFiles(app);
}

}  // namespace

void PutFirst(std::vector<std::string>& list, const std::string& path, const PathRules& rules) {
  TakeOut(list, path, rules);
  list.insert(list.begin(), path);
  if (list.size() > kRecentFileCount) list.pop_back();
}

void TakeOut(std::vector<std::string>& list, const std::string& path, const PathRules& rules) {
  for (auto entry = list.begin(); entry != list.end();) {
    entry = SamePath(*entry, path, rules) ? list.erase(entry) : entry + 1;
  }
}

std::string RecentFileCaption(std::size_t index, const std::string& path, const PathRules& rules) {
  std::string caption = "&1 ";
  caption[1] = static_cast<char>('1' + index);
  return caption + ForMenu(ShortenedPath(path, rules));
}

void RememberUploadFile(App& app, const std::string& path) {
  PathRules rules = PathRulesOf(app);
  std::string file = AbsolutePath(path, rules);
  if (file.empty() || !app.services().files.findFile(file, platform::SearchFor::OrdinaryFiles)) {
    return;
  }
  PutFirst(app.recentFiles(), file, rules);
  ShowRecentFiles(app);
}

// The Browse button's caption tells the upload family, as it does for the press itself.
std::string UploadOfPress(App& app) {
  MainWindow& main = app.frmMain();
  return main.cmdBrowse->text() == text::kBrowse ? main.txtUpload->text() : std::string();
}

// Entries beyond the list's end leave the menu, and the bar before Exit with the last of them.
void ShowRecentFiles(App& app) {
  MainWindow& main = app.frmMain();
  const std::vector<std::string>& list = app.recentFiles();
  PathRules rules = PathRulesOf(app);
  for (std::size_t index = 0; index < kRecentFileCount; ++index) {
    ui::Control& entry = *(main.*kRecentEntries[index]);
    bool used = index < list.size();
    if (used) entry.setText(RecentFileCaption(index, list[index], rules));
    entry.setVisible(used);
  }
  main.BarRecent->setVisible(!list.empty());
}

namespace frmMain {

// The file goes into the upload box as a file handed to the program does, leaving Download for
// the upload mode in force before it, and moves to the top. One that is gone (or a folder now)
// is refused with the Execute command's words and leaves the list; the box keeps its text.
void mnuRecent_Click(App& app, int index) {
  const std::vector<std::string>& list = app.recentFiles();
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
  std::string path = list[static_cast<std::size_t>(index)];
  if (!Form_OpenFile(app, path)) ForgetUploadFile(app, path);
}

}  // namespace frmMain

}  // namespace loadergui
