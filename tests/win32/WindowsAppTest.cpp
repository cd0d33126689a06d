// The whole program on real windows: start-up, the Config menu, the options dialog, Exit.
#include <gtest/gtest.h>

#include <functional>

#include "FakeServices.h"
#include "WindowsTestSupport.h"
#include "app/App.h"
#include "app/Handlers.h"
#include "platform/Services.h"

namespace loadergui::win32 {
namespace {

using formtest::ChildWindow;
using formtest::DrainMessages;
using formtest::FakeServices;
using formtest::FormWindow;

// Runs an action from inside the next message loop, which is how a test acts while a modal
// dialog's own loop is running.
std::function<void()> pendingAction;

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto action = std::move(pendingAction);
  pendingAction = nullptr;
  if (action) action();
}

void WhileModal(std::function<void()> action) {
  pendingAction = std::move(action);
  SetTimer(nullptr, 0, 10, &RunPendingAction);
}

bool ShowsOnScreen(HWND window) {
  return IsWindowVisible(window) != FALSE;
}

class WindowsAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DrainMessages();
    app_ = std::make_unique<App>(services_.interfaces(), toolkit_);
    ASSERT_TRUE(app_->start());
    main_ = FormWindow(app_->frmMain().form());
  }
  void TearDown() override {
    app_.reset();
    DrainMessages();
  }

  ui::Form& options() { return app_->frmOptions().form(); }
  HWND mainChild(const char* name) { return ChildWindow(app_->frmMain().form(), name); }
  HWND optionsChild(const char* name) { return ChildWindow(options(), name); }
  bool menuChecked(const char* caption) {
    HMENU bar = GetMenu(main_);
    UINT id = formtest::MenuCommand(main_, caption);
    return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  void openOptions() { formtest::ChooseMenuItem(main_, "Ravlink &Configuration"); }
  void screenshot(HWND window, const std::string& name) {
    std::string folder = formtest::ScreenshotFolder();
    if (folder.empty()) return;
    EXPECT_TRUE(formtest::WriteWindowBitmap(window, folder + "\\" + name + ".bmp")) << name;
  }

  FakeServices services_;
  Win32Toolkit toolkit_{GetModuleHandleA(nullptr)};
  std::unique_ptr<App> app_;
  HWND main_ = nullptr;
};

TEST_F(WindowsAppTest, StartsWithTheSerialLoaderInUploadAndExecuteMode) {
  EXPECT_TRUE(ShowsOnScreen(main_));
  EXPECT_EQ(WindowText(main_), "Ravlink Serial GUI 2.0");
  EXPECT_TRUE(menuChecked("Ravlink &Serial"));
  EXPECT_FALSE(menuChecked("Ravlink &IP"));
  EXPECT_FALSE(menuChecked("&Upload"));
  EXPECT_TRUE(menuChecked("Upload and &Execute"));
  EXPECT_FALSE(menuChecked("&Download"));
  EXPECT_TRUE(ShowsOnScreen(mainChild("txtUpload")));
  EXPECT_FALSE(ShowsOnScreen(mainChild("txtDownload")));
  EXPECT_EQ(WindowText(mainChild("cmdExecute")), "Upload and &Execute");
  EXPECT_EQ(WindowText(mainChild("lblInformation")),
            "Upload through the serial port, COM1 at 115200bps");
  EXPECT_EQ(GetFocus(), mainChild("cmdBrowse"));
  EXPECT_EQ(app_->frmMain().form().focusedControl(), "cmdBrowse");
  // The options dialog was loaded by start-up and waits, hidden.
  ASSERT_TRUE(app_->optionsLoaded());
  EXPECT_FALSE(ShowsOnScreen(FormWindow(options())));
  EXPECT_EQ(WindowText(FormWindow(options())), "Ravlink Serial Confirguration Options");
  EXPECT_TRUE(services_.messages.empty());
  screenshot(main_, "main-serial");
}

struct MenuStep {
  const char* menuItem;
  const char* caption;
  const char* checkedMode;
  const char* execute;
  const char* browse;
  const char* filename;
  bool uploadShown;
  const char* information;
};

const MenuStep kMenuSteps[] = {
    {"&Download", "Ravlink Serial GUI 2.0", "&Download", "&Download", "&Save",
     "Save a file to download", false, "Download through the serial port, COM1 at 115200bps"},
    {"Ravlink &IP", "Ravlink IP GUI 2.0", "&Download", "&Download", "&Save",
     "Save a file to download", false, "Download through IP, 192.168.0.0"},
    {"&Upload", "Ravlink IP GUI 2.0", "&Upload", "&Upload", "&Browse", "Select a file to upload",
     true, "Upload through IP, 192.168.0.0"},
    {"Upload and &Execute", "Ravlink IP GUI 2.0", "Upload and &Execute", "Upload and &Execute",
     "&Browse", "Select a file to upload", true, "Upload through IP, 192.168.0.0"},
    {"&Download", "Ravlink IP GUI 2.0", "&Download", "&Download", "&Save",
     "Save a file to download", false, "Download through IP, 192.168.0.0"},
    {"Ravlink &Serial", "Ravlink Serial GUI 2.0", "&Download", "&Download", "&Save",
     "Save a file to download", false, "Download through the serial port, COM1 at 115200bps"},
    {"&Upload", "Ravlink Serial GUI 2.0", "&Upload", "&Upload", "&Browse",
     "Select a file to upload", true, "Upload through the serial port, COM1 at 115200bps"},
};

const char* const kModeItems[] = {"&Upload", "Upload and &Execute", "&Download"};

TEST_F(WindowsAppTest, ConfigMenuSwitchesVariantAndModeOnTheRealControls) {
  SetWindowTextA(mainChild("txtUpload"), "C:\\chosen.bin");
  for (const MenuStep& step : kMenuSteps) {
    SCOPED_TRACE(std::string("after ") + step.menuItem);
    formtest::ChooseMenuItem(main_, step.menuItem);
    bool serial = std::strcmp(step.caption, "Ravlink Serial GUI 2.0") == 0;
    EXPECT_EQ(WindowText(main_), step.caption);
    EXPECT_EQ(menuChecked("Ravlink &Serial"), serial);
    EXPECT_EQ(menuChecked("Ravlink &IP"), !serial);
    for (const char* mode : kModeItems) {
      EXPECT_EQ(menuChecked(mode), std::strcmp(mode, step.checkedMode) == 0) << mode;
    }
    EXPECT_EQ(WindowText(mainChild("cmdExecute")), step.execute);
    EXPECT_EQ(WindowText(mainChild("cmdBrowse")), step.browse);
    EXPECT_EQ(WindowText(mainChild("lblFilename")), step.filename);
    EXPECT_EQ(WindowText(mainChild("lblInformation")), step.information);
    EXPECT_EQ(ShowsOnScreen(mainChild("txtUpload")), step.uploadShown);
    EXPECT_EQ(ShowsOnScreen(mainChild("txtDownload")), !step.uploadShown);
    // The dialog follows the variant even while hidden.
    HWND dialog = FormWindow(options());
    EXPECT_EQ(WindowText(dialog), serial ? "Ravlink Serial Confirguration Options"
                                         : "Ravlink IP Confirguration Options");
    EXPECT_EQ(WindowText(optionsChild("lblCOMPort")),
              serial ? "Select a device (Default: COM1)" : "Set an IP (Default: 192.168.0.0)");
    for (const char* name : {"cmbCOMPort", "cmbBaudrate"}) {
      EXPECT_EQ((formtest::StyleOf(optionsChild(name)) & WS_VISIBLE) != 0, serial) << name;
    }
    for (const char* name : {"cmbIP", "cbARP", "txtARP"}) {
      EXPECT_EQ((formtest::StyleOf(optionsChild(name)) & WS_VISIBLE) != 0, !serial) << name;
    }
  }
  EXPECT_EQ(WindowText(mainChild("txtUpload")), "C:\\chosen.bin");
  formtest::ChooseMenuItem(main_, "Ravlink &IP");
  screenshot(main_, "main-ip");
}

struct Dependency {
  const char* checkBox;
  std::vector<const char*> dependents;
};

const Dependency kDependencies[] = {
    {"cbChroot", {"txtChroot", "cmdChroot"}},
    {"cbCDFSRedir", {"txtCDFSRedir", "cmdCDFSRedir"}},
    {"cbARP", {"txtARP"}},
};

// Clicks each check box of the open dialog and checks that its dependents follow; Esc then
// cancels, which puts back every value and enabled state.
TEST_F(WindowsAppTest, OptionsDialogEnabledStatesFollowTheirCheckBoxes) {
  formtest::ChooseMenuItem(main_, "Ravlink &IP");  // cbARP is shown only for the IP loader
  bool ran = false;
  WhileModal([&] {
    ran = true;
    HWND dialog = FormWindow(options());
    EXPECT_TRUE(ShowsOnScreen(dialog));
    EXPECT_FALSE(IsWindowEnabled(main_));
    for (const Dependency& dependency : kDependencies) {
      SCOPED_TRACE(dependency.checkBox);
      HWND box = optionsChild(dependency.checkBox);
      for (LRESULT state : {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}) {
        SendMessageA(box, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), state);
        for (const char* dependent : dependency.dependents) {
          EXPECT_EQ(IsWindowEnabled(optionsChild(dependent)) != FALSE, state == BST_CHECKED)
              << dependent;
        }
      }
    }
    formtest::PressKey(VK_ESCAPE);
  });
  openOptions();
  ASSERT_TRUE(ran);
  EXPECT_FALSE(ShowsOnScreen(FormWindow(options())));
  EXPECT_TRUE(IsWindowEnabled(main_));
  for (const Dependency& dependency : kDependencies) {
    EXPECT_EQ(SendMessageA(optionsChild(dependency.checkBox), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    for (const char* dependent : dependency.dependents) {
      EXPECT_FALSE(IsWindowEnabled(optionsChild(dependent))) << dependent;
    }
  }
}

// The baud-rate filter lets digits through and beeps for the rest; Enter presses OK, which
// refreshes the information line from the new rate.
TEST_F(WindowsAppTest, TypedBaudRateIsFilteredAndOkRefreshesTheInformationLine) {
  WhileModal([&] {
    options().control("cmbBaudrate").setFocus();
    HWND edit = formtest::TypingWindow(options(), "cmbBaudrate");
    SetWindowTextA(edit, "");
    for (char typed : std::string("57x6.00")) PostMessageA(edit, WM_CHAR, typed, 1);
    DrainMessages();
    EXPECT_EQ(WindowText(optionsChild("cmbBaudrate")), "57600");
    formtest::PressKey(VK_RETURN);
  });
  openOptions();
  EXPECT_EQ(services_.beeps, 2);
  EXPECT_FALSE(ShowsOnScreen(FormWindow(options())));
  EXPECT_EQ(WindowText(mainChild("lblInformation")),
            "Upload through the serial port, COM1 at 57600bps");
}

TEST_F(WindowsAppTest, TheDialogsCloseBoxActsLikeCancelAndKeepsTheDialog) {
  WhileModal([&] {
    SetWindowTextA(optionsChild("txtAddress"), "0x8c000000");
    SendMessageA(FormWindow(options()), WM_CLOSE, 0, 0);
  });
  openOptions();
  HWND dialog = FormWindow(options());
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_FALSE(ShowsOnScreen(dialog));
  EXPECT_EQ(WindowText(optionsChild("txtAddress")), "0x8c010000");
  EXPECT_EQ(services_.writes, 0);
}

TEST_F(WindowsAppTest, ExitSavesOnceClosesBothWindowsAndEndsTheLoop) {
  HWND dialog = FormWindow(options());
  formtest::ChooseMenuItem(main_, "E&xit");
  EXPECT_TRUE(app_->ended());
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(services_.written["RAVLINK"], "Serial");
  EXPECT_EQ(services_.written["TYPE"], "Upload and &Execute");
  EXPECT_EQ(services_.writes, FakeServices::kKeysPerSave);
  EXPECT_TRUE(DrainMessages());  // WM_QUIT
}

TEST_F(WindowsAppTest, TheMainWindowsCloseBoxUnloadsTheProgram) {
  SendMessageA(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app_->ended());
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(services_.writes, FakeServices::kKeysPerSave);
  EXPECT_TRUE(DrainMessages());
}

// Logging off or shutting down ends the process without a close request. The system asks every
// top-level window whether the session may end, then tells each that it ends.
void EndTheSession(const std::vector<HWND>& windows) {
  for (HWND window : windows) EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
  for (HWND window : windows) SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
}

TEST_F(WindowsAppTest, TheEndOfTheSessionSavesOnce) {
  HWND dialog = FormWindow(options());
  SetWindowTextA(optionsChild("txtAddress"), "0x8c000000");
  EndTheSession({dialog, main_});
  EXPECT_TRUE(app_->ended());
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(services_.writes, FakeServices::kKeysPerSave);
  EXPECT_EQ(services_.written["ADDRESS"], "0x8c000000");
  EXPECT_TRUE(DrainMessages());
}

// With the options dialog open, its values as they stand are saved, as at any close.
TEST_F(WindowsAppTest, TheEndOfTheSessionWithTheOptionsOpenSavesTheirValuesAsTheyStand) {
  WhileModal([&] {
    SetWindowTextA(optionsChild("cmbBaudrate"), "9600");
    SendMessageA(optionsChild("cbNoConsole"), BM_CLICK, 0, 0);
    EndTheSession({FormWindow(options()), main_});
  });
  openOptions();
  EXPECT_TRUE(app_->ended());
  EXPECT_EQ(services_.writes, FakeServices::kKeysPerSave);
  EXPECT_EQ(services_.written["BAUDRATE"], "9600");
  EXPECT_EQ(services_.written["NOCONSOLE"], "1");
  DrainMessages();
}

// A session end that another program refused (WM_ENDSESSION with FALSE) changes nothing.
TEST_F(WindowsAppTest, ACancelledEndOfSessionLeavesTheProgramRunning) {
  EXPECT_TRUE(SendMessageA(main_, WM_QUERYENDSESSION, 0, 0));
  SendMessageA(main_, WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(app_->ended());
  EXPECT_TRUE(IsWindow(main_));
  EXPECT_EQ(services_.writes, 0);
}

TEST_F(WindowsAppTest, WritesScreenshotsOfBothWindowsInBothVariants) {
  if (formtest::ScreenshotFolder().empty()) GTEST_SKIP() << "LOADERGUI_SCREENSHOTS is not set";
  for (const char* variant : {"serial", "ip"}) {
    SCOPED_TRACE(variant);
    formtest::ChooseMenuItem(main_,
                             variant == std::string("ip") ? "Ravlink &IP" : "Ravlink &Serial");
    DrainMessages();
    screenshot(main_, std::string("main-") + variant);
    WhileModal([&] {
      DrainMessages();
      screenshot(FormWindow(options()), std::string("options-") + variant);
      formtest::PressKey(VK_ESCAPE);
    });
    openOptions();
  }
}

// ---- The program's own handlers behind the new hooks

TEST_F(WindowsAppTest, AFileDroppedOnTheMainWindowGoesIntoTheFileBox) {
  EXPECT_NE(GetWindowLongPtrA(main_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  SendMessageA(main_, WM_DROPFILES,
               reinterpret_cast<WPARAM>(formtest::MakeDrop({"C:\\games\\demo.elf", "C:\\b.bin"})),
               0);
  EXPECT_EQ(WindowText(mainChild("txtUpload")), "C:\\games\\demo.elf");
  services_.folders.insert("C:\\games");
  SendMessageA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(formtest::MakeDrop({"C:\\games"})), 0);
  EXPECT_EQ(WindowText(mainChild("txtUpload")), "C:\\games\\demo.elf");
  EXPECT_EQ(services_.messages.size(), 1u);
}

TEST_F(WindowsAppTest, TheDeviceListDropsDownWithThePortsPresent) {
  services_.ports = {"COM12", "com7", "COM2"};
  HWND combo = optionsChild("cmbCOMPort");
  SendMessageA(FormWindow(options()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_DROPDOWN),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(options().control("cmbCOMPort").items(),
            (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM7", "COM12"}));
  EXPECT_EQ(WindowText(combo), "COM1");
}

// Whatever the program would say about a press, the tip says it, through the real tooltip.
TEST_F(WindowsAppTest, TheExecuteButtonsTipIsThePreviewOfAPress) {
  HWND tip = formtest::TipWindowOf(main_);
  ASSERT_NE(tip, nullptr);
  std::string expected = frmMain::cmdExecute_Tip(*app_);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(formtest::AskForTip(main_, mainChild("cmdExecute"), tip), expected);
  EXPECT_EQ(formtest::AskForTip(main_, mainChild("cmdBrowse"), tip), "");
}

// The runs at 144 and 192 DPI take this one too: the windows as the program shows them, at
// whatever DPI the system has.
TEST_F(WindowsAppTest, WritesScreenshotsAtTheSystemDpi) {
  if (formtest::ScreenshotFolder().empty()) GTEST_SKIP() << "LOADERGUI_SCREENSHOTS is not set";
  std::string dpi = std::to_string(WindowDpi(main_)) + "dpi";
  DrainMessages();
  screenshot(main_, "main-" + dpi);
  WhileModal([&] {
    DrainMessages();
    screenshot(FormWindow(options()), "options-" + dpi);
    formtest::PressKey(VK_ESCAPE);
  });
  openOptions();
  EXPECT_FALSE(ShowsOnScreen(FormWindow(options())));
}

}  // namespace
}  // namespace loadergui::win32
