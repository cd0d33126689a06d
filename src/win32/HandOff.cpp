// Finding the program running from the same folder, handing it the arguments in a WM_COPYDATA
// message, and following them there.
#include "HandOff.h"

#include <optional>
#include <string_view>
#include <utility>

#include "CodePage.h"
#include "Form.h"
#include "SystemFunctions.h"
#include "Toolkit.h"
#include "app/App.h"
#include "app/HandOffMessage.h"
#include "app/Handlers.h"
#include "app/ProgramArguments.h"
#include "ui/Control.h"

namespace loadergui::win32 {

namespace {

// Marks a WM_COPYDATA message as a hand-off of this program's; the answer that takes it.
constexpr ULONG_PTR kHandOffData = 0x52564C48;  // "RVLH"
constexpr LRESULT kTaken = 1;
// Posted to the main window: follow the next request; press Execute if it waits and may.
constexpr UINT kFollowRequest = WM_APP + 0x48;
constexpr UINT kPressExecute = WM_APP + 0x49;
// Vista's right to ask another process its file name, which XP lacks (OpenProcess then fails).
constexpr DWORD kQueryLimitedInformation = 0x1000;

// A program folder as the running programs compare it: the folder of the executable's path in
// its long form, in capitals, since Windows names the same folder in any case; as UTF-8, so that
// every character counts. Empty when the path has no folder.
std::string FolderIdentity(const wchar_t* executable) {
  const wchar_t* lastSeparator = nullptr;
  for (const wchar_t* at = executable; *at; ++at) {
    if (*at == L'\\' || *at == L'/') lastSeparator = at;
  }
  if (!lastSeparator) return {};
  WideText folder(executable, lastSeparator);
  folder.push_back(L'\0');
  DWORD needed = GetLongPathNameW(folder.data(), nullptr, 0);
  if (needed > 0) {
    WideText longForm(needed, L'\0');
    DWORD length = GetLongPathNameW(folder.data(), longForm.data(), needed);
    if (length > 0 && length < needed) folder = longForm;
  }
  CharUpperW(folder.data());
  int length = WideCharToMultiByte(CP_UTF8, 0, folder.data(), -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string identity(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, folder.data(), -1, identity.data(), length, nullptr, nullptr);
  identity.pop_back();
  return identity;
}

std::string OwnFolder() {
  WideText path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return FolderIdentity(path.data());
    path.resize(path.size() * 2);
  }
}

// The folder of another process's executable; empty where the system will not tell, and the
// receiver then judges alone.
std::string FolderOfProcess(DWORD pid) {
  using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
  static const auto query =
      FindSystemFunction<QueryImageName>("kernel32.dll", "QueryFullProcessImageNameW");
  if (!query) return {};
  HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, pid);
  if (!process) return {};
  WideText path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  bool named = query(process, 0, path.data(), &size) != FALSE;
  CloseHandle(process);
  return named ? FolderIdentity(path.data()) : std::string();
}

struct Candidates {
  std::string folder;
  std::vector<HWND> windows;
};

// Main windows of this program (its window class, with a menu bar: the options dialog has
// none) that are shown and belong to another process of the same folder.
BOOL CALLBACK CollectCandidate(HWND window, LPARAM found) {
  auto* candidates = reinterpret_cast<Candidates*>(found);
  char className[64];
  if (!GetClassNameA(window, className, sizeof className) ||
      lstrcmpA(className, Win32Toolkit::WindowClassName()) != 0 || !GetMenu(window) ||
      !IsWindowVisible(window)) {
    return TRUE;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == GetCurrentProcessId()) return TRUE;
  std::string folder = FolderOfProcess(pid);
  if (folder.empty() || folder == candidates->folder) candidates->windows.push_back(window);
  return TRUE;
}

// The window comes to the front, restored if minimised; while a dialog or message box of its own
// is open, that comes to the front with it, since it is what waits for the user.
void BringToFront(HWND main) {
  if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
  HWND popup = GetLastActivePopup(main);
  SetForegroundWindow(popup && IsWindowVisible(popup) ? popup : main);
}

}  // namespace

// The answer is awaited with a time limit: a program stuck in the ARP step, or hung, must not
// hang the start of another. It lets the receiver bring itself to the front, which Windows
// allows only to a process the foreground one has allowed.
bool HandToRunningProgram(const std::vector<std::string>& arguments) {
  Candidates candidates{OwnFolder(), {}};
  if (candidates.folder.empty()) return false;
  EnumWindows(CollectCandidate, reinterpret_cast<LPARAM>(&candidates));
  for (HWND window : candidates.windows) {
    std::string bytes = EncodeHandOff({candidates.folder, GetTickCount(), arguments});
    COPYDATASTRUCT data{kHandOffData, static_cast<DWORD>(bytes.size()), bytes.data()};
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    AllowSetForegroundWindow(pid);
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_NORMAL | SMTO_ABORTIFHUNG, kHandOffAnswerMs, &answer) &&
        answer == static_cast<DWORD_PTR>(kTaken)) {
      return true;
    }
  }
  return false;
}

HandOffReceiver::HandOffReceiver(App& app)
    : app_(app), main_(static_cast<Win32Form&>(app.frmMain().form())), folder_(OwnFolder()) {
  main_.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return onMessage(message, wParam, lParam, result);
  };
}

// The form outlives the receiver: the program keeps its closed windows until it ends.
HandOffReceiver::~HandOffReceiver() {
  main_.onMessage = nullptr;
}

void HandOffReceiver::follow(std::vector<std::string> arguments) {
  if (arguments.empty()) return;
  requests_.push_back({std::move(arguments), false});
  PostMessageA(main_.window(), kFollowRequest, 0, 0);
}

bool HandOffReceiver::onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COPYDATA:
      result = take(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? kTaken : 0;
      return true;
    case kFollowRequest:
      followNext();
      return true;
    case kPressExecute:
      pressExecuteIfFree();
      return true;
    case WM_ENABLE:
      // A dialog or message box that kept the window from input has closed; the press waits
      // until the handler that closed it has ended.
      if (wParam && executeWaits_) PostMessageA(main_.window(), kPressExecute, 0, 0);
      return false;
    default:
      return false;
  }
}

// Runs inside the sender's SendMessage, which waits: the message is only checked and kept here,
// and followed once the sender has its answer. Only a start of this program's folder is taken,
// only while it still waits, and only with a file: without one it would have started as a
// program of its own.
bool HandOffReceiver::take(const COPYDATASTRUCT& data) {
  if (data.dwData != kHandOffData || !data.lpData || app_.ended()) return false;
  std::optional<HandOffMessage> message =
      DecodeHandOff(std::string_view(static_cast<const char*>(data.lpData), data.cbData));
  if (!message || message->folder != folder_ || !IsFresh(*message, GetTickCount()) ||
      ReadProgramArguments(message->arguments).files.empty()) {
    return false;
  }
  requests_.push_back({std::move(message->arguments), true});
  PostMessageA(main_.window(), kFollowRequest, 0, 0);
  return true;
}

// The file reaches the box even while a dialog or message box of the program is open; Execute
// is pressed only once the window takes input again, so that it never runs under the options
// dialog with values not yet confirmed. A later file in the box without --execute takes the
// place of the one the press was for, and the press is dropped.
void HandOffReceiver::followNext() {
  if (requests_.empty()) return;
  Request request = std::move(requests_.front());
  requests_.erase(requests_.begin());
  if (app_.ended()) return;
  if (request.handedOver) BringToFront(main_.window());
  ui::Control& upload = *app_.frmMain().txtUpload;
  std::string before = upload.text();
  if (ApplyProgramArguments(app_, ReadProgramArguments(request.arguments))) {
    executeWaits_ = true;
  } else if (upload.text() != before) {
    executeWaits_ = false;
  }
  pressExecuteIfFree();
}

void HandOffReceiver::pressExecuteIfFree() {
  if (!executeWaits_ || app_.ended() || !IsWindowEnabled(main_.window())) return;
  executeWaits_ = false;
  frmMain::cmdExecute_Click(app_);
}

}  // namespace loadergui::win32
