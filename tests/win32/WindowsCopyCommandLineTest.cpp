// Copy Command Line on real windows: the Execute button's context menu, from the mouse and the
// keyboard; Ctrl+Shift+C through the program's message handling; and the real clipboard.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FakeServices.h"
#include "WindowsTestSupport.h"
#include "app/App.h"
#include "win32/Clipboard.h"
#include "win32/MessageLoop.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::DrainMessages;
using formtest::FakeServices;
using formtest::FormWindow;

// What an open popup menu showed, seen from inside its own loop.
struct SeenMenu {
  bool shown = false;
  RECT bounds{};
  std::vector<std::string> items;
};

SeenMenu* seenMenu = nullptr;
std::function<void(HWND)> answerMenu;

HWND ShownMenuWindow() {
  HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// Runs on a timer from inside the menu's loop: reads the menu and answers it.
void CALLBACK ReadAndAnswerMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND window = ShownMenuWindow();
  if (!window) return;
  KillTimer(nullptr, timer);
  seenMenu->shown = true;
  GetWindowRect(window, &seenMenu->bounds);
  auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
  for (int index = 0; index < GetMenuItemCount(menu); ++index) {
    char caption[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(index), caption, sizeof caption, MF_BYPOSITION);
    seenMenu->items.push_back(caption);
  }
  answerMenu(window);
}

// The access key chooses the command; Esc leaves the menu.
void ChooseByAccessKey(HWND menu) {
  PostMessageA(menu, WM_CHAR, 'c', 0);
}

void Dismiss(HWND) {
  EndMenu();
}

class WindowsCopyCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DrainMessages();
    services_.files.insert("demo.elf");
    services_.files.insert("tools\\ravlink-serial.exe");
    app_ = std::make_unique<App>(services_.interfaces(), toolkit_);
    ASSERT_TRUE(app_->start());
    app_->frmMain().txtUpload->setText("demo.elf");
    execute_ = ChildWindow(app_->frmMain().form(), "cmdExecute");
    seenMenu = &seen_;
  }
  void TearDown() override {
    seenMenu = nullptr;
    answerMenu = nullptr;
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    app_.reset();
    DrainMessages();
  }
  std::string tip() { return app_->frmMain().cmdExecute->tipText(); }
  // The context menu request as the system sends it to the button, which passes it on to its
  // parent; returns once the menu has closed.
  void requestMenu(LPARAM at, std::function<void(HWND)> answer) {
    answerMenu = std::move(answer);
    SetTimer(nullptr, 0, 10, &ReadAndAnswerMenu);
    SendMessageA(execute_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(execute_), at);
    DrainMessages();
  }
  LPARAM centreOnScreen() {
    RECT bounds;
    GetWindowRect(execute_, &bounds);
    return MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  }
  // A key press as the message loop takes it from the queue, with these keys held down.
  bool pressWithHeld(const std::vector<int>& held, WPARAM key, LPARAM flags = 1) {
    BYTE keys[256] = {};
    for (int virtualKey : held) keys[virtualKey] = 0x80;
    SetKeyboardState(keys);
    MSG message{GetFocus(), WM_KEYDOWN, key, flags, 0, {}};
    bool handled = TranslateFormMessage(message);
    BYTE none[256] = {};
    SetKeyboardState(none);
    return handled;
  }

  FakeServices services_;
  Win32Toolkit toolkit_{GetModuleHandleA(nullptr)};
  std::unique_ptr<App> app_;
  HWND execute_ = nullptr;
  SeenMenu seen_;
};

TEST_F(WindowsCopyCommandLineTest, TheRightButtonsMenuCopiesTheTip) {
  requestMenu(centreOnScreen(), ChooseByAccessKey);
  ASSERT_TRUE(seen_.shown);
  EXPECT_EQ(seen_.items, std::vector<std::string>{"&Copy Command Line\tCtrl+Shift+C"});
  ASSERT_EQ(services_.copied.size(), 1u);
  EXPECT_EQ(services_.copied[0], tip());
  EXPECT_EQ(services_.copied[0],
            "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"demo.elf\"");
  EXPECT_TRUE(services_.messages.empty());
}

// Shift+F10 and the menu key ask without a point: the menu opens over the button.
TEST_F(WindowsCopyCommandLineTest, TheKeyboardsMenuOpensOverTheButton) {
  requestMenu(-1, ChooseByAccessKey);
  ASSERT_TRUE(seen_.shown);
  RECT button;
  GetWindowRect(execute_, &button);
  POINT corner{seen_.bounds.left, seen_.bounds.top};
  EXPECT_TRUE(PtInRect(&button, corner))
      << corner.x << "," << corner.y << " outside " << button.left << "," << button.top;
  ASSERT_EQ(services_.copied.size(), 1u);
  EXPECT_EQ(services_.copied[0], tip());
}

TEST_F(WindowsCopyCommandLineTest, LeavingTheMenuCopiesNothing) {
  requestMenu(centreOnScreen(), Dismiss);
  EXPECT_TRUE(seen_.shown);
  EXPECT_TRUE(services_.copied.empty());
}

struct KeysCase {
  const char* name;
  std::vector<int> held;
  LPARAM flags;
  bool copies;
};

const KeysCase kKeys[] = {
    {"CtrlShiftC", {VK_CONTROL, VK_SHIFT}, 1, true},
    {"HeldDownItRepeatsNot", {VK_CONTROL, VK_SHIFT}, 1 | (1 << 30), false},
    {"CtrlCAlone", {VK_CONTROL}, 1, false},
    {"ShiftCAlone", {VK_SHIFT}, 1, false},
    {"CtrlAltShiftC", {VK_CONTROL, VK_MENU, VK_SHIFT}, 1, false},
};

// From any control of the window: Browse has the focus after start-up, then the file box, which
// the shortcut types nothing into. Other keys go on as before (Shift+C types a C).
TEST_F(WindowsCopyCommandLineTest, CtrlShiftCAloneCopiesFromAnywhereInTheWindow) {
  for (const char* focus : {"cmdBrowse", "txtUpload"}) {
    for (const auto& c : kKeys) {
      app_->frmMain().txtUpload->setText("demo.elf");
      SetFocus(ChildWindow(app_->frmMain().form(), focus));
      services_.copied.clear();
      bool handled = pressWithHeld(c.held, 'C', c.flags);
      DrainMessages();
      EXPECT_TRUE(handled || !c.copies) << focus << " " << c.name;
      EXPECT_EQ(services_.copied.size(), c.copies ? 1u : 0u) << focus << " " << c.name;
      if (c.copies) {
        EXPECT_EQ(app_->frmMain().txtUpload->text(), "demo.elf") << focus;
      }
    }
  }
}

// With the options dialog open the main window takes no keys; the dialog has no such command.
TEST_F(WindowsCopyCommandLineTest, TheOptionsDialogHasNoCopyCommand) {
  app_->frmOptions().form().show();
  SetFocus(ChildWindow(app_->frmOptions().form(), "txtAddress"));
  pressWithHeld({VK_CONTROL, VK_SHIFT}, 'C');
  DrainMessages();
  EXPECT_TRUE(services_.copied.empty());
  app_->frmOptions().form().hide();
}

TEST_F(WindowsCopyCommandLineTest, ARefusedPressShowsWhyAndCopiesNothing) {
  app_->frmMain().txtUpload->setText("nothere.elf");
  SetFocus(ChildWindow(app_->frmMain().form(), "txtUpload"));
  EXPECT_TRUE(pressWithHeld({VK_CONTROL, VK_SHIFT}, 'C'));
  EXPECT_TRUE(services_.copied.empty());
  EXPECT_EQ(services_.messages, std::vector<std::string>{"Sorry, that file does not exist!"});
}

std::optional<std::string> ReadText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::optional<std::wstring> ReadWideText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Both forms of the text: the 8-bit one as given, the wide one as the code page reads it.
TEST_F(WindowsCopyCommandLineTest, TheClipboardHoldsTheTextInBothForms) {
  Win32Clipboard clipboard;
  std::string line = "tools\\arp.exe -s 1 2\r\ntools\\x.exe \"d\xE9mo  1.elf\"";
  ASSERT_TRUE(clipboard.putText(&app_->frmMain().form(), line));
  EXPECT_EQ(ReadText(), line);
  wchar_t wide[64] = {};
  MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, wide, 64);
  EXPECT_EQ(ReadWideText(), std::wstring(wide));
}

}  // namespace
}  // namespace loadergui::win32
