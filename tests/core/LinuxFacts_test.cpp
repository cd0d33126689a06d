// The core run as the Linux program: its tool names, required files, settings path and devices.
#include "AppFixture.h"
#include "settings/SerialDevices.h"

namespace loadergui::testing {
namespace {

class LinuxFactsTest : public AppFixture {
 protected:
  LinuxFactsTest() {
    app.reset();
    services =
        std::make_unique<null::NullServices>(folder.string(), "ravlinkgui", platform::kLinuxFacts);
    app = std::make_unique<App>(services->interfaces(), toolkit);
  }
  // The Linux program's folder: the program's own file, the two loaders and the ARP tool.
  void installLinuxProgram() {
    for (const char* file :
         {"ravlinkgui", "tools/ravlink-serial", "tools/ravlink-ip", "tools/arp"}) {
      writeFile(file);
    }
  }
  void execute() { mainControl("cmdExecute").click(); }
  std::vector<std::string> started() const {
    std::vector<std::string> lines;
    for (const auto& process : services->processes) lines.push_back(process.commandLine);
    return lines;
  }
};

TEST_F(LinuxFactsTest, FirstRunShowsTheFirstSerialDeviceAndSavesBesideTheProgram) {
  installLinuxProgram();
  ASSERT_TRUE(start());
  EXPECT_EQ(optionControl("cmbCOMPort").text(), "/dev/ttyS0");
  EXPECT_EQ(optionControl("cmbCOMPort").items(),
            (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"}));
  EXPECT_EQ(optionControl("lblCOMPort").text(), "Select a device (Default: /dev/ttyS0)");
  EXPECT_EQ(mainControl("lblInformation").text(),
            "Upload through the serial port, /dev/ttyS0 at 115200bps");
  exitProgram();
  EXPECT_NE(settingsText().find("DEVICE=/dev/ttyS0\r\n"), std::string::npos) << settingsText();
}

TEST_F(LinuxFactsTest, TheIpLoaderLabelIsTheSameAsOnWindows) {
  installLinuxProgram();
  ASSERT_TRUE(start());
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuRavlinkSerial").click();
  EXPECT_EQ(optionControl("lblCOMPort").text(), "Select a device (Default: /dev/ttyS0)");
  mainControl("mnuRavlinkIP").click();
  EXPECT_EQ(optionControl("lblCOMPort").text(), "Set an IP (Default: 192.168.0.0)");
}

TEST_F(LinuxFactsTest, DefaultButtonPutsBackTheFirstSerialDevice) {
  installLinuxProgram();
  ASSERT_TRUE(start());
  withOptionsDialog([&](null::NullForm&) {
    optionControl("cmbCOMPort").setText("/dev/ttyUSB3");
    optionControl("cmdDefault").click();
    EXPECT_EQ(optionControl("cmbCOMPort").text(), "/dev/ttyS0");
    optionControl("cmdOK").click();
  });
}

TEST_F(LinuxFactsTest, StoredDeviceFromAWindowsSettingsFileIsKept) {
  installLinuxProgram();
  writeSettings(
      "[SETTINGS]\r\nTYPE=&Download\r\nRAVLINK=Serial\r\n[OPTIONS]\r\nDEVICE=COM3\r\n"
      "BAUDRATE=57600\r\n[CHROOT]\r\nDIR=C:\\work\\root\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(mainControl("lblInformation").text(),
            "Download through the serial port, COM3 at 57600bps");
  EXPECT_EQ(optionControl("txtChroot").text(), "C:\\work\\root");
}

struct LinuxLineCase {
  const char* name;
  bool serial;
  const char* modeItem;
  std::vector<std::string> expected;  // $UP stands for the upload file
};

const LinuxLineCase kLinuxLines[] = {
    {"SerialUpload",
     true,
     "mnuConfigUpload",
     {"tools/ravlink-serial -t /dev/ttyS0 -b 115200 -a 0x8c010000 -u \"$UP\""}},
    {"SerialUploadExecute",
     true,
     "mnuConfigUlexecute",
     {"tools/ravlink-serial -t /dev/ttyS0 -b 115200 -a 0x8c010000 -x \"$UP\""}},
    {"SerialDownload",
     true,
     "mnuConfigDownload",
     {"tools/ravlink-serial -t /dev/ttyS0 -b 115200 -a 0x8c010000 -s 0x100 -d \"/tmp/out.bin\""}},
    {"IpUploadWithArp",
     false,
     "mnuConfigUpload",
     {"tools/arp -s 192.168.0.0 00:11:22:33:44:55",
      "tools/ravlink-ip -t 192.168.0.0 -a 0x8c010000 -u \"$UP\""}},
    {"IpDownloadWithArp",
     false,
     "mnuConfigDownload",
     {"tools/arp -s 192.168.0.0 00:11:22:33:44:55",
      "tools/ravlink-ip -t 192.168.0.0 -a 0x8c010000 -s 0x100 -d \"/tmp/out.bin\""}},
};

class LinuxLineTest : public LinuxFactsTest, public ::testing::WithParamInterface<LinuxLineCase> {};

TEST_P(LinuxLineTest, PiecesFollowTheLinuxToolNames) {
  const LinuxLineCase& c = GetParam();
  installLinuxProgram();
  writeFile("demo.elf");
  ASSERT_TRUE(start());
  optionStub("cbARP").setValue(1);
  optionControl("txtARP").setText("00:11:22:33:44:55");
  optionControl("txtFilesize").setText("0x100");
  mainControl(c.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
  mainControl(c.modeItem).click();
  std::string upload = (folder / "demo.elf").string();
  mainControl("txtUpload").setText(upload);
  mainControl("txtDownload").setText("/tmp/out.bin");
  execute();

  std::vector<std::string> expected;
  for (std::string line : c.expected) {
    auto at = line.find("$UP");
    if (at != std::string::npos) line.replace(at, 3, upload);
    expected.push_back(line);
  }
  EXPECT_EQ(started(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, LinuxLineTest, ::testing::ValuesIn(kLinuxLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinuxFactsTest, DumpsStartTheLinuxLoader) {
  installLinuxProgram();
  ASSERT_TRUE(start());
  services->dialogAnswers.push_back(std::string("/tmp/my dumps/dc_bios.bin"));
  mainControl("mnuBIOS").click();
  EXPECT_EQ(started(),
            (std::vector<std::string>{"tools/ravlink-serial -t /dev/ttyS0 -b 115200 -a "
                                      "0x0 -s 0x200000 -d \"/tmp/my dumps/dc_bios.bin\""}));
}

TEST_F(LinuxFactsTest, TipShowsEachLineAsThePlatformsShellReadsIt) {
  installLinuxProgram();
  writeFile("demo.elf");
  ASSERT_TRUE(start());
  services->shellMark = "$ ";
  mainControl("mnuRavlinkIP").click();
  optionStub("cbARP").setValue(1);
  mainControl("txtUpload").setText("demo.elf");
  EXPECT_EQ(mainControl("cmdExecute").tipText(),
            "$ tools/arp -s 192.168.0.0 Set MAC address\r\n"
            "$ tools/ravlink-ip -t 192.168.0.0 -a 0x8c010000 -x \"demo.elf\"");
}

TEST_F(LinuxFactsTest, ALoaderThatCannotStartIsReportedWithThePlatformsReason) {
  installLinuxProgram();
  writeFile("demo.elf");
  ASSERT_TRUE(start());
  std::filesystem::remove(folder / "tools/ravlink-serial");
  services->failureReason = "No terminal was found.";
  mainControl("txtUpload").setText("demo.elf");
  execute();
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text,
            "Sorry, tools/ravlink-serial could not be started!\r\nNo terminal was found.");
  EXPECT_EQ(services->messages[0].title, "Oops!");
}

struct RequiredFilesCase {
  const char* name;
  std::vector<const char*> files;
  bool starts;
};

const RequiredFilesCase kRequiredFiles[] = {
    {"LoadersAloneSuffice", {"ravlinkgui", "tools/ravlink-serial", "tools/ravlink-ip"}, true},
    {"SerialLoaderMissing", {"ravlinkgui", "tools/ravlink-ip", "tools/arp"}, false},
    {"IpLoaderMissing", {"ravlinkgui", "tools/ravlink-serial", "tools/arp"}, false},
    {"WindowsLoadersDoNotCount",
     {"ravlinkgui", "tools/ravlink-serial.exe", "tools/ravlink-ip.exe", "tools/cygwin1.dll",
      "tools/cygintl.dll"},
     false},
    // Only the program's own file, without an extension, sets the check going.
    {"RenamedCopyStartsWithoutTools", {"ravlinkgui.exe"}, true},
};

class LinuxRequiredFilesTest : public LinuxFactsTest,
                               public ::testing::WithParamInterface<RequiredFilesCase> {};

TEST_P(LinuxRequiredFilesTest, TheTwoLoadersAreRequired) {
  for (const char* file : GetParam().files) writeFile(file);
  EXPECT_EQ(start(), GetParam().starts);
  EXPECT_EQ(services->messages.size(), GetParam().starts ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, LinuxRequiredFilesTest, ::testing::ValuesIn(kRequiredFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinuxFactsTest, RequiredLoaderThatIsAFolderDoesNotCount) {
  installLinuxProgram();
  std::filesystem::remove(folder / "tools/ravlink-ip");
  std::filesystem::create_directories(folder / "tools/ravlink-ip");
  EXPECT_FALSE(start());
}

struct DeviceListCase {
  const char* name;
  std::vector<std::string> present;
  std::vector<std::string> expected;
};

const std::vector<std::string> kStandard{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};

std::vector<std::string> Standard(std::vector<std::string> more) {
  std::vector<std::string> all = kStandard;
  all.insert(all.end(), more.begin(), more.end());
  return all;
}

const DeviceListCase kDeviceLists[] = {
    {"NonePresent", {}, Standard({})},
    {"AdaptersByFamilyThenNumber",
     {"/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyS1", "/dev/ttyUSB0"},
     Standard({"/dev/ttyUSB0", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0"})},
    {"FurtherBuiltInPortsComeFirst",
     {"/dev/ttyUSB0", "/dev/ttyS4"},
     Standard({"/dev/ttyS4", "/dev/ttyUSB0"})},
    {"EachOnce", {"/dev/ttyUSB0", "/dev/ttyUSB0", "/dev/ttyS0"}, Standard({"/dev/ttyUSB0"})},
    {"OtherNamesAreNoPorts",
     {"COM5", "/dev/ttyusb1", "/dev/ttyUSB", "/dev/ttyUSBx", "/dev/tty0", "/dev/ttyUSB1234567890"},
     Standard({})},
};

class LinuxDeviceListTest : public ::testing::TestWithParam<DeviceListCase> {};

TEST_P(LinuxDeviceListTest, StandardPortsFirstThenThosePresent) {
  EXPECT_EQ(SerialDeviceList(GetParam().present, platform::kLinuxFacts), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, LinuxDeviceListTest, ::testing::ValuesIn(kDeviceLists),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace loadergui::testing
