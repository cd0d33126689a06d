// Copy Command Line: the Execute button's context menu command and its shortcut put exactly the
// tip's text on the clipboard, and nothing when a press would start nothing.
#include "AppFixture.h"
#include "app/Captions.h"
#include "app/Handlers.h"

namespace loadergui::testing {
namespace {

class CopyCommandLineTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("demo.elf");
    // Lines that went through the platform's shell form carry the mark, in the tip and the copy.
    services->shellMark = "$ ";
  }
  const ui::ContextCommand& copyCommand() {
    const auto& commands = mainControl("cmdExecute").contextCommands();
    EXPECT_EQ(commands.size(), 1u);
    return commands.at(0);
  }
  void copy() {
    services->messages.clear();
    copyCommand().run();
  }
};

TEST_F(CopyCommandLineTest, ExecuteButtonOffersItWithCtrlShiftC) {
  EXPECT_EQ(copyCommand().caption, "&Copy Command Line");
  EXPECT_EQ(ui::ShortcutText(copyCommand().shortcut), "Ctrl+Shift+C");
  for (const char* other : {"cmdBrowse", "txtUpload", "txtDownload", "lblInformation"}) {
    EXPECT_TRUE(mainControl(other).contextCommands().empty()) << other;
  }
}

struct CopyCase {
  const char* name;
  bool serial;
  const char* modeItem;
  const char* upload;
  const char* download;
  bool arp;
  const char* copied;
};

const CopyCase kCopies[] = {
    {"SerialUploadAndExecute", true, "mnuConfigUlexecute", "demo.elf", "", false,
     "$ tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"demo.elf\""},
    {"IpUploadWithArpIsTwoLines", false, "mnuConfigUpload", "demo.elf", "", true,
     "$ tools\\arp.exe -s 192.168.0.0 00-11-22-33-44-55\r\n"
     "$ tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -u \"demo.elf\""},
    {"BlanksAndTabsStayAsTheyAre", true, "mnuConfigDownload", "", "my  dump\t1.bin", false,
     "$ tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -s 0x10 -d "
     "\"my  dump\t1.bin\""},
};

TEST_F(CopyCommandLineTest, CopiesExactlyTheTipAndStartsNothing) {
  for (const auto& c : kCopies) {
    SCOPED_TRACE(c.name);
    mainControl(c.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
    mainControl(c.modeItem).click();
    mainControl("txtUpload").setText(c.upload);
    mainControl("txtDownload").setText(c.download);
    optionControl("txtFilesize").setText("0x10");
    optionControl("txtARP").setText("00-11-22-33-44-55");
    optionStub("cbARP").setValue(c.arp ? 1 : 0);
    services->copied.clear();
    services->processes.clear();
    copy();
    ASSERT_EQ(services->copied.size(), 1u);
    EXPECT_EQ(services->copied[0], c.copied);
    EXPECT_EQ(services->copied[0], mainControl("cmdExecute").tipText());
    EXPECT_TRUE(services->processes.empty());
    EXPECT_TRUE(services->messages.empty());
  }
}

TEST_F(CopyCommandLineTest, APressThatWouldDoNothingCopiesNothing) {
  mainControl("mnuConfigDownload").click();
  mainControl("mnuConfigDownload").setChecked(false);
  copy();
  EXPECT_TRUE(services->copied.empty());
  EXPECT_TRUE(services->messages.empty());
}

// A refusal is no command line: it is shown as the press would show it, and the clipboard keeps
// what the user had put there.
TEST_F(CopyCommandLineTest, ARefusedPressShowsWhyAndCopiesNothing) {
  mainControl("txtUpload").setText("nothere.elf");
  copy();
  EXPECT_TRUE(services->copied.empty());
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, that file does not exist!");
  EXPECT_EQ(services->messages[0].title, "Oops!");
  EXPECT_EQ(services->messages[0].owner, "frmMain");
  EXPECT_TRUE(services->processes.empty());
}

TEST_F(CopyCommandLineTest, AClipboardThatWillNotTakeItIsReported) {
  mainControl("txtUpload").setText("demo.elf");
  services->refuses = true;
  copy();
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, text::kClipboardRefused);
  EXPECT_EQ(services->messages[0].title, "Oops!");
}

TEST_F(CopyCommandLineTest, LooksBesideTheProgramAndLeavesTheCurrentDirectory) {
  std::filesystem::create_directories(folder / "elsewhere");
  services->setCurrentDirectory((folder / "elsewhere").string());
  mainControl("txtUpload").setText("demo.elf");
  frmMain::cmdExecute_CopyCommandLine(*app);
  ASSERT_EQ(services->copied.size(), 1u);
  EXPECT_EQ(services->copied[0],
            "$ tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"demo.elf\"");
  EXPECT_EQ(services->currentDirectory(), (folder / "elsewhere").string());
}

struct ShortcutCase {
  ui::Shortcut shortcut;
  const char* text;
};

const ShortcutCase kShortcuts[] = {
    {{ui::kCtrl | ui::kShift, 'C'}, "Ctrl+Shift+C"},
    {{ui::kCtrl, 'S'}, "Ctrl+S"},
    {{ui::kCtrl | ui::kAlt | ui::kShift, '1'}, "Ctrl+Alt+Shift+1"},
    {{ui::kShift, 'X'}, "Shift+X"},
    {{ui::kCtrl, 0}, ""},
};

TEST(ShortcutTextTest, NamesModifiersInMenuOrder) {
  for (const auto& c : kShortcuts) EXPECT_EQ(ui::ShortcutText(c.shortcut), c.text) << c.text;
}

}  // namespace
}  // namespace loadergui::testing
