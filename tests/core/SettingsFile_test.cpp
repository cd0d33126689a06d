// The settings file as the user meets it: what a start loads from it and what an exit leaves in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "AppFixture.h"

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;

// The file that the first exit of a fresh installation writes: four sections, sixteen keys, in
// the order of the key table, with every default; then the kept files, none yet.
const char* const kFirstRunLines[] = {
    "[SETTINGS]",
    "TYPE=Upload and &Execute",
    "RAVLINK=Serial",
    "[OPTIONS]",
    "ADDRESS=0x8c010000",
    "SIZE=0x0",
    "DEVICE=COM1",
    "IP=192.168.0.0",
    "BAUDRATE=115200",
    "ARP=0",
    "ARPMAC=Set MAC address",
    "NOCONSOLE=0",
    "DUMBTERM=0",
    "NOCLEAR=0",
    "CHROOT=0",
    "CDFS=0",
    "[CHROOT]",
    "DIR=Please select a folder...",
    "[CDFSREDIRECT]",
    "ISO=Please select an ISO image...",
    "[FILES]",
    "UPLOAD=",
    "DOWNLOAD=",
    "RECENT1=",
    "RECENT2=",
    "RECENT3=",
    "RECENT4=",
    "RECENT5=",
    "RECENT6=",
    "RECENT7=",
    "RECENT8=",
};

// The fourteen option values with their start-up defaults.
struct OptionDefault {
  const char* control;
  const char* text;  // nullptr for a check box, whose default is cleared
};

const OptionDefault kOptionDefaults[] = {
    {"txtAddress", "0x8c010000"},
    {"txtFilesize", "0x0"},
    {"cmbCOMPort", "COM1"},
    {"cmbIP", "192.168.0.0"},
    {"cmbBaudrate", "115200"},
    {"cbARP", nullptr},
    {"txtARP", "Set MAC address"},
    {"cbNoConsole", nullptr},
    {"cbDumbTerminal", nullptr},
    {"cbNoScreenClear", nullptr},
    {"cbChroot", nullptr},
    {"cbCDFSRedir", nullptr},
    {"txtChroot", "Please select a folder..."},
    {"txtCDFSRedir", "Please select an ISO image..."},
};

// The controls that follow a check box: enabled exactly while it holds 1.
const char* const kDependents[] = {"txtChroot", "cmdChroot", "txtCDFSRedir", "cmdCDFSRedir",
                                   "txtARP"};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The raw text after the equals sign of the first line "KEY=" (exact spelling) in the section
// whose header is exactly "[SECTION]"; nothing when there is none.
std::optional<std::string> StoredLine(const std::string& text, const std::string& section,
                                      const std::string& key) {
  bool inSection = false;
  for (const auto& line : Lines(text)) {
    if (!line.empty() && line[0] == '[') {
      inSection = line == "[" + section + "]";
      continue;
    }
    if (inSection && line.compare(0, key.size() + 1, key + "=") == 0) {
      return line.substr(key.size() + 1);
    }
  }
  return std::nullopt;
}

class SettingsFileTest : public AppFixture {
 protected:
  SettingsFileTest() { installProgram(); }

  // A new run of the program over the same folder; the old one ends without saving.
  void restart() {
    app.reset();
    app = std::make_unique<App>(services->interfaces(), toolkit);
  }
  std::string optionText(const char* name) { return optionControl(name).text(); }
  int optionValue(const char* name) { return optionControl(name).value(); }
  std::optional<std::string> stored(const char* section, const char* key) const {
    return StoredLine(settingsText(), section, key);
  }
  // Lets the user change option values in the dialog and confirm them with OK.
  void confirmOptions(const std::function<void(null::NullForm&)>& edit) {
    withOptionsDialog([&](null::NullForm& form) {
      edit(form);
      form.control("cmdOK").click();
    });
  }
  void expectDefaults() {
    for (const auto& option : kOptionDefaults) {
      SCOPED_TRACE(option.control);
      if (option.text) {
        EXPECT_EQ(optionText(option.control), option.text);
      } else {
        EXPECT_EQ(optionValue(option.control), 0);
      }
    }
    for (const char* dependent : kDependents) {
      EXPECT_FALSE(optionControl(dependent).enabled()) << dependent;
    }
  }
};

// ---- Load sequence ----

TEST_F(SettingsFileTest, FirstRunWithoutFileShowsDefaults) {
  ASSERT_FALSE(exists("tools/settings.ini"));
  ASSERT_TRUE(start());
  EXPECT_EQ(main().caption().text(), "Ravlink Serial GUI 2.0");
  EXPECT_TRUE(mainControl("mnuRavlinkSerial").checked());
  EXPECT_FALSE(mainControl("mnuRavlinkIP").checked());
  EXPECT_EQ(mainControl("cmdExecute").text(), "Upload and &Execute");
  EXPECT_TRUE(mainControl("mnuConfigUlexecute").checked());
  EXPECT_EQ(mainControl("lblInformation").text(),
            "Upload through the serial port, COM1 at 115200bps");
  EXPECT_EQ(options().caption().text(), "Ravlink Serial Confirguration Options");
  expectDefaults();
  EXPECT_FALSE(exists("tools/settings.ini")) << "a start alone must not create the file";
}

TEST_F(SettingsFileTest, FirstExitWritesSixteenDefaultKeysInOrderThenTheKeptFiles) {
  ASSERT_TRUE(start());
  exitProgram();
  std::string expected;
  for (const char* line : kFirstRunLines) expected += std::string(line) + "\r\n";
  EXPECT_EQ(settingsText(), expected);
}

// RAVLINK: only the exact word "Serial" (or nothing at all) means the serial loader.
struct VariantCase {
  const char* name;
  const char* fileText;
  bool serial;
  const char* saved;
};

void PrintTo(const VariantCase& c, std::ostream* os) {
  *os << c.name;
}

const VariantCase kVariantCases[] = {
    {"SerialExact", "[SETTINGS]\r\nRAVLINK=Serial\r\n", true, "Serial"},
    {"SerialLowerCaseMeansIP", "[SETTINGS]\r\nRAVLINK=serial\r\n", false, "IP"},
    {"SerialUpperCaseMeansIP", "[SETTINGS]\r\nRAVLINK=SERIAL\r\n", false, "IP"},
    {"IP", "[SETTINGS]\r\nRAVLINK=IP\r\n", false, "IP"},
    {"AnyOtherWordMeansIP", "[SETTINGS]\r\nRAVLINK=modem\r\n", false, "IP"},
    {"SerialWithBlanksAndQuotes", "[SETTINGS]\r\nRAVLINK= \"Serial\" \r\n", true, "Serial"},
    {"EmptyMeansSerial", "[SETTINGS]\r\nRAVLINK=\r\n", true, "Serial"},
    {"MissingKeyMeansSerial", "[SETTINGS]\r\nTYPE=&Upload\r\n", true, "Serial"},
    {"KeyInLowerCase", "[settings]\r\nravlink=IP\r\n", false, "IP"},
};

class SettingsVariantTest : public SettingsFileTest,
                            public ::testing::WithParamInterface<VariantCase> {};

TEST_P(SettingsVariantTest, SelectsLoaderAndSavesItBack) {
  const VariantCase& c = GetParam();
  writeSettings(c.fileText);
  ASSERT_TRUE(start());
  EXPECT_EQ(mainControl("mnuRavlinkSerial").checked(), c.serial);
  EXPECT_EQ(mainControl("mnuRavlinkIP").checked(), !c.serial);
  EXPECT_EQ(main().caption().text(), c.serial ? "Ravlink Serial GUI 2.0" : "Ravlink IP GUI 2.0");
  EXPECT_EQ(options().caption().text(), c.serial ? "Ravlink Serial Confirguration Options"
                                                 : "Ravlink IP Confirguration Options");
  EXPECT_EQ(optionText("lblCOMPort"),
            c.serial ? "Select a device (Default: COM1)" : "Set an IP (Default: 192.168.0.0)");
  EXPECT_EQ(optionControl("cmbCOMPort").visible(), c.serial);
  EXPECT_EQ(optionControl("cmbBaudrate").visible(), c.serial);
  EXPECT_EQ(optionControl("cmbIP").visible(), !c.serial);
  EXPECT_EQ(optionControl("cbARP").visible(), !c.serial);
  EXPECT_EQ(optionControl("txtARP").visible(), !c.serial);
  EXPECT_EQ(mainControl("lblInformation").text(),
            c.serial ? "Upload through the serial port, COM1 at 115200bps"
                     : "Upload through IP, 192.168.0.0");
  exitProgram();
  std::optional<std::string> saved = stored("SETTINGS", "RAVLINK");
  if (!saved) saved = stored("settings", "ravlink");
  EXPECT_EQ(saved, c.saved);
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsVariantTest, ::testing::ValuesIn(kVariantCases),
                         [](const auto& info) { return std::string(info.param.name); });

// TYPE: the stored caption becomes the Execute button's caption, and only the two exact
// captions "&Upload" and "&Download" name a mode other than Upload and Execute.
struct ModeCase {
  const char* name;
  const char* fileText;
  const char* executeCaption;
  const char* checkedItem;
  const char* browseCaption;
  const char* filenameCaption;
  bool uploadBoxShown;
  const char* information;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
  *os << c.name;
}

const char* const kUploadInfo = "Upload through the serial port, COM1 at 115200bps";
const char* const kDownloadInfo = "Download through the serial port, COM1 at 115200bps";

const ModeCase kModeCases[] = {
    {"Download", "[SETTINGS]\r\nTYPE=&Download\r\n", "&Download", "mnuConfigDownload", "&Save",
     "Save a file to download", false, kDownloadInfo},
    {"Upload", "[SETTINGS]\r\nTYPE=&Upload\r\n", "&Upload", "mnuConfigUpload", "&Browse",
     "Select a file to upload", true, kUploadInfo},
    {"UploadAndExecute", "[SETTINGS]\r\nTYPE=Upload and &Execute\r\n", "Upload and &Execute",
     "mnuConfigUlexecute", "&Browse", "Select a file to upload", true, kUploadInfo},
    {"UploadWithoutMarker", "[SETTINGS]\r\nTYPE=Upload\r\n", "Upload and &Execute",
     "mnuConfigUlexecute", "&Browse", "Select a file to upload", true, kUploadInfo},
    {"DownloadInLowerCase", "[SETTINGS]\r\nTYPE=&download\r\n", "Upload and &Execute",
     "mnuConfigUlexecute", "&Browse", "Select a file to upload", true, kUploadInfo},
    {"Empty", "[SETTINGS]\r\nTYPE=\r\n", "Upload and &Execute", "mnuConfigUlexecute", "&Browse",
     "Select a file to upload", true, kUploadInfo},
    {"Missing", "[SETTINGS]\r\nRAVLINK=Serial\r\n", "Upload and &Execute", "mnuConfigUlexecute",
     "&Browse", "Select a file to upload", true, kUploadInfo},
    {"QuotedDownload", "[SETTINGS]\r\nTYPE=\"&Download\"\r\n", "&Download", "mnuConfigDownload",
     "&Save", "Save a file to download", false, kDownloadInfo},
};

class SettingsModeTest : public SettingsFileTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(SettingsModeTest, SelectsModeAndSavesTheCaption) {
  const ModeCase& c = GetParam();
  writeSettings(c.fileText);
  ASSERT_TRUE(start());
  EXPECT_EQ(mainControl("cmdExecute").text(), c.executeCaption);
  for (const char* item : {"mnuConfigUpload", "mnuConfigUlexecute", "mnuConfigDownload"}) {
    EXPECT_EQ(mainControl(item).checked(), std::string(item) == c.checkedItem) << item;
  }
  EXPECT_EQ(mainControl("cmdBrowse").text(), c.browseCaption);
  EXPECT_EQ(mainControl("lblFilename").text(), c.filenameCaption);
  EXPECT_EQ(mainControl("txtUpload").visible(), c.uploadBoxShown);
  EXPECT_EQ(mainControl("txtDownload").visible(), !c.uploadBoxShown);
  EXPECT_EQ(mainControl("lblInformation").text(), c.information);
  exitProgram();
  EXPECT_EQ(stored("SETTINGS", "TYPE"), c.executeCaption);
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsModeTest, ::testing::ValuesIn(kModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Text keys: a stored value fills its control; an empty or missing one gives the default.
struct TextCase {
  const char* name;
  std::string fileText;
  const char* control;
  std::string shown;
  const char* section;  // where the next exit stores it, and under which key spelling
  const char* key;
};

void PrintTo(const TextCase& c, std::ostream* os) {
  *os << c.name;
}

const std::string kDir300 = "C:\\" + std::string(297, 'c');

const TextCase kTextCases[] = {
    {"Address", "[OPTIONS]\r\nADDRESS=0x8c020000\r\n", "txtAddress", "0x8c020000", "OPTIONS",
     "ADDRESS"},
    {"EmptyAddressGivesDefault", "[OPTIONS]\r\nADDRESS=\r\n", "txtAddress", "0x8c010000", "OPTIONS",
     "ADDRESS"},
    {"BlankAddressGivesDefault", "[OPTIONS]\r\nADDRESS=   \r\n", "txtAddress", "0x8c010000",
     "OPTIONS", "ADDRESS"},
    {"LowerCaseKeyAndSection", "[options]\r\naddress=0x8c030000\r\n", "txtAddress", "0x8c030000",
     "options", "address"},
    {"MixedCaseKey", "[Options]\r\nAddress=0x8c040000\r\n", "txtAddress", "0x8c040000", "Options",
     "Address"},
    {"BlanksAroundAddressGo", "[OPTIONS]\r\nADDRESS=   0x8c050000   \r\n", "txtAddress",
     "0x8c050000", "OPTIONS", "ADDRESS"},
    {"Size", "[OPTIONS]\r\nSIZE=0x20000\r\n", "txtFilesize", "0x20000", "OPTIONS", "SIZE"},
    {"EmptySizeGivesDefault", "[OPTIONS]\r\nSIZE=\r\n", "txtFilesize", "0x0", "OPTIONS", "SIZE"},
    {"QuotedDevice", "[OPTIONS]\r\nDEVICE=\"COM2\"\r\n", "cmbCOMPort", "COM2", "OPTIONS", "DEVICE"},
    {"DeviceNotInList", "[OPTIONS]\r\nDEVICE=/dev/ttyS7\r\n", "cmbCOMPort", "/dev/ttyS7", "OPTIONS",
     "DEVICE"},
    {"EmptyDeviceGivesDefault", "[OPTIONS]\r\nDEVICE=\r\n", "cmbCOMPort", "COM1", "OPTIONS",
     "DEVICE"},
    {"IP", "[OPTIONS]\r\nIP=10.0.0.9\r\n", "cmbIP", "10.0.0.9", "OPTIONS", "IP"},
    {"EmptyIPGivesDefault", "[OPTIONS]\r\nIP=\r\n", "cmbIP", "192.168.0.0", "OPTIONS", "IP"},
    {"Baudrate", "[OPTIONS]\r\nBAUDRATE=57600\r\n", "cmbBaudrate", "57600", "OPTIONS", "BAUDRATE"},
    {"BaudrateNotFiltered", "[OPTIONS]\r\nBAUDRATE=fast\r\n", "cmbBaudrate", "fast", "OPTIONS",
     "BAUDRATE"},
    {"EmptyBaudrateGivesDefault", "[OPTIONS]\r\nBAUDRATE=\r\n", "cmbBaudrate", "115200", "OPTIONS",
     "BAUDRATE"},
    {"ArpMac", "[OPTIONS]\r\nARPMAC=00:d0:f1:02:03:04\r\n", "txtARP", "00:d0:f1:02:03:04",
     "OPTIONS", "ARPMAC"},
    {"EmptyArpMacGivesDefault", "[OPTIONS]\r\nARPMAC=\r\n", "txtARP", "Set MAC address", "OPTIONS",
     "ARPMAC"},
    {"Dir", "[CHROOT]\r\nDIR=C:\\dc\\root\r\n", "txtChroot", "C:\\dc\\root", "CHROOT", "DIR"},
    {"Dir300CutTo254", "[CHROOT]\r\nDIR=" + kDir300 + "\r\n", "txtChroot", kDir300.substr(0, 254),
     "CHROOT", "DIR"},
    {"EmptyDirGivesDefault", "[CHROOT]\r\nDIR=\r\n", "txtChroot", "Please select a folder...",
     "CHROOT", "DIR"},
    {"DirInOptionsSectionNotTaken", "[OPTIONS]\r\nDIR=C:\\wrong\r\n", "txtChroot",
     "Please select a folder...", "CHROOT", "DIR"},
    {"Iso", "[CDFSREDIRECT]\r\nISO=C:\\iso\\game.iso\r\n", "txtCDFSRedir", "C:\\iso\\game.iso",
     "CDFSREDIRECT", "ISO"},
    {"EmptyIsoGivesDefault", "[CDFSREDIRECT]\r\nISO=\r\n", "txtCDFSRedir",
     "Please select an ISO image...", "CDFSREDIRECT", "ISO"},
};

class SettingsTextTest : public SettingsFileTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(SettingsTextTest, LoadsIntoControlAndSavesBack) {
  const TextCase& c = GetParam();
  writeSettings(c.fileText);
  ASSERT_TRUE(start());
  EXPECT_EQ(optionText(c.control), c.shown);
  exitProgram();
  EXPECT_EQ(stored(c.section, c.key), c.shown) << settingsText();
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsTextTest, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, LowerCaseKeysAreNotDuplicatedOnSave) {
  writeSettings("[options]\r\naddress=0x8c030000\r\n");
  ASSERT_TRUE(start());
  exitProgram();
  EXPECT_EQ(stored("options", "address"), "0x8c030000");
  EXPECT_EQ(stored("options", "ADDRESS"), std::nullopt);
  EXPECT_EQ(stored("OPTIONS", "ADDRESS"), std::nullopt) << "no second OPTIONS section";
}

// Check-box keys: only "0", "1" and "2" are states a box can take; anything else is taken
// like a missing key. Only 1 enables the controls that depend on the box.
struct CheckBoxKey {
  const char* key;
  const char* control;
  std::vector<const char*> dependents;
};

const CheckBoxKey kCheckBoxKeys[] = {
    {"ARP", "cbARP", {"txtARP"}},
    {"NOCONSOLE", "cbNoConsole", {}},
    {"DUMBTERM", "cbDumbTerminal", {}},
    {"NOCLEAR", "cbNoScreenClear", {}},
    {"CHROOT", "cbChroot", {"txtChroot", "cmdChroot"}},
    {"CDFS", "cbCDFSRedir", {"txtCDFSRedir", "cmdCDFSRedir"}},
};

struct CheckBoxText {
  const char* name;
  const char* stored;
  int value;
  const char* savedBack;
};

const CheckBoxText kCheckBoxTexts[] = {
    {"Zero", "0", 0, "0"},
    {"One", "1", 1, "1"},
    {"TwoLoadsGreyed", "2", 2, "2"},
    {"OneWithBlanks", "  1  ", 1, "1"},
    {"Empty", "", 0, "0"},
    {"Word", "yes", 0, "0"},
    {"Negative", "-1", 0, "0"},
    {"TooLarge", "7", 0, "0"},
    {"DigitThenLetter", "1x", 0, "0"},
    {"Fraction", "1.5", 0, "0"},
    {"LeadingZero", "01", 0, "0"},
    {"TwoLeadingZeros", "002", 0, "0"},
    {"PlusSign", "+1", 0, "0"},
};

class SettingsCheckBoxTest
    : public SettingsFileTest,
      public ::testing::WithParamInterface<std::tuple<CheckBoxKey, CheckBoxText>> {};

TEST_P(SettingsCheckBoxTest, LoadsValueAndDependentStateAndSavesBack) {
  const auto& [box, text] = GetParam();
  writeSettings(std::string("[OPTIONS]\r\n") + box.key + "=" + text.stored + "\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(optionValue(box.control), text.value);
  for (const char* dependent : box.dependents) {
    EXPECT_EQ(optionControl(dependent).enabled(), text.value == 1) << dependent;
  }
  exitProgram();
  EXPECT_EQ(stored("OPTIONS", box.key), text.savedBack);
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsCheckBoxTest,
                         ::testing::Combine(::testing::ValuesIn(kCheckBoxKeys),
                                            ::testing::ValuesIn(kCheckBoxTexts)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).control) + "_" +
                                  std::get<1>(info.param).name;
                         });

TEST_F(SettingsFileTest, ChrootOneEnablesFolderBoxAndBrowseButton) {
  writeSettings("[OPTIONS]\r\nCHROOT=1\r\n[CHROOT]\r\nDIR=C:\\dc\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(optionValue("cbChroot"), 1);
  EXPECT_TRUE(optionControl("txtChroot").enabled());
  EXPECT_TRUE(optionControl("cmdChroot").enabled());
  EXPECT_EQ(optionText("txtChroot"), "C:\\dc");
  EXPECT_FALSE(optionControl("txtCDFSRedir").enabled());
  EXPECT_FALSE(optionControl("cmdCDFSRedir").enabled());
}

TEST_F(SettingsFileTest, CheckBoxKeyAndSectionOfSameNameAreDistinct) {
  writeSettings("[OPTIONS]\r\nCHROOT=1\r\n[CHROOT]\r\nDIR=C:\\dc\r\nCHROOT=0\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(optionValue("cbChroot"), 1);
  exitProgram();
  EXPECT_EQ(stored("OPTIONS", "CHROOT"), "1");
  EXPECT_EQ(stored("CHROOT", "CHROOT"), "0") << "a foreign key stays untouched";
}

// ---- Save sequence ----

TEST_F(SettingsFileTest, ExitWritesOnceAndClosingAgainWritesNothing) {
  ASSERT_TRUE(start());
  ui::Form& mainWindow = main();
  int before = services->profileWrites;
  exitProgram();
  EXPECT_EQ(services->profileWrites - before, kKeysPerPass);
  EXPECT_TRUE(app->ended());
  std::string afterExit = settingsText();
  // The window's own close notification arrives after Exit: the dialog is gone by then.
  ASSERT_TRUE(mainWindow.onCloseRequest);
  mainWindow.onCloseRequest();
  EXPECT_EQ(services->profileWrites - before, kKeysPerPass);
  EXPECT_EQ(settingsText(), afterExit);
}

TEST_F(SettingsFileTest, CloseBoxWritesOnce) {
  ASSERT_TRUE(start());
  confirmOptions([](null::NullForm& form) { form.control("txtAddress").setText("0x8c0a0000"); });
  ui::Form& mainWindow = main();
  int before = services->profileWrites;
  mainWindow.onCloseRequest();
  EXPECT_EQ(services->profileWrites - before, kKeysPerPass);
  EXPECT_TRUE(app->ended());
  EXPECT_FALSE(app->optionsLoaded());
  EXPECT_EQ(stored("OPTIONS", "ADDRESS"), "0x8c0a0000");
  mainWindow.onCloseRequest();
  EXPECT_EQ(services->profileWrites - before, kKeysPerPass);
}

TEST_F(SettingsFileTest, NothingWrittenBeforeExit) {
  writeSettings("[OPTIONS]\r\nADDRESS=0x8c020000\r\n");
  const std::string before = settingsText();
  ASSERT_TRUE(start());
  confirmOptions([](null::NullForm& form) {
    form.control("txtAddress").setText("0x8c0b0000");
    form.control("cbNoConsole").setValue(1);
  });
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuConfigDownload").click();
  mainControl("mnuRavlinkSerial").click();
  EXPECT_EQ(services->profileWrites, 0);
  EXPECT_EQ(settingsText(), before);
  exitProgram();
  EXPECT_EQ(stored("OPTIONS", "ADDRESS"), "0x8c0b0000");
  EXPECT_EQ(stored("OPTIONS", "NOCONSOLE"), "1");
  EXPECT_EQ(stored("SETTINGS", "TYPE"), "&Download");
}

TEST_F(SettingsFileTest, KilledProcessKeepsPreviousFile) {
  writeSettings("[OPTIONS]\r\nADDRESS=0x8c020000\r\n");
  const std::string before = settingsText();
  ASSERT_TRUE(start());
  confirmOptions([](null::NullForm& form) { form.control("txtAddress").setText("0x8c0c0000"); });
  restart();  // the first run never reached its exit
  EXPECT_EQ(settingsText(), before);
  ASSERT_TRUE(start());
  EXPECT_EQ(optionText("txtAddress"), "0x8c020000");
}

// A save that cannot be made is said once, with the system's reason, and the program ends as it
// would have; the file stays as it was.
enum class Obstacle { ReadOnlyFile, ToolsFolderGone, FolderInPlaceOfTheFile };

struct FailedSave {
  const char* name;
  Obstacle obstacle;  // put in the way after start-up, before the exit
  const char* reason;
};

void PrintTo(const FailedSave& c, std::ostream* os) {
  *os << c.name;
}

const FailedSave kFailedSaves[] = {
    {"ReadOnlyFile", Obstacle::ReadOnlyFile, null::NullSettingsStorage::kReadOnlyReason},
    {"ToolsFolderGone", Obstacle::ToolsFolderGone, "No such file or directory."},
    {"FolderInPlaceOfTheFile", Obstacle::FolderInPlaceOfTheFile, "Is a directory."},
};

class FailedSaveTest : public SettingsFileTest, public ::testing::WithParamInterface<FailedSave> {
 protected:
  void putInTheWay(Obstacle obstacle) {
    fs::path file = folder / "tools" / "settings.ini";
    switch (obstacle) {
      case Obstacle::ReadOnlyFile:
        services->markReadOnly("tools\\settings.ini");
        break;
      case Obstacle::ToolsFolderGone:
        fs::remove_all(folder / "tools");
        break;
      case Obstacle::FolderInPlaceOfTheFile:
        fs::remove(file);
        fs::create_directory(file);
        break;
    }
  }
};

TEST_P(FailedSaveTest, IsSaidWithItsReasonAndTheProgramEnds) {
  writeSettings("[OPTIONS]\r\nADDRESS=0x8c020000\r\n");
  ASSERT_TRUE(start());
  confirmOptions([](null::NullForm& form) { form.control("txtAddress").setText("0x8c0d0000"); });
  putInTheWay(GetParam().obstacle);
  std::error_code noFile;
  bool wasFile = fs::is_regular_file(folder / "tools" / "settings.ini", noFile);
  std::string before = wasFile ? settingsText() : "";
  exitProgram();
  EXPECT_TRUE(app->ended());
  EXPECT_FALSE(app->mainLoaded());
  EXPECT_FALSE(app->optionsLoaded());
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text,
            std::string("Sorry, the settings could not be saved to tools\\settings.ini.\r\n") +
                GetParam().reason);
  EXPECT_EQ(services->messages[0].title, "Oops!");
  EXPECT_EQ(services->messages[0].owner, "frmMain");
  if (wasFile) {
    EXPECT_EQ(settingsText(), before);
  }
  EXPECT_EQ(services->fileSaves, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, FailedSaveTest, ::testing::ValuesIn(kFailedSaves),
                         [](const auto& info) { return std::string(info.param.name); });

// Nothing changed, nothing lost: a read-only file that holds the run's settings already is left
// alone without a word.
TEST_F(SettingsFileTest, ReadOnlyFileWithoutChangesEndsQuietly) {
  ASSERT_TRUE(start());
  exitProgram();
  const std::string saved = settingsText();
  restart();
  services->markReadOnly("tools\\settings.ini");
  ASSERT_TRUE(start());
  exitProgram();
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(settingsText(), saved);
}

// At the end of the session nobody is left to read a message: the save is tried, and the
// session ends whatever became of it.
TEST_F(SettingsFileTest, FailedSaveAtTheEndOfTheSessionIsNotSaid) {
  ASSERT_TRUE(start());
  services->markReadOnly("tools\\settings.ini");
  confirmOptions([](null::NullForm& form) { form.control("txtAddress").setText("0x8c0d0000"); });
  ASSERT_TRUE(main().onEndSession);
  main().onEndSession();
  EXPECT_TRUE(app->ended());
  EXPECT_TRUE(services->messages.empty());
}

// The folder in the file's place reads as no file: the defaults apply.
TEST_F(SettingsFileTest, FolderInPlaceOfSettingsFileGivesDefaults) {
  fs::create_directory(folder / "tools" / "settings.ini");
  bool started = false;
  ASSERT_NO_THROW(started = start());
  ASSERT_TRUE(started);
  expectDefaults();
}

// One load reads the file once, one exit saves it once, however many keys they pass.
TEST_F(SettingsFileTest, TheFileIsReadOnceAndSavedOnce) {
  ASSERT_TRUE(start());
  EXPECT_EQ(services->fileOpens, 1);
  EXPECT_EQ(services->profileReads, kKeysPerPass);
  exitProgram();
  EXPECT_EQ(services->fileOpens, 2);
  EXPECT_EQ(services->profileWrites, kKeysPerPass);
  EXPECT_EQ(services->fileSaves, 1);
}

TEST_F(SettingsFileTest, SavedInProgramFolderWhateverTheCurrentDirectory) {
  fs::create_directories(folder / "elsewhere" / "tools");
  ASSERT_TRUE(start());
  services->setCurrentDirectory((folder / "elsewhere").string());
  exitProgram();
  EXPECT_TRUE(exists("tools/settings.ini"));
  EXPECT_FALSE(exists("elsewhere/tools/settings.ini"));
}

TEST_F(SettingsFileTest, BlanksTypedAroundAddressAreSavedButGoneNextStart) {
  ASSERT_TRUE(start());
  confirmOptions([](null::NullForm& form) {
    form.control("txtAddress").setText(" 0x8c020000  ");
    form.control("txtARP").setText("  00:11:22:33:44:55");
  });
  exitProgram();
  EXPECT_EQ(stored("OPTIONS", "ADDRESS"), " 0x8c020000  ");
  EXPECT_EQ(stored("OPTIONS", "ARPMAC"), "  00:11:22:33:44:55");
  restart();
  ASSERT_TRUE(start());
  EXPECT_EQ(optionText("txtAddress"), "0x8c020000");
  EXPECT_EQ(optionText("txtARP"), "00:11:22:33:44:55");
}

TEST_F(SettingsFileTest, RestartShowsSameVariantModeAndOptions) {
  const OptionDefault kChanged[] = {
      {"txtAddress", "0x8c020000"},  {"txtFilesize", "0x1000"},
      {"cmbCOMPort", "COM3"},        {"cmbIP", "10.1.2.3"},
      {"cmbBaudrate", "57600"},      {"txtARP", "00:d0:f1:0a:0b:0c"},
      {"txtChroot", folder.c_str()}, {"txtCDFSRedir", "/no/such.iso"},
  };
  const char* const kTicked[] = {"cbARP", "cbNoConsole", "cbDumbTerminal", "cbNoScreenClear",
                                 "cbChroot"};
  ASSERT_TRUE(start());
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuConfigDownload").click();
  confirmOptions([&](null::NullForm& form) {
    for (const auto& change : kChanged) form.control(change.control).setText(change.text);
    for (const char* box : kTicked) form.control(box).setValue(1);
  });
  ASSERT_FALSE(options().isShown());
  exitProgram();

  restart();
  ASSERT_TRUE(start());
  EXPECT_FALSE(mainControl("mnuRavlinkSerial").checked());
  EXPECT_TRUE(mainControl("mnuRavlinkIP").checked());
  EXPECT_EQ(main().caption().text(), "Ravlink IP GUI 2.0");
  EXPECT_EQ(mainControl("cmdExecute").text(), "&Download");
  EXPECT_TRUE(mainControl("mnuConfigDownload").checked());
  EXPECT_EQ(mainControl("lblInformation").text(), "Download through IP, 10.1.2.3");
  for (const auto& change : kChanged) EXPECT_EQ(optionText(change.control), change.text);
  for (const char* box : kTicked) EXPECT_EQ(optionValue(box), 1) << box;
  EXPECT_EQ(optionValue("cbCDFSRedir"), 0);
  EXPECT_TRUE(optionControl("txtARP").enabled());
  EXPECT_TRUE(optionControl("txtChroot").enabled());
  EXPECT_FALSE(optionControl("txtCDFSRedir").enabled());
}

TEST_F(SettingsFileTest, OwnFileSurvivesStartAndExitByteForByte) {
  ASSERT_TRUE(start());
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuConfigUpload").click();
  confirmOptions([&](null::NullForm& form) {
    form.control("cmbIP").setText("10.0.0.2");
    form.control("txtChroot").setText(folder.string());
    form.control("cbChroot").setValue(1);
    form.control("cbDumbTerminal").setValue(1);
  });
  exitProgram();
  const std::string written = settingsText();
  ASSERT_FALSE(written.empty());

  restart();
  ASSERT_TRUE(start());
  exitProgram();
  EXPECT_EQ(settingsText(), written);
}

TEST_F(SettingsFileTest, ForeignLinesSurviveExit) {
  writeSettings(
      "; written by hand\r\n[Other]\r\nfoo = bar\r\n\r\n[SETTINGS]\r\nTYPE=&Upload\r\n"
      "RAVLINK=IP\r\n\r\n[Extra]\nx=1\n");
  ASSERT_TRUE(start());
  exitProgram();
  const std::vector<std::string> lines = Lines(settingsText());
  const std::vector<std::string> head(lines.begin(), lines.begin() + 7);
  EXPECT_EQ(head, (std::vector<std::string>{"; written by hand", "[Other]", "foo = bar", "",
                                            "[SETTINGS]", "TYPE=&Upload", "RAVLINK=IP"}));
  EXPECT_NE(settingsText().find("\r\n\r\n[Extra]\nx=1\n"), std::string::npos) << settingsText();
  EXPECT_EQ(stored("OPTIONS", "ADDRESS"), "0x8c010000");
  EXPECT_EQ(stored("CDFSREDIRECT", "ISO"), "Please select an ISO image...");
}

}  // namespace
}  // namespace loadergui::testing
