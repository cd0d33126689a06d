// What several scenarios do or look at.
#include "Support.h"

#include <tlhelp32.h>
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <set>
#include <string>

#include "Check.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Files.h"
#include "Wait.h"

namespace e2e {

namespace {

struct ModeRow {
  Mode mode;
  const char* menuItem;
  const char* executeCaption;
  const char* browseCaption;
  const char* filenameCaption;
  bool uploadBoxShown;
};

const ModeRow kModes[] = {
    {Mode::Upload, "&Upload", "&Upload", "&Browse", "Select a file to upload", true},
    {Mode::UploadExecute, "Upload and &Execute", "Upload and &Execute", "&Browse",
     "Select a file to upload", true},
    {Mode::Download, "&Download", "&Download", "&Save", "Save a file to download", false},
};

const ModeRow& RowOf(Mode mode) {
  for (const ModeRow& row : kModes) {
    if (row.mode == mode) return row;
  }
  return kModes[0];
}

const char* const kConfig = "&Config";

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

void RequireMainWindow(Program& program, const MainState& expected) {
  bool serial = expected.variant == Variant::Serial;
  RequireEqual("window caption", serial ? "Ravlink Serial GUI 2.0" : "Ravlink IP GUI 2.0",
               program.caption(Form::Main));
  const ModeRow& row = RowOf(expected.mode);
  RequireEqual("Execute button", row.executeCaption, program.text(Form::Main, "cmdExecute"));
  RequireEqual("Browse button", row.browseCaption, program.text(Form::Main, "cmdBrowse"));
  RequireEqual("label over the file box", row.filenameCaption,
               program.text(Form::Main, "lblFilename"));
  RequireEqual("information line", expected.information,
               program.text(Form::Main, "lblInformation"));
  Require(program.shown(Form::Main, "txtUpload") == row.uploadBoxShown,
          std::string("the upload box is ") +
              (program.shown(Form::Main, "txtUpload") ? "shown" : "hidden"));
  Require(program.shown(Form::Main, "txtDownload") == !row.uploadBoxShown,
          std::string("the download box is ") +
              (program.shown(Form::Main, "txtDownload") ? "shown" : "hidden"));
  std::vector<MenuEntry> menus = program.menus();
  auto mark = [&](const char* item, bool wanted) {
    bool seen = program.menuItem(menus, kConfig, item).checked();
    Require(seen == wanted,
            std::string("the menu item '") + item + "' is " + (seen ? "checked" : "not checked"));
  };
  mark("Ravlink &Serial", serial);
  mark("Ravlink &IP", !serial);
  for (const ModeRow& other : kModes) mark(other.menuItem, other.mode == expected.mode);
}

void ChooseVariant(Program& program, Variant variant) {
  program.choose(kConfig, variant == Variant::Serial ? "Ravlink &Serial" : "Ravlink &IP");
}

void ChooseMode(Program& program, Mode mode) {
  program.choose(kConfig, RowOf(mode).menuItem);
}

void PickUploadFile(Program& program, const std::string& path) {
  program.click(Form::Main, "cmdBrowse");
  AnswerFileDialog(program, "Open a Dreamcast binary...", path);
  RequireEqual("upload box after Browse", path, program.text(Form::Main, "txtUpload"));
}

void PickDownloadFile(Program& program, const std::string& path) {
  program.click(Form::Main, "cmdBrowse");
  AnswerFileDialog(program, "Save file as...", path);
  RequireEqual("download box after Browse", path, program.text(Form::Main, "txtDownload"));
}

void SetOptionText(Program& program, const std::string& control, const std::string& text) {
  program.paste(Form::Options, control, text);
  RequireEqual(control, text, program.text(Form::Options, control));
}

void SetOptionBox(Program& program, const std::string& control, bool ticked) {
  // A click moves a three-state box from greyed to ticked, and between ticked and clear.
  for (int clicks = 0; clicks < 2 && (program.checkState(Form::Options, control) == 1) != ticked;
       ++clicks) {
    program.click(Form::Options, control);
  }
  RequireEqual(control + " state", ticked ? 1 : 0, program.checkState(Form::Options, control));
}

void ConfirmOptions(Program& program) {
  program.click(Form::Options, "cmdOK");
  Require(WaitUntil([&] { return !IsWindowVisible(program.options()); }),
          "the options dialog is still shown after OK");
  Require(program.bringToFront(Form::Main),
          "the main window did not get the keyboard focus back; it is on " + program.focus() +
              "; " + program.front());
}

void CancelOptions(Program& program) {
  program.click(Form::Options, "cmdCancel");
  Require(WaitUntil([&] { return !IsWindowVisible(program.options()); }),
          "the options dialog is still shown after Cancel");
  Require(program.bringToFront(Form::Main),
          "the main window did not get the keyboard focus back; it is on " + program.focus() +
              "; " + program.front());
}

// The press comes once every tool started before has ended and gone, as a user presses again
// after the loader has done its work: one that still ran would be asked about first.
ToolCall ExecuteAndWaitForLoader(Program& program, const Sandbox& box, std::size_t toolsBefore,
                                 std::size_t toolsStarting) {
  Require(WaitUntil([&] { return AllToolsGone(ReadToolLog(box.tools())); }),
          "a tool started before still runs: " + DescribeLog(ReadToolLog(box.tools())));
  program.click(Form::Main, "cmdExecute");
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), toolsBefore + toolsStarting);
  const ToolCall& loader = starts.back();
  RequireEqual("the loader's current directory", box.folder(), loader.currentDirectory);
  return loader;
}

void RequireCentredFixedWindow(HWND window, const std::string& what) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  int left = (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2;
  Require(std::abs(bounds.left - left) <= 1 && std::abs(bounds.top - top) <= 1,
          what + " is at " + std::to_string(bounds.left) + "," + std::to_string(bounds.top) +
              ", not centred at " + std::to_string(left) + "," + std::to_string(top));
  auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  Require(!(style & (WS_THICKFRAME | WS_MAXIMIZEBOX)), what + " can be resized or maximised");
}

void RequireClientSize(HWND window, const std::string& what, int widthTwips, int heightTwips) {
  constexpr int kTwipsPerPixel = 15;
  RECT client;
  GetClientRect(window, &client);
  RequireEqual(what + " client width", widthTwips / kTwipsPerPixel, client.right);
  RequireEqual(what + " client height", heightTwips / kTwipsPerPixel, client.bottom);
}

std::string Fill(std::string pattern, const std::string& name, const std::string& value) {
  std::string placeholder = "{" + name + "}";
  for (std::size_t at = pattern.find(placeholder); at != std::string::npos;
       at = pattern.find(placeholder, at + value.size())) {
    pattern.replace(at, placeholder.size(), value);
  }
  return pattern;
}

void RequireNothingStarted(Program& program, const Sandbox& box, std::size_t toolsBefore) {
  program.sync();
  std::vector<ToolCall> calls = ReadToolLog(box.tools());
  Require(Starts(calls).size() == toolsBefore, "a tool started: " + DescribeLog(calls));
  // A tool that was started but has not yet written its line is still the program's child; the
  // tools in the log, still running or not, are known.
  std::set<std::string> logged;
  for (const ToolCall& start : Starts(calls)) logged.insert(start.pid);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  std::string children;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID == program.pid() &&
        !logged.count(std::to_string(entry.th32ProcessID))) {
      children += std::string(" ") + entry.szExeFile;
    }
  }
  CloseHandle(snapshot);
  Require(children.empty(), "the program has started:" + children);
}

std::vector<IniLine> ReadIni(const std::string& path) {
  std::vector<IniLine> lines;
  auto text = ReadWholeFile(path);
  Require(text.has_value(), "there is no settings file " + Printable(path));
  std::size_t start = 0;
  while (start < text->size()) {
    std::size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    std::string line = Trim(text->substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
    if (line.empty()) continue;
    IniLine parsed;
    if (line.front() == '[' && line.back() == ']') {
      parsed.section = true;
      parsed.name = line.substr(1, line.size() - 2);
    } else {
      std::size_t equals = line.find('=');
      parsed.name = Trim(line.substr(0, equals));
      parsed.value = equals == std::string::npos ? "" : Trim(line.substr(equals + 1));
    }
    lines.push_back(parsed);
  }
  return lines;
}

std::string IniValue(const std::vector<IniLine>& lines, const std::string& section,
                     const std::string& key) {
  bool inSection = false;
  for (const IniLine& line : lines) {
    if (line.section) {
      inSection = SameName(line.name, section);
    } else if (inSection && SameName(line.name, key)) {
      return line.value;
    }
  }
  Fail("the settings file has no key " + key + " in [" + section + "]");
}

std::vector<std::string> FileMenu(Program& program) {
  std::vector<std::string> captions;
  std::vector<MenuEntry> entries = program.menus();
  for (const MenuEntry& entry : entries) {
    if (entry.menu == 0 && entry.item >= 0) {
      captions.push_back(entry.separator() ? "-" : entry.caption);
    }
  }
  return captions;
}

std::vector<std::string> FileMenuWith(const std::vector<std::string>& recentFiles) {
  std::vector<std::string> captions{"Download &BIOS", "Download &Flash", "-"};
  for (std::size_t index = 0; index < recentFiles.size(); ++index) {
    captions.push_back(RecentEntry(static_cast<int>(index + 1), recentFiles[index]));
  }
  if (!recentFiles.empty()) captions.push_back("-");
  captions.push_back("E&xit");
  return captions;
}

std::string RecentEntry(int number, const std::string& path) {
  constexpr std::size_t kLongest = 50;
  std::string shown = path;
  if (path.size() > kLongest) {
    std::size_t nameStart = path.find_first_not_of("\\/");
    std::size_t headEnd = path.find_first_of("\\/", nameStart) + 1;
    std::size_t tail = path.find_last_of("\\/");
    for (std::size_t at = headEnd; at < tail; ++at) {
      bool separator = path[at] == '\\' || path[at] == '/';
      if (separator && headEnd + 3 + (path.size() - at) <= kLongest) {
        tail = at;
        break;
      }
    }
    shown = path.substr(0, headEnd) + "..." + path.substr(tail);
  }
  std::string caption = "&" + std::to_string(number) + " ";
  for (char c : shown) caption += c == '&' ? std::string("&&") : std::string(1, c);
  return caption;
}

void RequireSettingsOrder(const std::vector<IniLine>& lines) {
  std::vector<std::string> expected = {"[SETTINGS]", "TYPE", "RAVLINK", "[OPTIONS]"};
  for (const OptionControl& option : kOptionControls) {
    if (option.section != "OPTIONS") {
      expected.push_back("[" + std::string(option.section) + "]");
    }
    expected.push_back(std::string(option.key));
  }
  for (const char* key : {"[FILES]", "UPLOAD", "DOWNLOAD", "RECENT1", "RECENT2", "RECENT3",
                          "RECENT4", "RECENT5", "RECENT6", "RECENT7", "RECENT8"}) {
    expected.push_back(key);
  }
  std::string seen, wanted;
  for (const IniLine& line : lines)
    seen += (line.section ? "[" + line.name + "]" : line.name) + " ";
  for (const std::string& name : expected) wanted += name + " ";
  RequireEqual("sections and keys of the settings file, in order", wanted, seen);
}

std::string AccentedLetter() {
  const wchar_t eAcute[] = L"\u00E9";
  char letter[8] = {};
  BOOL lossy = FALSE;
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, eAcute, 1, letter, sizeof letter,
                                   nullptr, &lossy);
  Require(length == 1 && !lossy && static_cast<unsigned char>(letter[0]) >= 0x80,
          "the system code page " + std::to_string(GetACP()) + " has no single-byte e-acute");
  return std::string(letter, 1);
}

std::string SystemSays(DWORD error) {
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  std::string sentence(text, length);
  while (!sentence.empty() &&
         (sentence.back() == '\n' || sentence.back() == '\r' || sentence.back() == ' ')) {
    sentence.pop_back();
  }
  Require(!sentence.empty(), "the system has no sentence for error " + std::to_string(error));
  return sentence;
}

}  // namespace e2e
