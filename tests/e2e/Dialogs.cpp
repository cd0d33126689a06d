// Answering the program's message boxes and the platform's dialogs.
#include "Dialogs.h"

#include <commctrl.h>
#include <shlobj.h>

#include <vector>

#include "Check.h"
#include "Files.h"
#include "Wait.h"

namespace e2e {

namespace {

constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 0x0440;
constexpr int kFileNameFieldId = 0x047C;  // cmb13, a ComboBoxEx32
constexpr int kFileTypeId = 0x0470;       // cmb1
constexpr char kDialogClass[] = "#32770";
constexpr char kFolderBrowserTitle[] = "Browse for Folder";

std::vector<HWND> ShownDialogs(Program& program) {
  std::vector<HWND> dialogs;
  for (HWND window : program.shownWindows()) {
    if (ClassName(window) == kDialogClass) dialogs.push_back(window);
  }
  return dialogs;
}

std::string DescribeShown(Program& program) {
  std::string seen;
  for (HWND window : program.shownWindows()) {
    seen += " [" + ClassName(window) + " '" + Printable(WindowText(window)) + "'";
    if (HWND text = GetDlgItem(window, kMessageTextId)) {
      seen += " saying '" + Printable(WindowText(text)) + "'";
    }
    seen += "]";
  }
  return seen.empty() ? " none" : seen;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

void WaitUntilGone(Program& program, HWND dialog, const std::string& what) {
  bool gone = WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
  Require(gone, what + " stayed open");
  program.sync();
}

}  // namespace

MessageBoxSeen WaitForMessageBox(Program& program) {
  MessageBoxSeen box;
  WaitUntil([&] {
    for (HWND dialog : ShownDialogs(program)) {
      if (GetDlgItem(dialog, kMessageTextId)) box.window = dialog;
    }
    return box.window != nullptr || !program.running();
  });
  if (!box.window) Fail("no message box; shown windows:" + DescribeShown(program));
  box.title = WindowText(box.window);
  box.text = WindowText(GetDlgItem(box.window, kMessageTextId));
  std::vector<HWND> children;
  EnumChildWindows(box.window, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    if (ClassName(child) == "Button" && IsWindowVisible(child)) {
      box.buttons += "[" + WindowText(child) + "]";
    }
  }
  if (HWND icon = GetDlgItem(box.window, kMessageIconId)) {
    DWORD_PTR handle = 0;
    SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_NORMAL, kPatience, &handle);
    box.icon = IsWindowVisible(icon) && handle != 0;
  }
  return box;
}

void AnswerMessageBox(Program& program, const std::string& title, const std::string& text) {
  MessageBoxSeen box = WaitForMessageBox(program);
  RequireEqual("message box title", title, box.title);
  RequireEqual("message box text", text, box.text);
  RequireEqual("message box buttons", "[OK]", box.buttons);
  Require(!box.icon, "the message box shows an icon");
  PressOk(program, box);
}

void PressOk(Program& program, const MessageBoxSeen& box) {
  PressButton(program, box, IDOK);
}

void PressButton(Program& program, const MessageBoxSeen& box, int button) {
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  WaitUntilGone(program, box.window, "the message box");
}

void RequireNoDialog(Program& program) {
  program.sync();
  std::vector<HWND> dialogs = ShownDialogs(program);
  if (!dialogs.empty()) Fail("a dialog is shown:" + DescribeShown(program));
}

HWND WaitForDialog(Program& program, const std::string& title) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND dialog : ShownDialogs(program)) {
      if (WindowText(dialog) == title) found = dialog;
    }
    return found != nullptr || !program.running();
  });
  if (!found) Fail("no dialog '" + title + "'; shown windows:" + DescribeShown(program));
  return found;
}

std::string FileNameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, kFileNameFieldId);
  Require(field != nullptr, "the file dialog has no file-name field");
  return WindowText(field);
}

std::string FileTypeShown(HWND dialog) {
  HWND types = GetDlgItem(dialog, kFileTypeId);
  Require(types != nullptr, "the file dialog has no file-type box");
  return WindowText(types);
}

bool DialogShowsText(HWND dialog, const std::string& text) {
  std::vector<HWND> children;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    if (IsWindowVisible(child) && WindowText(child) == text) return true;
  }
  return false;
}

// An 8-bit path is typed as the keyboard types it, in its wide form.
void AnswerFileDialog(Program& program, const std::string& title, const std::string& path) {
  AnswerFileDialog(program, title, Wide(path));
}

void AnswerFileDialog(Program& program, const std::string& title, const std::wstring& path) {
  HWND dialog = WaitForDialog(program, title);
  HWND field = GetDlgItem(dialog, kFileNameFieldId);
  Require(field != nullptr, "the dialog '" + title + "' has no file-name field");
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL,
                      kPatience, &ignored);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitUntilGone(program, dialog, "the dialog '" + title + "'");
}

void CancelDialog(Program& program, HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  WaitUntilGone(program, dialog, "the dialog '" + WindowText(dialog) + "'");
}

// Memory in the program's process, for messages that carry a pointer: the folder browser
// and its tree view read and write their answers there.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size)
      : process_(process),
        address_(static_cast<char*>(
            VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
    Require(address_ != nullptr, "cannot reach into the program's memory");
  }
  ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* at(std::size_t offset) const { return address_ + offset; }
  void write(std::size_t offset, const void* bytes, std::size_t size) const {
    WriteProcessMemory(process_, address_ + offset, bytes, size, nullptr);
  }
  void read(std::size_t offset, void* bytes, std::size_t size) const {
    ReadProcessMemory(process_, address_ + offset, bytes, size, nullptr);
  }

 private:
  HANDLE process_;
  char* address_;
};

// The label of the folder that the browser's tree shows selected.
std::string SelectedFolderLabel(Program& program, HWND dialog) {
  HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
  Require(tree != nullptr, "the folder browser has no folder tree");
  DWORD_PTR item = 0;
  SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_NORMAL, kPatience, &item);
  if (!item) return {};
  constexpr std::size_t kLabelSize = MAX_PATH;
  RemoteBuffer remote(program.process(), sizeof(TVITEMA) + kLabelSize);
  TVITEMA query{};
  query.mask = TVIF_TEXT;
  query.hItem = reinterpret_cast<HTREEITEM>(item);
  query.pszText = remote.at(sizeof query);
  query.cchTextMax = kLabelSize;
  remote.write(0, &query, sizeof query);
  DWORD_PTR found = 0;
  SendMessageTimeoutA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(0)), SMTO_NORMAL,
                      kPatience, &found);
  char label[kLabelSize] = {};
  if (found) remote.read(sizeof query, label, kLabelSize - 1);
  return label;
}

// The browser takes the folder's path as a pointer into its own process. Wine's browser
// sometimes misses a folder made moments before, so the selection is sent again until the
// folder is the one shown selected, as a user looks before pressing OK.
void AnswerFolderBrowser(Program& program, const std::string& folder) {
  HWND dialog = WaitForDialog(program, kFolderBrowserTitle);
  std::string name = folder.substr(folder.find_last_of('\\') + 1);
  RemoteBuffer path(program.process(), folder.size() + 1);
  path.write(0, folder.c_str(), folder.size() + 1);
  constexpr DWORD kRetryInterval = 250;
  bool selected = WaitUntil(
      [&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.at(0)),
                            SMTO_NORMAL, kPatience, &ignored);
        return SelectedFolderLabel(program, dialog) == name;
      },
      kPatience, kRetryInterval);
  Require(selected, "the folder browser shows '" + Printable(SelectedFolderLabel(program, dialog)) +
                        "' selected, not '" + Printable(name) + "'");
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitUntilGone(program, dialog, "the folder browser");
}

}  // namespace e2e
