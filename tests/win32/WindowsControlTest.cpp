// Control state read back from the real windows, and the events that reach the handlers.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "WindowsTestSupport.h"
#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::DrainMessages;
using formtest::FormWindow;

void PostClick(const ui::Form& form, const char* button) {
  HWND window = ChildWindow(form, button);
  PostMessageA(FormWindow(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

class WindowsControlTest : public ::testing::Test {
 protected:
  formtest::FormFixture fixture_;
  ui::Form& main_ = fixture_.build(MainWindowLayout());
  ui::Form& options_ = fixture_.build(OptionsDialogLayout());
};

struct TextCase {
  bool onMain;
  const char* control;
};

const TextCase kTextCases[] = {
    {true, "cmdBrowse"},    {true, "lblInformation"}, {true, "txtUpload"},
    {false, "cmbBaudrate"}, {false, "cbChroot"},      {false, "txtAddress"},
};

TEST_F(WindowsControlTest, TextsGoIntoTheRealControls) {
  for (const auto& entry : kTextCases) {
    SCOPED_TRACE(entry.control);
    ui::Form& form = entry.onMain ? main_ : options_;
    ui::Control& control = form.control(entry.control);
    std::string text = std::string("New text of ") + entry.control + " & more";
    control.setText(text);
    EXPECT_EQ(WindowText(ChildWindow(form, entry.control)), text);
    EXPECT_EQ(control.text(), text);
    control.setText("");
    EXPECT_EQ(control.text(), "");
  }
  // A combo box keeps its list when its text changes.
  EXPECT_EQ(options_.control("cmbBaudrate").items().size(), 6u);
}

TEST_F(WindowsControlTest, CaptionIsTheWindowTitle) {
  main_.caption().setText("Ravlink IP GUI 2.0");
  EXPECT_EQ(WindowText(FormWindow(main_)), "Ravlink IP GUI 2.0");
  EXPECT_EQ(main_.caption().text(), "Ravlink IP GUI 2.0");
  EXPECT_EQ(main_.caption().kind(), ui::ControlKind::Caption);
}

TEST_F(WindowsControlTest, MenuItemCaptionAndCheckMarkLiveInTheMenu) {
  ui::Control& item = main_.control("mnuConfigDownload");
  HMENU config = GetSubMenu(GetMenu(FormWindow(main_)), 1);
  constexpr UINT kPosition = 5;  // Download is the sixth entry of the Config menu
  item.setChecked(true);
  EXPECT_TRUE(item.checked());
  EXPECT_NE(GetMenuState(config, kPosition, MF_BYPOSITION) & MF_CHECKED, 0u);
  item.setChecked(false);
  EXPECT_FALSE(item.checked());
  EXPECT_EQ(GetMenuState(config, kPosition, MF_BYPOSITION) & MF_CHECKED, 0u);
  item.setText("&Fetch");
  EXPECT_EQ(formtest::MenuCaption(config, kPosition), "&Fetch");
  EXPECT_EQ(item.text(), "&Fetch");
  item.setEnabled(false);
  EXPECT_FALSE(item.enabled());
  EXPECT_NE(GetMenuState(config, kPosition, MF_BYPOSITION) & MF_GRAYED, 0u);
  item.setEnabled(true);
  EXPECT_TRUE(item.enabled());
}

// The File menu as the menu itself holds it: each entry's caption, "-" for a separator.
std::vector<std::string> FileMenu(const ui::Form& form) {
  HMENU file = GetSubMenu(GetMenu(FormWindow(form)), 0);
  std::vector<std::string> captions;
  for (int position = 0; position < GetMenuItemCount(file); ++position) {
    UINT state = GetMenuState(file, static_cast<UINT>(position), MF_BYPOSITION);
    captions.push_back(
        (state & MF_SEPARATOR) ? "-" : formtest::MenuCaption(file, static_cast<UINT>(position)));
  }
  return captions;
}

// A Win32 menu cannot hide an entry: a hidden one leaves the menu and comes back to its place
// among the entries before it, with its caption, check mark, enabled state and command.
TEST_F(WindowsControlTest, MenuEntriesLeaveTheMenuAndComeBackToTheirPlace) {
  using Captions = std::vector<std::string>;
  const Captions kWithout{"Download &BIOS", "Download &Flash", "-", "E&xit"};
  ASSERT_EQ(FileMenu(main_), kWithout) << "the recent files' entries start hidden";
  ui::Control& first = main_.control("mnuRecent1");
  ui::Control& second = main_.control("mnuRecent2");
  ui::Control& bar = main_.control("BarRecent");
  EXPECT_FALSE(first.visible());
  EXPECT_EQ(first.text(), "&1");

  second.setText("&2 C:\\R&&D\\b.elf");
  second.setVisible(true);
  EXPECT_EQ(FileMenu(main_),
            (Captions{"Download &BIOS", "Download &Flash", "-", "&2 C:\\R&&D\\b.elf", "E&xit"}));
  first.setText("&1 C:\\a.elf");
  first.setVisible(true);
  bar.setVisible(true);
  const Captions kAll{
      "Download &BIOS", "Download &Flash", "-", "&1 C:\\a.elf", "&2 C:\\R&&D\\b.elf", "-", "E&xit"};
  EXPECT_EQ(FileMenu(main_), kAll);
  EXPECT_TRUE(first.visible());
  EXPECT_EQ(bar.text(), "-");

  second.setChecked(true);
  second.setEnabled(false);
  second.setVisible(false);
  EXPECT_FALSE(second.visible());
  EXPECT_TRUE(second.checked());
  EXPECT_FALSE(second.enabled());
  second.setText("&2 C:\\c.elf");
  EXPECT_EQ(second.text(), "&2 C:\\c.elf");
  EXPECT_EQ(FileMenu(main_),
            (Captions{"Download &BIOS", "Download &Flash", "-", "&1 C:\\a.elf", "-", "E&xit"}));
  second.setVisible(true);
  second.setVisible(true);  // shown twice is still once in the menu
  EXPECT_EQ(FileMenu(main_), (Captions{"Download &BIOS", "Download &Flash", "-", "&1 C:\\a.elf",
                                       "&2 C:\\c.elf", "-", "E&xit"}));
  UINT state = GetMenuState(GetSubMenu(GetMenu(FormWindow(main_)), 0), 4, MF_BYPOSITION);
  EXPECT_NE(state & MF_CHECKED, 0u);
  EXPECT_NE(state & MF_GRAYED, 0u);
  second.setEnabled(true);

  main_.control("Bar3").setVisible(false);
  EXPECT_EQ(FileMenu(main_), (Captions{"Download &BIOS", "Download &Flash", "&1 C:\\a.elf",
                                       "&2 C:\\c.elf", "-", "E&xit"}));
  main_.control("Bar3").setVisible(true);
  main_.control("mnuFile").setVisible(false);  // a menu of the bar stays
  EXPECT_TRUE(main_.control("mnuFile").visible());

  int chosen = 0;
  second.onClick = [&chosen] { ++chosen; };
  formtest::ChooseMenuItem(FormWindow(main_), "&2 C:\\c.elf");
  EXPECT_EQ(chosen, 1);
  for (ui::Control* entry : {&first, &second, &bar}) entry->setVisible(false);
  EXPECT_EQ(FileMenu(main_), kWithout);
}

TEST_F(WindowsControlTest, VisibilityIsTheControlsOwnEvenInAHiddenForm) {
  ui::Control& download = main_.control("txtDownload");
  HWND window = ChildWindow(main_, "txtDownload");
  ASSERT_FALSE(main_.isShown());
  download.setVisible(false);
  EXPECT_FALSE(download.visible());
  EXPECT_EQ(formtest::StyleOf(window) & WS_VISIBLE, 0u);
  download.setVisible(true);
  EXPECT_TRUE(download.visible());
  EXPECT_FALSE(IsWindowVisible(window));  // the form itself is still hidden
  main_.show();
  EXPECT_TRUE(IsWindowVisible(window));
  download.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(download.visible());
}

TEST_F(WindowsControlTest, EnabledStateIsTheWindows) {
  ui::Control& chroot = options_.control("txtChroot");
  HWND window = ChildWindow(options_, "txtChroot");
  chroot.setEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_TRUE(chroot.enabled());
  chroot.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_FALSE(chroot.enabled());
}

TEST_F(WindowsControlTest, CheckBoxValuesAreTheButtonsCheckStates) {
  ui::Control& box = options_.control("cbNoConsole");
  HWND window = ChildWindow(options_, "cbNoConsole");
  int clicks = 0;
  box.onClick = [&clicks] { ++clicks; };
  const std::pair<int, LRESULT> values[] = {
      {ui::kTicked, BST_CHECKED}, {ui::kGreyed, BST_INDETERMINATE}, {ui::kCleared, BST_UNCHECKED}};
  int expectedClicks = 0;
  for (const auto& [value, state] : values) {
    box.setValue(value);
    ++expectedClicks;
    EXPECT_EQ(box.value(), value);
    EXPECT_EQ(SendMessageA(window, BM_GETCHECK, 0, 0), state);
    EXPECT_EQ(clicks, expectedClicks);
    box.setValue(value);  // the same value again is no change: no handler
    EXPECT_EQ(clicks, expectedClicks);
  }
}

// A click ticks a cleared or greyed box and clears a ticked one, running the handler once.
TEST_F(WindowsControlTest, ClickingACheckBoxTogglesItAndRunsItsHandlerOnce) {
  options_.show();
  ui::Control& box = options_.control("cbChroot");
  HWND window = ChildWindow(options_, "cbChroot");
  int clicks = 0;
  box.onClick = [&clicks] { ++clicks; };
  const int expectedAfterClick[] = {ui::kTicked, ui::kCleared, ui::kTicked};
  for (int expected : expectedAfterClick) {
    SendMessageA(window, BM_CLICK, 0, 0);
    EXPECT_EQ(box.value(), expected);
  }
  EXPECT_EQ(clicks, 3);
  box.setValue(ui::kGreyed);
  SendMessageA(window, BM_CLICK, 0, 0);
  EXPECT_EQ(box.value(), ui::kTicked);
  EXPECT_EQ(clicks, 5);
}

TEST_F(WindowsControlTest, ButtonClicksAndMenuCommandsRunTheirHandlers) {
  main_.show();
  int browse = 0, about = 0;
  main_.control("cmdBrowse").onClick = [&browse] { ++browse; };
  main_.control("mnuHelpAbout").onClick = [&about] { ++about; };
  SendMessageA(ChildWindow(main_, "cmdBrowse"), BM_CLICK, 0, 0);
  EXPECT_EQ(browse, 1);
  formtest::ChooseMenuItem(FormWindow(main_), "&About ");
  EXPECT_EQ(about, 1);
  EXPECT_EQ(browse, 1);
}

// The baud-rate filter's rule: digits and Backspace pass, anything else is discarded.
void DigitsOnly(int& keyAscii) {
  if (keyAscii != 8 && !std::isdigit(keyAscii)) keyAscii = 0;
}

TEST_F(WindowsControlTest, TypedCharactersGoThroughTheKeyHandler) {
  ui::Control& baudrate = options_.control("cmbBaudrate");
  std::vector<int> seen;
  baudrate.onKeyPress = [&seen](int& keyAscii) {
    seen.push_back(keyAscii);
    DigitsOnly(keyAscii);
  };
  baudrate.setText("");
  HWND edit = formtest::TypingWindow(options_, "cmbBaudrate");
  ASSERT_NE(edit, ChildWindow(options_, "cmbBaudrate"));
  PostMessageA(edit, WM_CHAR, 'a', 1);
  PostMessageA(edit, WM_CHAR, '5', 1);
  DrainMessages();
  EXPECT_EQ(baudrate.text(), "5");
  EXPECT_EQ(seen, (std::vector<int>{'a', '5'}));
  PostMessageA(edit, WM_CHAR, 8, 1);  // Backspace still deletes
  DrainMessages();
  EXPECT_EQ(baudrate.text(), "");
}

TEST_F(WindowsControlTest, AKeyHandlerCanReplaceTheCharacter) {
  ui::Control& address = options_.control("txtAddress");
  address.onKeyPress = [](int& keyAscii) { keyAscii = std::toupper(keyAscii); };
  address.setText("");
  HWND edit = formtest::TypingWindow(options_, "txtAddress");
  for (char typed : std::string("0xab")) PostMessageA(edit, WM_CHAR, typed, 1);
  DrainMessages();
  EXPECT_EQ(address.text(), "0XAB");
}

TEST_F(WindowsControlTest, WithoutAKeyHandlerEveryCharacterIsTyped) {
  ui::Control& port = options_.control("cmbCOMPort");
  port.setText("");
  HWND edit = formtest::TypingWindow(options_, "cmbCOMPort");
  for (char typed : std::string("COM7.x")) PostMessageA(edit, WM_CHAR, typed, 1);
  DrainMessages();
  EXPECT_EQ(port.text(), "COM7.x");
}

struct CloseCase {
  UINT message;
  WPARAM wParam;
};

const CloseCase kCloseCases[] = {{WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};

TEST_F(WindowsControlTest, CloseRequestsGoToTheFormAndDestroyNothing) {
  for (ui::Form* form : {&main_, &options_}) {
    int requests = 0;
    form->onCloseRequest = [&requests] { ++requests; };
    form->show();
    for (const auto& close : kCloseCases) {
      SendMessageA(FormWindow(*form), close.message, close.wParam, 0);
    }
    EXPECT_EQ(requests, 2);
    EXPECT_TRUE(IsWindow(FormWindow(*form)));
    EXPECT_TRUE(form->isShown());
  }
}

TEST_F(WindowsControlTest, TheLastWindowToGoEndsTheMessageLoop) {
  HWND mainWindow = FormWindow(main_);
  options_.destroy();
  EXPECT_EQ(options_.nativeHandle(), nullptr);
  EXPECT_FALSE(DrainMessages());  // one window is left
  main_.destroy();
  EXPECT_FALSE(IsWindow(mainWindow));
  EXPECT_EQ(fixture_.toolkit().liveWindows(), 0);
  EXPECT_TRUE(DrainMessages());
  // A destroyed form leaves its controls readable, empty.
  EXPECT_EQ(main_.control("cmdBrowse").text(), "");
  EXPECT_FALSE(main_.control("mnuRavlinkSerial").checked());
  main_.destroy();
  EXPECT_FALSE(main_.isShown());
}

TEST_F(WindowsControlTest, ShowCentresTheWindowOnTheScreen) {
  main_.show();
  EXPECT_TRUE(main_.isShown());
  RECT bounds;
  GetWindowRect(FormWindow(main_), &bounds);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(std::abs(bounds.left - (screenWidth - bounds.right)), 1);
  EXPECT_LE(std::abs(bounds.top - (screenHeight - bounds.bottom)), 1);
  main_.hide();
  EXPECT_FALSE(main_.isShown());
  EXPECT_TRUE(IsWindow(FormWindow(main_)));
}

// The modal loop runs until a handler hides the form; meanwhile the owner takes no input.
TEST_F(WindowsControlTest, ShowModalDisablesTheOwnerUntilTheFormIsHidden) {
  main_.show();
  HWND owner = FormWindow(main_);
  bool ownerEnabledMeanwhile = true;
  bool shownMeanwhile = false;
  options_.control("cmdOK").onClick = [&] {
    ownerEnabledMeanwhile = IsWindowEnabled(owner) != FALSE;
    shownMeanwhile = options_.isShown();
    options_.hide();
  };
  PostClick(options_, "cmdOK");
  options_.showModal(main_);
  EXPECT_TRUE(shownMeanwhile);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_FALSE(options_.isShown());
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetWindow(FormWindow(options_), GW_OWNER), owner);
  EXPECT_EQ(GetActiveWindow(), owner);
}

// Windows hides owned windows while their owner is minimised; that must not end the loop.
TEST_F(WindowsControlTest, OnlyHideEndsAModalLoopNotTheWindowDisappearing) {
  main_.show();
  bool modalReturned = false;
  bool okRanInsideTheLoop = false;
  options_.control("cmdDefault").onClick = [&] { ShowWindow(FormWindow(options_), SW_HIDE); };
  options_.control("cmdOK").onClick = [&] {
    okRanInsideTheLoop = !modalReturned;
    options_.hide();
  };
  PostClick(options_, "cmdDefault");
  PostClick(options_, "cmdOK");
  options_.showModal(main_);
  modalReturned = true;
  DrainMessages();
  EXPECT_TRUE(okRanInsideTheLoop);
  EXPECT_TRUE(IsWindowEnabled(FormWindow(main_)));
}

TEST_F(WindowsControlTest, AQuitMessageEndsAModalLoopAndIsPassedOn) {
  main_.show();
  PostQuitMessage(3);
  options_.showModal(main_);
  EXPECT_TRUE(IsWindowEnabled(FormWindow(main_)));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

TEST_F(WindowsControlTest, FocusIsReportedByControlName) {
  main_.show();
  main_.control("txtUpload").setFocus();
  EXPECT_EQ(main_.focusedControl(), "txtUpload");
  options_.show();
  options_.control("cmbIP").setFocus();
  EXPECT_EQ(options_.focusedControl(), "cmbIP");  // the focus is in its edit field
  EXPECT_EQ(main_.focusedControl(), "");
}

TEST_F(WindowsControlTest, AHiddenFormTakesItsFocusWhenShown) {
  options_.control("txtFilesize").setFocus();
  EXPECT_EQ(options_.focusedControl(), "");
  options_.show();
  EXPECT_EQ(options_.focusedControl(), "txtFilesize");
}

TEST_F(WindowsControlTest, HidingTheFocusedControlPassesTheFocusOn) {
  main_.show();
  main_.control("txtUpload").setFocus();
  main_.control("txtUpload").setVisible(false);
  EXPECT_EQ(main_.focusedControl(), "cmdExecute");
}

// ---- The keyboard, through the dialog manager

TEST_F(WindowsControlTest, EnterInATextBoxPressesTheDefaultButton) {
  int execute = 0, browse = 0;
  main_.control("cmdExecute").onClick = [&execute] { ++execute; };
  main_.control("cmdBrowse").onClick = [&browse] { ++browse; };
  main_.show();
  main_.control("txtUpload").setFocus();
  formtest::PressKey(VK_RETURN);
  EXPECT_EQ(execute, 1);
  EXPECT_EQ(browse, 0);
}

TEST_F(WindowsControlTest, EnterOnAFocusedButtonPressesThatButton) {
  int execute = 0, browse = 0;
  main_.control("cmdExecute").onClick = [&execute] { ++execute; };
  main_.control("cmdBrowse").onClick = [&browse] { ++browse; };
  main_.show();
  main_.control("cmdBrowse").setFocus();
  auto buttonType = [this](const char* name) {
    return formtest::StyleOf(ChildWindow(main_, name)) & 0x0F;
  };
  EXPECT_EQ(buttonType("cmdBrowse"), DWORD{BS_DEFPUSHBUTTON});
  EXPECT_EQ(buttonType("cmdExecute"), DWORD{BS_PUSHBUTTON});
  formtest::PressKey(VK_RETURN);
  EXPECT_EQ(browse, 1);
  EXPECT_EQ(execute, 0);
  // Away from the buttons the window's own default button takes the frame back.
  main_.control("txtUpload").setFocus();
  EXPECT_EQ(buttonType("cmdBrowse"), DWORD{BS_PUSHBUTTON});
  EXPECT_EQ(buttonType("cmdExecute"), DWORD{BS_DEFPUSHBUTTON});
}

TEST_F(WindowsControlTest, EscPressesTheCancelButtonWhereThereIsOne) {
  int cancel = 0, ok = 0;
  options_.control("cmdCancel").onClick = [&cancel] { ++cancel; };
  options_.control("cmdOK").onClick = [&ok] { ++ok; };
  options_.show();
  options_.control("txtAddress").setFocus();
  formtest::PressKey(VK_ESCAPE);
  EXPECT_EQ(cancel, 1);
  formtest::PressKey(VK_RETURN);
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(cancel, 1);
}

TEST_F(WindowsControlTest, EscOnTheMainWindowPressesNothing) {
  int clicks = 0;
  for (const char* name : {"cmdBrowse", "cmdExecute"}) {
    main_.control(name).onClick = [&clicks] { ++clicks; };
  }
  main_.show();
  main_.control("txtUpload").setFocus();
  formtest::PressKey(VK_ESCAPE);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(main_.isShown());
}

TEST_F(WindowsControlTest, TabMovesTheFocusInTableOrder) {
  main_.show();
  main_.control("cmdBrowse").setFocus();
  const char* expected[] = {"txtUpload", "cmdExecute", "txtDownload", "cmdBrowse"};
  for (const char* name : expected) {
    formtest::PressKey(VK_TAB);
    EXPECT_EQ(main_.focusedControl(), name);
  }
}

TEST_F(WindowsControlTest, AccessKeysPressTheirButtons) {
  int execute = 0;
  main_.control("cmdExecute").onClick = [&execute] { ++execute; };
  main_.show();
  main_.control("txtUpload").setFocus();
  PostMessageA(GetFocus(), WM_SYSCHAR, 'e', 0x20000001);  // Alt+E: "Upload and &Execute"
  DrainMessages();
  EXPECT_EQ(execute, 1);
}

}  // namespace
}  // namespace loadergui::win32
