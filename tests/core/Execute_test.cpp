// The Execute command: the six command lines, the refusals, the ARP step and launch failures.
#include "AppFixture.h"

namespace loadergui::testing {
namespace {

class ExecuteTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("demo.elf");
  }
  void select(bool serial, const char* modeItem) {
    mainControl(serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
    mainControl(modeItem).click();
  }
  void execute() { mainControl("cmdExecute").click(); }
  std::vector<std::string> started() const {
    std::vector<std::string> lines;
    for (const auto& process : services->processes) lines.push_back(process.commandLine);
    return lines;
  }
  std::string file(const char* name) { return (folder / name).string(); }
};

TEST_F(ExecuteTest, WorkedExamplesComeOutByteForByte) {
  // Serial, Upload and Execute, "No console / fileserver" ticked.
  optionStub("cbNoConsole").setValue(1);
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  // IP, Download, chroot on a folder, size 0x10000.
  optionStub("cbNoConsole").setValue(0);
  optionStub("cbChroot").setValue(1);
  optionControl("txtChroot").setText("C:\\work\\root");
  optionControl("txtFilesize").setText("0x10000");
  select(false, "mnuConfigDownload");
  mainControl("txtDownload").setText("C:\\work\\dump.bin");
  execute();

  EXPECT_EQ(started(), (std::vector<std::string>{
                           "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -n -x \"" +
                               file("demo.elf") + "\"",
                           "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -c "
                           "\"C:\\work\\root\" -s 0x10000 -d \"C:\\work\\dump.bin\"",
                       }));
  for (const auto& process : services->processes) {
    EXPECT_FALSE(process.waited);
    EXPECT_EQ(process.windowStyle, 1);
  }
}

struct CombinationCase {
  bool serial;
  const char* modeItem;
  const char* expected;  // with $UP for the upload file
};

const CombinationCase kCombinations[] = {
    {true, "mnuConfigUpload",
     "tools\\ravlink-serial.exe -t COM3 -b 9600 -a 0x8c008000 -p -q -c \"C:\\root\" -i "
     "\"C:\\game.iso\" -u \"$UP\""},
    {true, "mnuConfigUlexecute",
     "tools\\ravlink-serial.exe -t COM3 -b 9600 -a 0x8c008000 -p -q -c \"C:\\root\" -i "
     "\"C:\\game.iso\" -x \"$UP\""},
    {true, "mnuConfigDownload",
     "tools\\ravlink-serial.exe -t COM3 -b 9600 -a 0x8c008000 -p -q -c \"C:\\root\" -i "
     "\"C:\\game.iso\" -s 0x100 -d \"C:\\out file.bin\""},
    {false, "mnuConfigUpload",
     "tools\\ravlink-ip.exe -t 10.1.2.3 -a 0x8c008000 -p -q -c \"C:\\root\" -i \"C:\\game.iso\" "
     "-u \"$UP\""},
    {false, "mnuConfigUlexecute",
     "tools\\ravlink-ip.exe -t 10.1.2.3 -a 0x8c008000 -p -q -c \"C:\\root\" -i \"C:\\game.iso\" "
     "-x \"$UP\""},
    {false, "mnuConfigDownload",
     "tools\\ravlink-ip.exe -t 10.1.2.3 -a 0x8c008000 -p -q -c \"C:\\root\" -i \"C:\\game.iso\" "
     "-s 0x100 -d \"C:\\out file.bin\""},
};

TEST_F(ExecuteTest, AllSixCombinationsFollowThePieceOrder) {
  optionControl("cmbCOMPort").setText("COM3");
  optionControl("cmbBaudrate").setText("9600");
  optionControl("cmbIP").setText("10.1.2.3");
  optionControl("txtAddress").setText("0x8c008000");
  optionControl("txtFilesize").setText("0x100");
  optionStub("cbDumbTerminal").setValue(1);
  optionStub("cbNoScreenClear").setValue(1);
  optionStub("cbChroot").setValue(1);
  optionControl("txtChroot").setText("C:\\root");
  optionStub("cbCDFSRedir").setValue(1);
  optionControl("txtCDFSRedir").setText("C:\\game.iso");
  mainControl("txtUpload").setText(file("demo.elf"));
  mainControl("txtDownload").setText("C:\\out file.bin");
  for (const auto& c : kCombinations) {
    SCOPED_TRACE(c.expected);
    services->processes.clear();
    select(c.serial, c.modeItem);
    execute();
    std::string expected = c.expected;
    auto at = expected.find("$UP");
    if (at != std::string::npos) expected.replace(at, 3, file("demo.elf"));
    EXPECT_EQ(started(), std::vector<std::string>{expected});
    EXPECT_TRUE(services->messages.empty());
  }
}

TEST_F(ExecuteTest, SwitchAndPathOptionsComeInTheirOrderBeforeTheAction) {
  for (const char* box :
       {"cbNoConsole", "cbDumbTerminal", "cbNoScreenClear", "cbChroot", "cbCDFSRedir"}) {
    optionStub(box).setValue(1);
  }
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  ASSERT_EQ(services->processes.size(), 1u);
  EXPECT_NE(started()[0].find(" -n -p -q -c \"Please select a folder...\" -i \"Please select an "
                              "ISO image...\" -x "),
            std::string::npos);
}

TEST_F(ExecuteTest, OnlyTheValueOneCountsAsTicked) {
  for (const char* box :
       {"cbNoConsole", "cbDumbTerminal", "cbNoScreenClear", "cbChroot", "cbCDFSRedir"}) {
    optionStub(box).setValue(2);
  }
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  EXPECT_EQ(started(), std::vector<std::string>{"tools\\ravlink-serial.exe -t COM1 -b 115200 -a "
                                                "0x8c010000 -x \"" +
                                                file("demo.elf") + "\""});
}

struct RefusalCase {
  const char* name;
  const char* modeItem;
  const char* upload;
  const char* download;
  const char* size;
  const char* message;
};

const RefusalCase kRefusals[] = {
    {"upload placeholder", "mnuConfigUlexecute", "Please select a file to upload...", "", "0x10",
     "Sorry, that file does not exist!"},
    {"upload missing", "mnuConfigUpload", "nothere.elf", "", "0x10",
     "Sorry, that file does not exist!"},
    {"upload is a folder", "mnuConfigUpload", "tools", "", "0x10",
     "Sorry, that file does not exist!"},
    {"upload empty", "mnuConfigUpload", "", "", "0x10", "Sorry, that file does not exist!"},
    {"download placeholder", "mnuConfigDownload", "", "Please select a file to download to...",
     "0x10", "You must save a file to download to."},
    {"download empty", "mnuConfigDownload", "", "", "0x0", "You must save a file to download to."},
    {"size 0x0", "mnuConfigDownload", "", "C:\\dump.bin", "0x0",
     "You must set the file size before downloading."},
    {"quote in download name", "mnuConfigDownload", "", "C:\\a\" -u \"evil.bin", "0x10",
     "Sorry, a file name cannot contain a double quote (\")."},
};

TEST_F(ExecuteTest, RefusedInputsStartNothingNotEvenArp) {
  mainControl("mnuRavlinkIP").click();
  optionStub("cbARP").setValue(1);
  for (const auto& c : kRefusals) {
    SCOPED_TRACE(c.name);
    services->messages.clear();
    services->processes.clear();
    mainControl(c.modeItem).click();
    mainControl("txtUpload").setText(c.upload);
    mainControl("txtDownload").setText(c.download);
    optionControl("txtFilesize").setText(c.size);
    execute();
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_EQ(services->messages[0].text, c.message);
    EXPECT_EQ(services->messages[0].title, "Oops!");
    EXPECT_EQ(services->messages[0].owner, "frmMain");
    EXPECT_TRUE(services->processes.empty());
  }
}

TEST_F(ExecuteTest, OnlyTheExactSizeTextZeroIsRefused) {
  mainControl("mnuConfigDownload").click();
  mainControl("txtDownload").setText("C:\\dump.bin");
  for (const char* size : {"0X0", "0x00", "0", ""}) {
    services->processes.clear();
    optionControl("txtFilesize").setText(size);
    execute();
    ASSERT_EQ(services->processes.size(), 1u) << size;
    EXPECT_NE(started()[0].find(std::string(" -s ") + size + " -d \"C:\\dump.bin\""),
              std::string::npos);
  }
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(ExecuteTest, ArpRunsAndIsWaitedForBeforeAnIpLoaderOnly) {
  optionStub("cbARP").setValue(1);
  optionControl("txtARP").setText("00:11:22:33:44:55");
  optionControl("cmbIP").setText("10.0.0.9");
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();  // serial: the ARP box means nothing
  ASSERT_EQ(services->processes.size(), 1u);
  EXPECT_EQ(started()[0].find("tools\\ravlink-serial.exe"), 0u);

  services->processes.clear();
  mainControl("mnuRavlinkIP").click();
  execute();
  ASSERT_EQ(services->processes.size(), 2u);
  EXPECT_EQ(services->processes[0].commandLine, "tools\\arp.exe -s 10.0.0.9 00:11:22:33:44:55");
  EXPECT_TRUE(services->processes[0].waited);
  EXPECT_EQ(services->processes[0].windowStyle, 1);
  EXPECT_EQ(started()[1].find("tools\\ravlink-ip.exe -t 10.0.0.9 -a"), 0u);
  EXPECT_FALSE(services->processes[1].waited);
}

TEST_F(ExecuteTest, MissingArpToolStillStartsTheLoader) {
  std::filesystem::remove(folder / "tools/arp.exe");
  mainControl("mnuRavlinkIP").click();
  optionStub("cbARP").setValue(1);
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  EXPECT_EQ(started().size(), 1u);
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(ExecuteTest, IpLoaderNeverGetsTheBaudRate) {
  mainControl("mnuRavlinkIP").click();
  optionControl("cmbBaudrate").setText("57600");
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  ASSERT_EQ(started().size(), 1u);
  EXPECT_EQ(started()[0].find(" -b "), std::string::npos);
}

TEST_F(ExecuteTest, RelativeUploadNameIsFoundInTheProgramFolderAndPassedUnchanged) {
  services->setCurrentDirectory("/");
  mainControl("txtUpload").setText("demo.elf");
  execute();
  ASSERT_EQ(started().size(), 1u);
  EXPECT_NE(started()[0].find(" -x \"demo.elf\""), std::string::npos);
  EXPECT_EQ(services->processes[0].currentDirectory, folder.string());
}

TEST_F(ExecuteTest, EmptyAddressLeavesTheOptionBare) {
  optionControl("txtAddress").setText("");
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  ASSERT_EQ(started().size(), 1u);
  EXPECT_NE(started()[0].find("-b 115200 -a  -x "), std::string::npos);
}

TEST_F(ExecuteTest, DownloadFamilyWithoutItsCheckMarkDoesNothing) {
  mainControl("cmdBrowse").setText("&Save");
  mainControl("mnuConfigDownload").setChecked(false);
  mainControl("txtDownload").setText("C:\\dump.bin");
  optionControl("txtFilesize").setText("0x10");
  execute();
  EXPECT_TRUE(services->processes.empty());
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(ExecuteTest, EachPressStartsAFurtherLoader) {
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  execute();
  EXPECT_EQ(started().size(), 2u);
  EXPECT_EQ(started()[0], started()[1]);
}

TEST_F(ExecuteTest, LoaderThatCannotStartIsReportedAndTheProgramGoesOn) {
  std::filesystem::remove(folder / "tools/ravlink-serial.exe");
  mainControl("txtUpload").setText(file("demo.elf"));
  execute();
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, tools\\ravlink-serial.exe could not be started!");
  EXPECT_EQ(services->messages[0].title, "Oops!");
  EXPECT_FALSE(app->ended());
  exitProgram();
  EXPECT_NE(settingsText().find("TYPE=Upload and &Execute"), std::string::npos);
}

// The file it uploads heads the recent files, whose entries are the File menu's; nothing else
// changes.
TEST_F(ExecuteTest, ExecuteChangesNoControlButTheRecentFiles) {
  mainControl("txtUpload").setText(file("demo.elf"));
  std::vector<std::pair<std::string, std::string>> before;
  for (auto* control : main().controls()) before.emplace_back(control->name(), control->text());
  execute();
  for (const auto& [name, text] : before) {
    if (name == "mnuRecent1") continue;
    EXPECT_EQ(main().control(name).text(), text) << name;
  }
  EXPECT_EQ(mainControl("mnuRecent1").text(), "&1 " + file("demo.elf"));
  EXPECT_TRUE(mainControl("mnuRecent1").visible());
}

}  // namespace
}  // namespace loadergui::testing
