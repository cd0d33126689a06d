// The Execute button's tip: exactly what a press would start now, or what it would refuse with.
#include "AppFixture.h"

namespace loadergui::testing {
namespace {

class ExecutePreviewTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("demo.elf");
  }
  std::string tip() { return mainControl("cmdExecute").tipText(); }
  // Presses the button and gives what it did in the tip's own form.
  std::string press() {
    services->messages.clear();
    services->processes.clear();
    mainControl("cmdExecute").click();
    if (!services->messages.empty()) return services->messages[0].text;
    std::string lines;
    for (const auto& process : services->processes) {
      lines += (lines.empty() ? "" : "\r\n") + process.commandLine;
    }
    return lines;
  }
};

struct PreviewCase {
  const char* name;
  bool serial;
  const char* modeItem;
  const char* upload;
  const char* download;
  const char* size;
  bool arp;
  bool chroot;
};

const PreviewCase kPreviews[] = {
    {"serial upload", true, "mnuConfigUpload", "demo.elf", "", "0x0", false, false},
    {"serial upload and execute with chroot", true, "mnuConfigUlexecute", "demo.elf", "", "0x0",
     true, true},
    {"IP upload with ARP", false, "mnuConfigUpload", "demo.elf", "", "0x0", true, false},
    {"IP download with ARP", false, "mnuConfigDownload", "", "C:\\d.bin", "0x10", true, true},
    {"serial download", true, "mnuConfigDownload", "", "C:\\d.bin", "0x10", false, false},
    {"missing upload", false, "mnuConfigUpload", "nothere.elf", "", "0x0", true, false},
    {"download prompt", true, "mnuConfigDownload", "", "Please select a file to download to...",
     "0x10", false, false},
    {"size 0x0", false, "mnuConfigDownload", "", "C:\\d.bin", "0x0", true, false},
    {"unsafe size", true, "mnuConfigDownload", "", "C:\\d.bin", "1 2", false, false},
};

TEST_F(ExecutePreviewTest, TipShowsWhatAPressThenDoes) {
  for (const auto& c : kPreviews) {
    SCOPED_TRACE(c.name);
    mainControl(c.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
    mainControl(c.modeItem).click();
    mainControl("txtUpload").setText(c.upload);
    mainControl("txtDownload").setText(c.download);
    optionControl("txtFilesize").setText(c.size);
    optionStub("cbARP").setValue(c.arp ? 1 : 0);
    optionStub("cbChroot").setValue(c.chroot ? 1 : 0);
    services->processes.clear();
    services->messages.clear();
    std::string shown = tip();
    // The tip itself starts nothing and shows nothing.
    EXPECT_TRUE(services->processes.empty());
    EXPECT_TRUE(services->messages.empty());
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(shown, press());
  }
}

TEST_F(ExecutePreviewTest, TipOfAnIpTransferWithArpHasBothLines) {
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuConfigUpload").click();
  mainControl("txtUpload").setText("demo.elf");
  optionStub("cbARP").setValue(1);
  optionControl("txtARP").setText("00-11-22-33-44-55");
  EXPECT_EQ(tip(),
            "tools\\arp.exe -s 192.168.0.0 00-11-22-33-44-55\r\n"
            "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -u \"demo.elf\"");
}

TEST_F(ExecutePreviewTest, NoTipWhenAPressWouldDoNothing) {
  mainControl("mnuConfigDownload").click();
  mainControl("mnuConfigDownload").setChecked(false);
  EXPECT_EQ(tip(), "");
}

TEST_F(ExecutePreviewTest, TipLooksInTheProgramFolderAndLeavesTheCurrentDirectory) {
  // A dialog may have left another current directory; the press looks beside the program, and
  // so does the tip, without moving the directory the press has not yet moved.
  std::filesystem::create_directories(folder / "elsewhere");
  services->setCurrentDirectory((folder / "elsewhere").string());
  mainControl("txtUpload").setText("demo.elf");
  EXPECT_EQ(tip(), "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"demo.elf\"");
  EXPECT_EQ(services->currentDirectory(), (folder / "elsewhere").string());
}

}  // namespace
}  // namespace loadergui::testing
