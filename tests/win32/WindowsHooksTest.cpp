// Combo-box lists, the drop-down event, hover tips and dropped files on the real windows.
#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "WindowsTestSupport.h"
#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::DrainMessages;
using formtest::FormWindow;
using Items = std::vector<std::string>;

class WindowsHooksTest : public ::testing::Test {
 protected:
  formtest::FormFixture fixture_;
  ui::Form& main_ = fixture_.build(MainWindowLayout());
  ui::Form& options_ = fixture_.build(OptionsDialogLayout());
};

// ---- setItems

struct ItemsCase {
  const char* name;
  const char* text;  // the edit text before and after
  Items items;
};

const ItemsCase kItemsCases[] = {
    {"TextThatIsAnItem", "COM1", {"COM3", "COM1", "COM7"}},
    {"TextThatIsNoItem", "COM7.x", {"COM1", "COM2"}},
    {"PrefixOfAnItem", "CO", {"COM12"}},
    {"EmptyText", "", {"COM4"}},
    {"EmptyList", "COM9", {}},
    {"ManyItems",
     "COM2",
     {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10"}},
};

TEST_F(WindowsHooksTest, SetItemsReplacesTheListAndKeepsTheEditText) {
  ui::Control& port = options_.control("cmbCOMPort");
  HWND combo = ChildWindow(options_, "cmbCOMPort");
  for (const ItemsCase& entry : kItemsCases) {
    SCOPED_TRACE(entry.name);
    port.setText(entry.text);
    port.setItems(entry.items);
    EXPECT_EQ(port.items(), entry.items);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(entry.items.size()));
    EXPECT_EQ(port.text(), entry.text);
    EXPECT_EQ(WindowText(combo), entry.text);
  }
}

TEST_F(WindowsHooksTest, SetItemsKeepsTheCaretWhereTheUserLeftIt) {
  ui::Control& port = options_.control("cmbCOMPort");
  HWND combo = ChildWindow(options_, "cmbCOMPort");
  port.setText("COM123");
  SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(2, 4));
  port.setItems({"COM1", "COM2"});
  DWORD start = 0, end = 0;
  SendMessageA(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 4u);
}

TEST_F(WindowsHooksTest, SetItemsLeavesTheClosedBoxAsHighAsTheTableSays) {
  HWND combo = ChildWindow(options_, "cmbCOMPort");
  PixelRect before = formtest::RectInParent(combo);
  options_.control("cmbCOMPort").setItems(kItemsCases[5].items);
  PixelRect after = formtest::RectInParent(combo);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.height, before.height);
  EXPECT_EQ(after.width, before.width);
}

struct OtherKindCase {
  bool onMain;
  const char* control;
};

const OtherKindCase kOtherKinds[] = {
    {false, "txtAddress"},  {false, "cbARP"},          {false, "cmdOK"},
    {false, "lblBaudrate"}, {true, "mnuConfigUpload"}, {true, "mnuConfig"},
};

TEST_F(WindowsHooksTest, SetItemsDoesNothingToOtherKindsOfControl) {
  for (const OtherKindCase& entry : kOtherKinds) {
    SCOPED_TRACE(entry.control);
    ui::Control& control = (entry.onMain ? main_ : options_).control(entry.control);
    std::string text = control.text();
    control.setItems({"one", "two"});
    EXPECT_EQ(control.text(), text);
    EXPECT_TRUE(control.items().empty());
  }
  main_.caption().setItems({"one"});
  EXPECT_EQ(main_.caption().text(), MainWindowLayout().caption);
}

// ---- onDropDown

void SendDropDown(const ui::Form& form, const char* combo) {
  HWND window = ChildWindow(form, combo);
  SendMessageA(FormWindow(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), CBN_DROPDOWN),
               reinterpret_cast<LPARAM>(window));
}

TEST_F(WindowsHooksTest, DropDownNotificationRunsOnlyThatCombosHandler) {
  int port = 0, rate = 0;
  options_.control("cmbCOMPort").onDropDown = [&port] { ++port; };
  options_.control("cmbBaudrate").onDropDown = [&rate] { ++rate; };
  SendDropDown(options_, "cmbCOMPort");
  EXPECT_EQ(port, 1);
  EXPECT_EQ(rate, 0);
  SendDropDown(options_, "cmbBaudrate");
  SendDropDown(options_, "cmbBaudrate");
  EXPECT_EQ(port, 1);
  EXPECT_EQ(rate, 2);
  SendDropDown(options_, "cmbIP");  // no handler: nothing happens
  // Other notifications of a combo box are no drop-down.
  HWND combo = ChildWindow(options_, "cmbCOMPort");
  for (WORD notification : {CBN_CLOSEUP, CBN_EDITCHANGE, CBN_SELCHANGE}) {
    SendMessageA(FormWindow(options_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), notification),
                 reinterpret_cast<LPARAM>(combo));
  }
  EXPECT_EQ(port, 1);
}

// Opening the real list: the items the handler sets are the ones in the list that drops down.
TEST_F(WindowsHooksTest, ItemsSetWhileDroppingDownAreTheOnesShown) {
  options_.show();
  ui::Control& port = options_.control("cmbCOMPort");
  // None starts with the box's text "COM1", which the open list would pick.
  const Items present = {"COM3", "COM7", "COM9"};
  int drops = 0;
  port.onDropDown = [&] {
    ++drops;
    port.setItems(present);
  };
  HWND combo = ChildWindow(options_, "cmbCOMPort");
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  DrainMessages();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  LRESULT listed = SendMessageA(info.hwndList, LB_GETCOUNT, 0, 0);
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  DrainMessages();
  EXPECT_EQ(drops, 1);
  EXPECT_TRUE(dropped);
  EXPECT_EQ(listed, 3);
  EXPECT_EQ(port.items(), present);
  EXPECT_EQ(port.text(), "COM1");
}

// ---- Hover tips

HWND TipWindow(const ui::Form& form) {
  return formtest::TipWindowOf(FormWindow(form));
}

// A preview as long as a command line with every option: two lines, about 300 characters.
std::string LongTip() {
  std::string folder = "C:\\Users\\player\\Documents\\Dreamcast homebrew\\";
  return "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -n -p -c \"" + folder +
         "chroot\" -i \"" + folder + "images\\disc one.iso\" -x \"" + folder +
         "builds\\release\\demo program.elf\"\r\nStarts the serial loader in a console window of "
         "its own";
}

TEST_F(WindowsHooksTest, EveryFormHasOneTooltipThatShowsLongTipsLongEnough) {
  for (ui::Form* form : {&main_, &options_}) {
    SCOPED_TRACE(std::string(form->name()));
    HWND tip = TipWindow(*form);
    ASSERT_NE(tip, nullptr);
    DWORD style = formtest::StyleOf(tip);
    EXPECT_EQ(style & (TTS_ALWAYSTIP | TTS_NOPREFIX), DWORD{TTS_ALWAYSTIP | TTS_NOPREFIX});
    EXPECT_GE(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 20000);
    // Wide enough for the tip to wrap into a few lines, not one per word.
    EXPECT_GE(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), TwipsToPixels(4 * 1440, WindowDpi(tip)));
    // One tool per child window, and one more for each combo box's edit field.
    LRESULT expected = 0;
    for (const ui::ControlLayout& row : form->layout().controls) {
      expected += row.kind == ui::ControlKind::ComboBox ? 2 : 1;
    }
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), expected);
  }
}

TEST_F(WindowsHooksTest, TipTextIsFetchedFromTheControlEachTimeTheTipShows) {
  ui::Control& execute = main_.control("cmdExecute");
  int asked = 0;
  execute.tipText = [&asked] {
    ++asked;
    return asked == 1 ? LongTip() : "second\r\nshow";
  };
  HWND tip = TipWindow(main_);
  HWND button = ChildWindow(main_, "cmdExecute");
  EXPECT_EQ(formtest::AskForTip(FormWindow(main_), button, tip), LongTip());
  EXPECT_EQ(formtest::AskForTip(FormWindow(main_), button, tip), "second\r\nshow");
  EXPECT_EQ(asked, 2);
}

TEST_F(WindowsHooksTest, AControlWithoutTipTextHasAnEmptyTip) {
  HWND tip = TipWindow(main_);
  EXPECT_EQ(formtest::AskForTip(FormWindow(main_), ChildWindow(main_, "cmdBrowse"), tip), "");
  main_.control("cmdBrowse").tipText = [] { return std::string(); };
  EXPECT_EQ(formtest::AskForTip(FormWindow(main_), ChildWindow(main_, "cmdBrowse"), tip), "");
}

TEST_F(WindowsHooksTest, AComboBoxsEditFieldShowsTheComboBoxsTip) {
  options_.control("cmbIP").tipText = [] { return std::string("the console's address"); };
  HWND tip = TipWindow(options_);
  EXPECT_EQ(
      formtest::AskForTip(FormWindow(options_), formtest::TypingWindow(options_, "cmbIP"), tip),
      "the console's address");
  EXPECT_EQ(formtest::AskForTip(FormWindow(options_), ChildWindow(options_, "cmbIP"), tip),
            "the console's address");
}

TEST_F(WindowsHooksTest, NotificationsFromOtherWindowsAreLeftAlone) {
  int asked = 0;
  main_.control("cmdExecute").tipText = [&asked] {
    ++asked;
    return std::string("preview");
  };
  HWND button = ChildWindow(main_, "cmdExecute");
  EXPECT_EQ(formtest::AskForTip(FormWindow(main_), button, button), "untouched");
  EXPECT_EQ(formtest::AskForTip(FormWindow(main_), button, TipWindow(options_)), "untouched");
  EXPECT_EQ(asked, 0);
}

TEST_F(WindowsHooksTest, RestingTheMouseOnAControlShowsItsTip) {
  main_.control("cmdExecute").tipText = [] { return LongTip(); };
  main_.show();
  HWND button = ChildWindow(main_, "cmdExecute");
  HWND tip = TipWindow(main_);
  RECT bounds;
  GetWindowRect(button, &bounds);
  // The pointer must move onto the button: one already resting there has nothing to report.
  SetCursorPos(0, 0);
  DrainMessages();
  SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  bool shown = testing::WaitUntil(
      [&] {
        DrainMessages();
        return IsWindowVisible(tip) != FALSE;
      },
      std::chrono::seconds(5));
  ASSERT_TRUE(shown);
  EXPECT_EQ(WindowText(tip), LongTip());
  RECT tipBounds;
  GetWindowRect(tip, &tipBounds);
  LRESULT wrapWidth = SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0);
  LOGFONTW font = formtest::FontOf(tip);
  EXPECT_EQ(formtest::FaceOf(font), formtest::FaceOf(formtest::SystemMessageFont()));
  // The margins add a few pixels to the wrapping width; three lines at the least.
  EXPECT_LE(tipBounds.right - tipBounds.left, wrapWidth + 40);
  EXPECT_GE(tipBounds.bottom - tipBounds.top, 3 * std::abs(font.lfHeight));
  std::string folder = formtest::ScreenshotFolder();
  if (!folder.empty()) {
    EXPECT_TRUE(formtest::WriteWindowBitmap(
        tip, folder + "\\tip-" + std::to_string(WindowDpi(tip)) + "dpi.bmp"));
  }
  SetCursorPos(0, 0);
  DrainMessages();
}

// The tooltip learns of the mouse from the message loop; it does not subclass the controls.
TEST_F(WindowsHooksTest, TipsLeaveTheControlsWindowProceduresAlone) {
  main_.control("cmdExecute").tipText = [] { return std::string("preview"); };
  main_.show();
  for (const ui::ControlLayout& row : MainWindowLayout().controls) {
    if (row.kind != ui::ControlKind::Button && row.kind != ui::ControlKind::Label) continue;
    HWND child = ChildWindow(main_, row.name);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_WNDPROC), GetClassLongPtrA(child, GCLP_WNDPROC))
        << row.name;
  }
}

// ---- Dropped files

struct DropCase {
  const char* name;
  Items paths;
};

const DropCase kDrops[] = {
    {"OneFile", {"C:\\games\\demo.bin"}},
    {"SeveralInOrder", {"Z:\\tmp\\b.bin", "C:\\a folder\\a.elf", "C:\\image.iso"}},
    {"AFolder", {"C:\\windows"}},
};

TEST_F(WindowsHooksTest, DroppedFilesReachTheHandlerInOrder) {
  for (const DropCase& drop : kDrops) {
    SCOPED_TRACE(drop.name);
    std::vector<Items> received;
    main_.onDropFiles = [&received](const Items& paths) { received.push_back(paths); };
    PostMessageA(FormWindow(main_), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(formtest::MakeDrop(drop.paths)), 0);
    DrainMessages();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], drop.paths);
  }
}

TEST_F(WindowsHooksTest, ADropIsReleasedBeforeTheHandlerRuns) {
  HDROP drop = formtest::MakeDrop({"C:\\one.bin"});
  UINT flagsMeanwhile = 0;
  options_.onDropFiles = [&](const Items&) { flagsMeanwhile = GlobalFlags(drop); };
  SendMessageA(FormWindow(options_), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(flagsMeanwhile, UINT{GMEM_INVALID_HANDLE});
}

TEST_F(WindowsHooksTest, AFormWithoutADropHandlerIgnoresDrops) {
  HDROP drop = formtest::MakeDrop({"C:\\one.bin"});
  SendMessageA(FormWindow(main_), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(GlobalFlags(drop), UINT{GMEM_INVALID_HANDLE});
  EXPECT_TRUE(IsWindow(FormWindow(main_)));
}

TEST_F(WindowsHooksTest, OnlyFormsWithADropHandlerAcceptFilesWhenShown) {
  main_.onDropFiles = [](const Items&) {};
  main_.show();
  options_.show();
  auto accepts = [](const ui::Form& form) {
    return (GetWindowLongPtrA(FormWindow(form), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
  };
  EXPECT_TRUE(accepts(main_));
  EXPECT_FALSE(accepts(options_));
  options_.hide();
  options_.onDropFiles = [](const Items&) {};
  main_.onDropFiles = nullptr;
  options_.show();
  main_.show();
  EXPECT_TRUE(accepts(options_));
  EXPECT_FALSE(accepts(main_));
}

}  // namespace
}  // namespace loadergui::win32
