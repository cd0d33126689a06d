// The user's hands on the program: menu commands, clicks, typing, keys, and waiting until the
// program has handled them.
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "Check.h"
#include "Program.h"
#include "Wait.h"

namespace e2e {

namespace {

// A point inside the window, in its own client coordinates, for a click.
LPARAM Middle(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return MAKELPARAM(client.right / 2, client.bottom / 2);
}

// Whether the window is the active one of its thread and the keyboard focus is inside it.
// The server marks a window active before the window's own activation handler has moved the
// focus, so both are needed to tell that an activation has run its course.
bool ActiveWithFocus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
  return info.hwndActive == window && info.hwndFocus &&
         (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

// The window that takes the typed characters: a combo box's edit field, or the box itself.
HWND TypingWindow(HWND control) {
  if (ClassName(control) != "ComboBox") return control;
  HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr);
  return edit ? edit : control;
}

}  // namespace

void Program::choose(std::string_view menu, std::string_view item) {
  HWND window = main();
  Require(IsWindowEnabled(window) != FALSE,
          "the main window takes no input (a modal window is open)");
  const MenuEntry entry = menuItem(menus(), menu, item);
  Require(entry.enabled(), "the menu item '" + std::string(item) + "' is disabled");
  SendNotifyMessageA(window, WM_COMMAND, MAKEWPARAM(entry.id, 0), 0);
  sync();
}

HWND Program::requireUsable(Form form, std::string_view name) {
  HWND window = control(form, name);
  HWND top = formWindow(form);
  Require(IsWindowVisible(top) != FALSE,
          "the window holding " + std::string(name) + " is not shown");
  Require(IsWindowEnabled(top) != FALSE,
          "the window holding " + std::string(name) + " takes no input (a modal window is open)");
  Require(IsWindowVisible(window) != FALSE, std::string(name) + " is hidden");
  Require(IsWindowEnabled(window) != FALSE, std::string(name) + " is disabled");
  return window;
}

void Program::clickWithoutWaiting(Form form, std::string_view name) {
  SendNotifyMessageA(requireUsable(form, name), BM_CLICK, 0, 0);
}

void Program::click(Form form, std::string_view name) {
  clickWithoutWaiting(form, name);
  sync();
}

void Program::paste(Form form, std::string_view name, const std::string& text) {
  HWND window = requireUsable(form, name);
  DWORD_PTR ignored = 0;
  Require(SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                              SMTO_NORMAL, kPatience, &ignored) != 0,
          std::string(name) + " did not take the pasted text");
}

void Program::dropFiles(const std::vector<std::string>& paths) {
  Require(takesInput(Form::Main), "the main window takes no drop now");
  probe().dropFiles(paths);
  sync();
}

void Program::clickInto(Form form, std::string_view name) {
  HWND target = TypingWindow(requireUsable(form, name));
  PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, Middle(target));
  PostMessageA(target, WM_LBUTTONUP, 0, Middle(target));
  bool focused = WaitUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &info) &&
           info.hwndFocus == target;
  });
  Require(focused, "a click into " + std::string(name) + " left the focus on " + focus());
}

// Each character goes to the box's own window procedure, as the keyboard's translated
// characters do; sending it returns once the box has taken or refused it.
void Program::type(Form form, std::string_view name, const std::string& characters) {
  clickInto(form, name);
  HWND target = TypingWindow(control(form, name));
  for (unsigned char character : characters) {
    DWORD_PTR ignored = 0;
    Require(
        SendMessageTimeoutA(target, WM_CHAR, character, 1, SMTO_NORMAL, kPatience, &ignored) != 0,
        std::string(name) + " did not take a typed character");
  }
}

void Program::pressKey(UINT virtualKey) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  Require(GetGUIThreadInfo(GetWindowThreadProcessId(main(), nullptr), &info) && info.hwndFocus,
          "no window of the program has the keyboard focus");
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(info.hwndFocus, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageA(info.hwndFocus, WM_KEYUP, virtualKey, scan | 0xC0000001);
}

// Key presses and releases typed as the keyboard types them, through the system's input queue,
// so that the program's thread sees them in its key state (Alt held down, say) just as with a
// real keyboard; false if the system did not take them all.
bool TypeOnKeyboard(std::initializer_list<std::pair<WORD, bool>> strokes) {
  std::vector<INPUT> keys;
  for (const auto& [virtualKey, down] : strokes) {
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
    key.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    keys.push_back(key);
  }
  return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

WORD LetterKey(char letter) {
  return static_cast<WORD>(std::toupper(static_cast<unsigned char>(letter)));
}

void Program::pressAltKey(char letter) {
  Require(bringToFront(Form::Main) || (options_ && bringToFront(Form::Options)),
          "no window of the program is in front to take the keys; the focus is on " + focus());
  WORD key = LetterKey(letter);
  Require(TypeOnKeyboard({{VK_MENU, true}, {key, true}, {key, false}, {VK_MENU, false}}),
          "the keys could not be typed");
}

void Program::chooseByKeyboard(char menuKey, char itemKey) {
  auto menuOpen = [&] {
    for (HWND window : shownWindows()) {
      if (ClassName(window) == "#32768") return true;
    }
    return false;
  };
  pressAltKey(menuKey);
  Require(WaitUntil(menuOpen), std::string("Alt+") + menuKey + " opened no menu");
  WORD key = LetterKey(itemKey);
  Require(TypeOnKeyboard({{key, true}, {key, false}}), "the key could not be typed");
  Require(WaitUntil([&] { return !menuOpen(); }),
          std::string("the menu stayed open after ") + itemKey);
  sync();
}

// A sent message is handled before anything waiting in the program's queue, so an empty one
// alone would come back while a posted command (a menu choice, say) still waits. The program
// is first let run until its queue is empty and it waits for input; then an empty message sent
// comes back once everything before it has been handled, or once a command has opened a modal
// window whose message loop answers it.
void Program::sync() {
  if (!main_ || !IsWindow(main_)) return;
  WaitForInputIdle(process(), kPatience);
  DWORD_PTR ignored = 0;
  bool answered = SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, kPatience, &ignored) != 0;
  // A window that went away meanwhile (the program ended) has nothing left to handle.
  Require(answered || !IsWindow(main_) || !running(),
          "the program did not react within " + std::to_string(kPatience / 1000) + " s");
}

void Program::openOptions() {
  choose("&Config", "Ravlink &Configuration");
  Require(WaitUntil([&] { return IsWindowVisible(options()) != FALSE; }),
          "the options dialog did not appear");
  if (bringToFront(Form::Options)) return;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main(), nullptr), &info);
  Require(false, "the options dialog appeared without the keyboard focus; it is on " + focus() +
                     ", the active window is " + ClassName(info.hwndActive) + " '" +
                     WindowText(info.hwndActive) + "'");
}

// A loader's console comes up a moment after the loader has started, and may take the front
// only after the first click; the user clicks again for as long as some other window, or none,
// is in front.
bool Program::bringToFront(Form form) {
  HWND window = formWindow(form);
  bool inFront = WaitUntil([&] {
    DWORD owner = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &owner);
    if (owner != pid()) SetForegroundWindow(window);
    return ActiveWithFocus(window);
  });
  return inFront && waitForFocusIn(form);
}

void Program::tabTo(std::string_view name) {
  pressKey(VK_TAB);
  Require(WaitUntil([&] { return focus() == name; }),
          "Tab moved the focus to " + focus() + ", not to " + std::string(name));
}

// Under Wine without a window manager, the X server's own word on the focus arrives a moment
// after the program has moved it, and the program acts on that word with its next messages. So
// the focus counts once it has held across a round trip through the program's queue.
bool Program::waitForFocusIn(Form form) {
  HWND window = form == Form::Main ? main_ : options();
  if (!window) return false;
  for (int round = 0; round < 3; ++round) {
    if (!WaitUntil([&] { return ActiveWithFocus(window); })) return false;
    sync();
    if (ActiveWithFocus(window)) return true;
  }
  return false;
}

void Program::closeBox(Form form) {
  HWND window = formWindow(form);
  Require(IsWindowVisible(window) && IsWindowEnabled(window),
          "the window '" + WindowText(window) + "' cannot be closed by its user now");
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool Program::takesInput(Form form) {
  return IsWindowEnabled(formWindow(form)) != FALSE;
}

void Program::exit() {
  choose("&File", "E&xit");
  waitForExit();
  main_ = nullptr;
  options_ = nullptr;
}

}  // namespace e2e
