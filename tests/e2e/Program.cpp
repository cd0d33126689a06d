// The program under test: its process, its windows, and the user's hands on them.
#include "Program.h"

#include <vector>

#include "Check.h"
#include "Files.h"
#include "Wait.h"

namespace e2e {

namespace {

constexpr char kFormClass[] = "LoaderGuiForm";

struct WindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<WindowSearch*>(search);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == wanted->pid) wanted->found.push_back(window);
  return TRUE;
}

std::string Describe(HWND window) {
  std::string description = ClassName(window) + " '" + Printable(WindowText(window)) + "'";
  HWND messageText = GetDlgItem(window, 0xFFFF);
  if (messageText) description += " saying '" + Printable(WindowText(messageText)) + "'";
  return description;
}

// An argument as CommandLineToArgvW gives it back: quoted when it holds a blank or a quote (or is
// empty), with the backslashes before a quote, and before the closing one, doubled.
std::wstring QuotedArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

const ControlName& Find(Form form, std::string_view name) {
  for (const ControlName& control : kControls) {
    if (control.form == form && control.name == name) return control;
  }
  Fail("the driver knows no control " + std::string(name));
}

}  // namespace

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kPatience, &length)) {
    // A window that has gone meanwhile shows nothing any more.
    if (!IsWindow(window)) return {};
    Fail("the window " + ClassName(window) + " did not answer when asked for its text");
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_NORMAL, kPatience, &copied);
  text.resize(copied);
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

Program::Program(const Sandbox& box, const std::string& probeLibrary, const StartOptions& options)
    : probeLibrary_(probeLibrary) {
  std::string application = box.path(options.executable);
  std::wstring commandLine = QuotedArgument(Wide(application));
  for (const std::wstring& argument : options.arguments) {
    commandLine += L" " + QuotedArgument(argument);
  }
  std::string currentDirectory =
      options.currentDirectory.empty() ? box.folder() : options.currentDirectory;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // Started as from the desktop: no console and no standard handles of the driver's.
  BOOL started = CreateProcessW(Wide(application).c_str(), commandLine.data(), nullptr, nullptr,
                                FALSE, DETACHED_PROCESS, nullptr, Wide(currentDirectory).c_str(),
                                &startup, &process_);
  Require(started != FALSE, "CreateProcess failed for " + Printable(application) + " (error " +
                                std::to_string(GetLastError()) + ")");
}

Program::~Program() {
  probe_.reset();
  if (running()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kPatience);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool Program::running() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void Program::waitForExit() {
  if (WaitForSingleObject(process_.hProcess, kPatience) == WAIT_OBJECT_0) return;
  std::string seen = "the program still runs; shown windows:";
  for (HWND window : shownWindows()) seen += " [" + Describe(window) + "]";
  Fail(seen);
}

DWORD Program::exitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::vector<HWND> Program::topWindows() const {
  WindowSearch search{pid(), {}};
  EnumWindows(CollectOwnWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Program::shownWindows() const {
  std::vector<HWND> shown;
  for (HWND window : topWindows()) {
    if (IsWindowVisible(window)) shown.push_back(window);
  }
  return shown;
}

HWND Program::main() {
  if (main_ && IsWindow(main_)) return main_;
  bool came = WaitUntil([&] {
    for (HWND window : shownWindows()) {
      if (ClassName(window) == kFormClass && GetMenu(window)) main_ = window;
    }
    return main_ != nullptr || !running();
  });
  if (!came || !main_) {
    std::string seen = running() ? "no main window; shown windows:" : "the program has ended";
    for (HWND window : shownWindows()) seen += " [" + Describe(window) + "]";
    Fail(seen);
  }
  // Wine activates a window that no window manager looks after a moment after showing it; a
  // user's first key waits for that too. Whether it did is for the scenarios to judge.
  waitForFocusIn(Form::Main);
  return main_;
}

HWND Program::options() {
  if (options_ && IsWindow(options_)) return options_;
  main();
  for (HWND window : topWindows()) {
    if (ClassName(window) == kFormClass && !GetMenu(window)) options_ = window;
  }
  Require(options_ != nullptr, "the options dialog's window does not exist");
  return options_;
}

HWND Program::formWindow(Form form) {
  return form == Form::Main ? main() : options();
}

HWND Program::control(Form form, std::string_view name) {
  const ControlName& known = Find(form, name);
  HWND window = GetDlgItem(formWindow(form), known.id);
  Require(window != nullptr, "no control with the identifier " + std::to_string(known.id) + " (" +
                                 std::string(name) + ")");
  Require(ClassName(window) == known.windowClass, std::string(name) + " is a " + ClassName(window) +
                                                      ", not a " + std::string(known.windowClass));
  return window;
}

std::string Program::caption(Form form) {
  return WindowText(formWindow(form));
}

std::string Program::text(Form form, std::string_view name) {
  return WindowText(control(form, name));
}

bool Program::shown(Form form, std::string_view name) {
  return IsWindowVisible(control(form, name)) != FALSE;
}

bool Program::usable(Form form, std::string_view name) {
  HWND window = control(form, name);
  return IsWindowVisible(window) && IsWindowEnabled(window);
}

int Program::checkState(Form form, std::string_view name) {
  DWORD_PTR state = 0;
  Require(SendMessageTimeoutA(control(form, name), BM_GETCHECK, 0, 0, SMTO_NORMAL, kPatience,
                              &state) != 0,
          std::string(name) + " did not answer");
  return static_cast<int>(state);
}

std::string Program::front() {
  HWND window = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main(), nullptr), &info);
  std::string active = info.hwndActive ? Describe(info.hwndActive) : "none";
  if (!window) return "no window is in front (the program's active window: " + active + ")";
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return Describe(window) + (owner == pid() ? " of the program" : " of another program") +
         " is in front (the program's active window: " + active + ")";
}

std::string Program::focus() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main(), nullptr), &info) || !info.hwndFocus) {
    return "(nothing)";
  }
  HWND focused = info.hwndFocus;
  HWND owner = ClassName(GetParent(focused)) == "ComboBox" ? GetParent(focused) : focused;
  for (const ControlName& known : kControls) {
    HWND form = known.form == Form::Main ? main_ : options_;
    if (form && GetParent(owner) == form && GetDlgCtrlID(owner) == known.id) {
      return std::string(known.name);
    }
  }
  return ClassName(focused) + " '" + Printable(WindowText(focused)) + "'";
}

Probe& Program::probe() {
  if (!probe_) probe_ = std::make_unique<Probe>(main(), probeLibrary_);
  return *probe_;
}

std::vector<MenuEntry> Program::menus() {
  return probe().readMenus();
}

const MenuEntry& Program::menuItem(const std::vector<MenuEntry>& entries, std::string_view menu,
                                   std::string_view item) {
  int menuPosition = -1;
  for (const MenuEntry& entry : entries) {
    if (entry.item < 0 && entry.caption == menu) menuPosition = entry.menu;
  }
  Require(menuPosition >= 0, "the menu bar has no menu '" + std::string(menu) + "'");
  std::string captions;
  for (const MenuEntry& entry : entries) {
    if (entry.menu != menuPosition || entry.item < 0) continue;
    if (entry.caption == item) return entry;
    captions += " '" + Printable(entry.caption) + "'";
  }
  Fail("the menu '" + std::string(menu) + "' has no item '" + std::string(item) + "'; it holds" +
       captions);
}

}  // namespace e2e
