// Files dropped onto the main window, and the device list refreshed as it drops down.
#include "AppFixture.h"

namespace loadergui::testing {
namespace {

class DropFilesTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("a.elf");
    writeFile("b.elf");
    std::filesystem::create_directories(folder / "games");
  }
  void drop(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const auto& name : names) paths.push_back((folder / name).string());
    main().onDropFiles(paths);
  }
  std::string path(const char* name) { return (folder / name).string(); }
};

struct DropCase {
  const char* modeItem;
  std::vector<std::string> dropped;
  const char* box;      // the box that must hold the first path, empty when refused
  const char* refusal;  // empty when accepted
};

const DropCase kDrops[] = {
    {"mnuConfigUpload", {"a.elf"}, "txtUpload", ""},
    {"mnuConfigUlexecute", {"b.elf", "a.elf"}, "txtUpload", ""},
    {"mnuConfigDownload", {"a.elf"}, "txtDownload", ""},
    {"mnuConfigDownload", {"new.bin"}, "txtDownload", ""},  // a file to be written need not exist
    {"mnuConfigUpload",
     {"games", "a.elf"},
     "",
     "Sorry, a folder cannot be uploaded. Please drop a file."},
    {"mnuConfigDownload",
     {"games"},
     "",
     "Sorry, a folder cannot be downloaded to. Please drop a file."},
};

TEST_F(DropFilesTest, FirstDroppedPathLandsInTheVisibleBoxAndFoldersAreRefused) {
  for (const auto& c : kDrops) {
    SCOPED_TRACE(c.dropped.front());
    mainControl(c.modeItem).click();
    mainControl("txtUpload").setText("kept upload");
    mainControl("txtDownload").setText("kept download");
    services->messages.clear();
    drop(c.dropped);
    bool refused = *c.refusal != '\0';
    ASSERT_EQ(services->messages.size(), refused ? 1u : 0u);
    if (refused) {
      EXPECT_EQ(services->messages[0].text, c.refusal);
      EXPECT_EQ(services->messages[0].title, "Oops!");
      EXPECT_EQ(mainControl("txtUpload").text(), "kept upload");
      EXPECT_EQ(mainControl("txtDownload").text(), "kept download");
      continue;
    }
    bool upload = std::string(c.box) == "txtUpload";
    EXPECT_EQ(mainControl(c.box).text(), path(c.dropped.front().c_str()));
    EXPECT_EQ(mainControl(upload ? "txtDownload" : "txtUpload").text(),
              upload ? "kept download" : "kept upload");
  }
}

TEST_F(DropFilesTest, DroppedFileIsWhatTheNextPressSends) {
  drop({"a.elf"});
  mainControl("cmdExecute").click();
  ASSERT_EQ(services->processes.size(), 1u);
  EXPECT_EQ(
      services->processes[0].commandLine,
      "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + path("a.elf") + "\"");
}

// The platform hands over a path its 8-bit code page cannot hold, not even as its short name,
// as an empty text.
TEST_F(DropFilesTest, ADroppedPathTheCodePageCannotHoldIsRefused) {
  mainControl("txtUpload").setText("kept");
  main().onDropFiles({"", path("a.elf")});
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text,
            "Sorry, the path of that file or folder holds characters that cannot be handed to the "
            "loader. Please rename it, or choose another.");
  EXPECT_EQ(mainControl("txtUpload").text(), "kept");
}

TEST_F(DropFilesTest, AnEmptyDropChangesNothing) {
  mainControl("txtUpload").setText("kept");
  main().onDropFiles({});
  EXPECT_EQ(mainControl("txtUpload").text(), "kept");
  EXPECT_TRUE(services->messages.empty());
}

struct DeviceCase {
  const char* name;
  std::vector<std::string> present;
  std::vector<std::string> listed;
};

const DeviceCase kDevices[] = {
    {"none present", {}, {"COM1", "COM2", "COM3", "COM4"}},
    {"standard ones present", {"COM3", "COM1"}, {"COM1", "COM2", "COM3", "COM4"}},
    {"numeric order, not text order",
     {"COM10", "COM7", "COM5", "COM12"},
     {"COM1", "COM2", "COM3", "COM4", "COM5", "COM7", "COM10", "COM12"}},
    {"case and duplicates",
     {"com7", "COM7", "Com9"},
     {"COM1", "COM2", "COM3", "COM4", "COM7", "COM9"}},
    {"not serial ports",
     {"LPT1", "COM", "COMX", "COM0", "NUL", "COM5A"},
     {"COM1", "COM2", "COM3", "COM4"}},
};

TEST_F(DropFilesTest, DeviceListKeepsTheFourStandardPortsFirstThenThosePresent) {
  auto& combo = optionControl("cmbCOMPort");
  for (const auto& c : kDevices) {
    SCOPED_TRACE(c.name);
    combo.setText("COM 99 typed");
    services->presentSerialPorts = c.present;
    ASSERT_TRUE(combo.onDropDown);
    combo.onDropDown();
    EXPECT_EQ(combo.items(), c.listed);
    EXPECT_EQ(combo.text(), "COM 99 typed");
  }
}

TEST_F(DropFilesTest, AnAdapterPluggedInLaterAppearsAtTheNextDropDown) {
  auto& combo = optionControl("cmbCOMPort");
  combo.onDropDown();
  services->presentSerialPorts = {"COM7"};
  combo.onDropDown();
  EXPECT_EQ(combo.items().back(), "COM7");
  services->presentSerialPorts = {};
  combo.onDropDown();
  EXPECT_EQ(combo.items().size(), 4u);
}

}  // namespace
}  // namespace loadergui::testing
