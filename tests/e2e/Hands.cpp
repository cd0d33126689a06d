// The user's hands on the program: menu commands, clicks, typing, keys, and waiting until the
// program has handled them.
#include <algorithm>
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

bool OwnedBy(HWND window, DWORD pid) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return window && owner == pid;
}

// A left click at a point of the screen, through the system's input queue, as the mouse makes it.
void ClickAt(POINT point) {
  SetCursorPos(point.x, point.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
}

// Clicks a spot of the window's own, near a corner of its client area where no control lies
// and no other window covers it, which activates the window and changes nothing else. Without
// such a spot it asks the system to bring the window to the front instead.
void ClickOwnSpot(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const POINT corners[] = {
      {2, client.bottom - 3}, {client.right - 3, client.bottom - 3}, {client.right - 3, 2}, {2, 2}};
  for (POINT spot : corners) {
    if (ChildWindowFromPointEx(window, spot, CWP_SKIPINVISIBLE) != window) continue;
    POINT onScreen = spot;
    ClientToScreen(window, &onScreen);
    if (WindowFromPoint(onScreen) != window) continue;
    ClickAt(onScreen);
    return;
  }
  SetForegroundWindow(window);
}

// Whether the thread of the window is in a menu's modal loop (a lone Alt selects the menu bar).
bool InMenuMode(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
         (info.flags & GUI_INMENUMODE) != 0;
}

// How often a key that provably did not reach the program is typed again, and how long the
// program may take to take a typed key from its queue once it has handled all else.
constexpr int kTypingAttempts = 5;
constexpr DWORD kKeyArrival = 2000;

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

// A posted key reaches the control whether or not its window is in front; only when a console
// has taken the focus away has no control of the program the focus, and the window that takes
// input is brought back first.
void Program::pressKey(UINT virtualKey) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(main(), nullptr);
  if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) {
    bringToFront(options_ && IsWindowVisible(options_) ? Form::Options : Form::Main);
  }
  Require(GetGUIThreadInfo(thread, &info) && info.hwndFocus,
          "no window of the program has the keyboard focus; " + front());
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(info.hwndFocus, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageA(info.hwndFocus, WM_KEYUP, virtualKey, scan | 0xC0000001);
}

// Key presses and releases typed as the keyboard types them, through the system's input queue,
// so that the program's thread sees them in its key state (Alt held down, say) just as with a
// real keyboard; false if the system did not take them all.
bool TypeOnKeyboard(const std::vector<std::pair<WORD, bool>>& strokes) {
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

// The keys go through the system's input queue to whichever window is in front when they come;
// a loader's console that comes up at that moment takes them. So the probe's key log tells
// whether the program's thread took the key's press from its queue: if it did not, the keys
// provably went elsewhere and are typed again once the window is back in front, as a person
// presses them again; keys that arrived are never typed twice.
void Program::pressChord(const std::vector<WORD>& modifiers, WORD key, const std::string& what) {
  std::vector<std::pair<WORD, bool>> strokes;
  for (WORD modifier : modifiers) strokes.emplace_back(modifier, true);
  strokes.emplace_back(key, true);
  strokes.emplace_back(key, false);
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
    strokes.emplace_back(*modifier, false);
  }
  for (int attempt = 1;; ++attempt) {
    Form form = options_ && IsWindowVisible(options_) ? Form::Options : Form::Main;
    Require(bringToFront(form),
            "no window of the program is in front to take the keys; the "
            "focus is on " +
                focus());
    long before = probe().keysTaken();
    Require(TypeOnKeyboard(strokes), "the keys could not be typed");
    sync();
    auto arrived = [&] {
      std::vector<WORD> taken = probe().keysTakenSince(before);
      return std::find(taken.begin(), taken.end(), key) != taken.end();
    };
    if (WaitUntil(arrived, kKeyArrival)) return;
    Require(attempt < kTypingAttempts, what + " never reached the program in " +
                                           std::to_string(attempt) + " tries; the focus is on " +
                                           focus());
    // A lone Alt that did arrive selects the menu bar; Esc leaves it before the next try.
    if (InMenuMode(main())) {
      pressKey(VK_ESCAPE);
      Require(WaitUntil([&] { return !InMenuMode(main()); }), "Esc did not leave the menu bar");
    }
  }
}

void Program::pressAltKey(char letter) {
  pressChord({VK_MENU}, LetterKey(letter), std::string("Alt+") + letter);
}

void Program::typeKey(WORD key) {
  Require(TypeOnKeyboard({{key, true}, {key, false}}), "the key could not be typed");
}

// A right click at the middle of the control, through the system's input queue, as the mouse
// makes it; waits until the program has handled it or sits in the menu it opened.
void Program::rightClick(Form form, std::string_view name) {
  HWND target = requireUsable(form, name);
  RECT bounds{};
  GetWindowRect(target, &bounds);
  SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  Require(SendInput(2, clicks, sizeof(INPUT)) == 2, "the click could not be made");
  sync();
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
  Require(bringToFront(Form::Options),
          "the options dialog appeared without the keyboard focus; it is on " + focus() + "; " +
              front());
}

// A loader's console comes up a moment after the loader has started (even after a quick loader
// has ended) and takes the front; when it closes, nothing is in front. For as long as another
// program's window, or none, is in front, the user clicks the window (on a spot of its own, away
// from its controls) to bring it back, and clicks again while a click provably did not. While
// the program's own other window is in front, the program itself must hand the front over, and
// this only waits.
bool Program::bringToFront(Form form) {
  HWND window = formWindow(form);
  return WaitUntil([&] {
    if (!ActiveWithFocus(window)) {
      if (!OwnedBy(GetForegroundWindow(), pid()) && IsWindowVisible(window) &&
          IsWindowEnabled(window)) {
        ClickOwnSpot(window);
        sync();
      }
      return false;
    }
    // Under Wine without a window manager the X server's word on the focus comes a moment
    // later (see waitForFocusIn); the window counts once it has held across a round trip.
    sync();
    return ActiveWithFocus(window);
  });
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

void Program::endSession() {
  std::vector<HWND> windows = topWindows();
  for (HWND window : windows) {
    DWORD_PTR mayEnd = 0;
    Require(SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                kPatience, &mayEnd) != 0,
            "a window did not answer whether the session may end");
    Require(mayEnd != 0, "the window '" + WindowText(window) + "' refused the end of the session");
  }
  for (HWND window : windows) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kPatience,
                        &ignored);
  }
}

void Program::exit() {
  choose("&File", "E&xit");
  waitForExit();
  main_ = nullptr;
  options_ = nullptr;
}

}  // namespace e2e
