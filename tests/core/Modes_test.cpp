// Loader variant and transfer mode: captions, check marks, file boxes and the information line.
#include <tuple>

#include "AppFixture.h"
#include "app/SubRoutines.h"

namespace loadergui::testing {
namespace {

class ModesTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
  }
  std::tuple<bool, bool, bool> modeMarks() {
    return {mainControl("mnuConfigUpload").checked(), mainControl("mnuConfigUlexecute").checked(),
            mainControl("mnuConfigDownload").checked()};
  }
};

struct ModeCase {
  const char* menuItem;
  bool serial;
  const char* executeCaption;
  const char* browseCaption;
  const char* filenameCaption;
  const char* information;
  bool uploadBoxShown;
};

const ModeCase kModeCases[] = {
    {"mnuConfigUpload", true, "&Upload", "&Browse", "Select a file to upload",
     "Upload through the serial port, COM1 at 115200bps", true},
    {"mnuConfigUlexecute", true, "Upload and &Execute", "&Browse", "Select a file to upload",
     "Upload through the serial port, COM1 at 115200bps", true},
    {"mnuConfigDownload", true, "&Download", "&Save", "Save a file to download",
     "Download through the serial port, COM1 at 115200bps", false},
    {"mnuConfigUpload", false, "&Upload", "&Browse", "Select a file to upload",
     "Upload through IP, 192.168.0.0", true},
    {"mnuConfigUlexecute", false, "Upload and &Execute", "&Browse", "Select a file to upload",
     "Upload through IP, 192.168.0.0", true},
    {"mnuConfigDownload", false, "&Download", "&Save", "Save a file to download",
     "Download through IP, 192.168.0.0", false},
};

TEST_F(ModesTest, EachModeAndVariantSetsEveryDependentControl) {
  for (const auto& c : kModeCases) {
    SCOPED_TRACE(std::string(c.menuItem) + (c.serial ? " serial" : " IP"));
    mainControl(c.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
    mainControl(c.menuItem).click();
    EXPECT_EQ(mainControl("cmdExecute").text(), c.executeCaption);
    EXPECT_EQ(mainControl("cmdBrowse").text(), c.browseCaption);
    EXPECT_EQ(mainControl("lblFilename").text(), c.filenameCaption);
    EXPECT_EQ(mainControl("lblInformation").text(), c.information);
    EXPECT_EQ(mainControl("txtUpload").visible(), c.uploadBoxShown);
    EXPECT_EQ(mainControl("txtDownload").visible(), !c.uploadBoxShown);
    for (const char* item : {"mnuConfigUpload", "mnuConfigUlexecute", "mnuConfigDownload"}) {
      EXPECT_EQ(mainControl(item).checked(), std::string(item) == c.menuItem) << item;
    }
  }
}

struct VariantCase {
  const char* menuItem;
  const char* mainCaption;
  const char* optionsCaption;
  const char* deviceLabel;
  bool serial;
};

const VariantCase kVariantCases[] = {
    {"mnuRavlinkIP", "Ravlink IP GUI 2.0", "Ravlink IP Confirguration Options",
     "Set an IP (Default: 192.168.0.0)", false},
    {"mnuRavlinkSerial", "Ravlink Serial GUI 2.0", "Ravlink Serial Confirguration Options",
     "Select a device (Default: COM1)", true},
};

TEST_F(ModesTest, VariantSwitchSetsCaptionsMarksAndDialogControls) {
  for (const auto& c : kVariantCases) {
    SCOPED_TRACE(c.menuItem);
    mainControl(c.menuItem).click();
    EXPECT_EQ(main().caption().text(), c.mainCaption);
    EXPECT_EQ(options().caption().text(), c.optionsCaption);
    EXPECT_EQ(optionControl("lblCOMPort").text(), c.deviceLabel);
    EXPECT_EQ(mainControl("mnuRavlinkSerial").checked(), c.serial);
    EXPECT_EQ(mainControl("mnuRavlinkIP").checked(), !c.serial);
    EXPECT_EQ(optionControl("cmbCOMPort").visible(), c.serial);
    EXPECT_EQ(optionControl("cmbBaudrate").visible(), c.serial);
    EXPECT_EQ(optionControl("cmbIP").visible(), !c.serial);
    EXPECT_EQ(optionControl("cbARP").visible(), !c.serial);
    EXPECT_EQ(optionControl("txtARP").visible(), !c.serial);
    // The baud-rate label is never touched; the ARP box covers it in the IP variant.
    EXPECT_TRUE(optionControl("lblBaudrate").visible());
  }
}

TEST_F(ModesTest, VariantSwitchInDownloadModeKeepsTheMode) {
  mainControl("mnuConfigDownload").click();
  optionControl("cmbIP").setText("10.0.0.7");
  mainControl("mnuRavlinkIP").click();
  EXPECT_EQ(main().caption().text(), "Ravlink IP GUI 2.0");
  EXPECT_EQ(mainControl("lblInformation").text(), "Download through IP, 10.0.0.7");
  EXPECT_TRUE(mainControl("mnuConfigDownload").checked());
  EXPECT_EQ(mainControl("cmdBrowse").text(), "&Save");
  EXPECT_TRUE(mainControl("txtDownload").visible());
}

TEST_F(ModesTest, FileBoxesKeepTheirTextsAcrossModeSwitches) {
  mainControl("txtUpload").setText("C:\\work\\demo.elf");
  mainControl("mnuConfigDownload").click();
  mainControl("txtDownload").setText("C:\\work\\dump.bin");
  mainControl("mnuConfigUpload").click();
  EXPECT_EQ(mainControl("txtUpload").text(), "C:\\work\\demo.elf");
  EXPECT_TRUE(mainControl("txtUpload").visible());
  mainControl("mnuConfigDownload").click();
  EXPECT_EQ(mainControl("txtDownload").text(), "C:\\work\\dump.bin");
}

TEST_F(ModesTest, ChoosingTheSameItemTwiceChangesNothing) {
  mainControl("mnuConfigDownload").click();
  auto marks = modeMarks();
  std::string information = mainControl("lblInformation").text();
  mainControl("mnuConfigDownload").click();
  mainControl("mnuRavlinkSerial").click();
  mainControl("mnuRavlinkSerial").click();
  EXPECT_EQ(modeMarks(), marks);
  EXPECT_EQ(mainControl("lblInformation").text(), information);
  EXPECT_TRUE(mainControl("mnuRavlinkSerial").checked());
}

TEST_F(ModesTest, InformationLineShowsTextsAsTheyStandEvenEmpty) {
  optionControl("cmbCOMPort").setText("");
  RefreshTransferMode(*app);
  EXPECT_EQ(mainControl("lblInformation").text(), "Upload through the serial port,  at 115200bps");
}

TEST_F(ModesTest, RefreshTurnsAnyOtherCaptionIntoUploadAndExecute) {
  const struct {
    const char* caption;
    const char* expected;
  } cases[] = {
      {"&Upload", "&Upload"},
      {"&Download", "&Download"},
      {"upload", "Upload and &Execute"},
      {"Upload", "Upload and &Execute"},
      {"&download", "Upload and &Execute"},
      {"", "Upload and &Execute"},
  };
  for (const auto& c : cases) {
    mainControl("cmdExecute").setText(c.caption);
    RefreshTransferMode(*app);
    EXPECT_EQ(mainControl("cmdExecute").text(), c.expected) << c.caption;
  }
}

TEST_F(ModesTest, ModeChangesNeverTouchOptionValues) {
  optionControl("cmbBaudrate").setText("57600");
  optionStub("cbChroot").setValue(1);
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuConfigDownload").click();
  mainControl("mnuRavlinkSerial").click();
  EXPECT_EQ(optionControl("cmbBaudrate").text(), "57600");
  EXPECT_EQ(optionControl("cbChroot").value(), 1);
  EXPECT_EQ(mainControl("lblInformation").text(),
            "Download through the serial port, COM1 at 57600bps");
}

TEST_F(ModesTest, AboutShowsTheEightLinesOnTheMainWindow) {
  mainControl("mnuHelpAbout").click();
  ASSERT_EQ(services->messages.size(), 1u);
  const auto& shown = services->messages[0];
  EXPECT_EQ(shown.title, "About");
  EXPECT_EQ(shown.owner, "frmMain");
  EXPECT_EQ(shown.text.rfind("This is a GUI for the programming tool Ravlink.\r\n\r\n"
                             "It supports all of Ravlink's command-line parameters\r\n"
                             "with support for uploading, uploading then executing,\r\n"
                             "and downloading.\r\n\r\n",
                             0),
            0u);
  int lineBreaks = 0;
  for (std::size_t at = shown.text.find("\r\n"); at != std::string::npos;
       at = shown.text.find("\r\n", at + 2)) {
    ++lineBreaks;
  }
  EXPECT_EQ(lineBreaks, 7);
  EXPECT_NE(shown.text.substr(shown.text.size() - 2), "\r\n");
  EXPECT_EQ(mainControl("cmdExecute").text(), "Upload and &Execute");
}

}  // namespace
}  // namespace loadergui::testing
