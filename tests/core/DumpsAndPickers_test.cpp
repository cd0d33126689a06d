// The BIOS and flash dumps, and the file pickers of the main window: records, answers, targets.
#include "AppFixture.h"

namespace loadergui::testing {
namespace {

using null::DialogCall;

class PickerTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
  }
  const null::DialogSeen& onlyDialog() {
    EXPECT_EQ(services->dialogs.size(), 1u);
    return services->dialogs.at(0);
  }
  std::vector<std::string> started() const {
    std::vector<std::string> lines;
    for (const auto& process : services->processes) lines.push_back(process.commandLine);
    return lines;
  }
};

// A literal with embedded NULs, whole.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string Padded(const std::string& name) {
  std::string buffer = name + std::string(254 - name.size(), ' ');
  buffer.push_back('\0');
  return buffer;
}

struct DumpCase {
  const char* menuItem;
  bool serial;
  std::vector<const char*> ticked;
  const char* path;
  const char* expected;
  const char* initialName;
};

const DumpCase kDumps[] = {
    {"mnuBIOS",
     true,
     {},
     "C:\\My Dumps\\dc_bios.bin",
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x0 -s 0x200000 -d \"C:\\My "
     "Dumps\\dc_bios.bin\"",
     "dc_bios.bin"},
    {"mnuFlash",
     false,
     {"cbNoConsole", "cbDumbTerminal", "cbNoScreenClear"},
     "D:\\f.bin",
     "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x200000 -n -p -q -s 0x20000 -d \"D:\\f.bin\"",
     "dc_flash.bin"},
    {"mnuBIOS",
     false,
     {"cbDumbTerminal"},
     "x",
     "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x0 -p -s 0x200000 -d \"x\"",
     "dc_bios.bin"},
    {"mnuFlash",
     true,
     {"cbNoScreenClear"},
     "  C:\\padded.bin  ",
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x200000 -q -s 0x20000 -d "
     "\"C:\\padded.bin\"",
     "dc_flash.bin"},
};

TEST_F(PickerTest, DumpsBuildTheirFixedCommandsFromTheSaveDialog) {
  // Neither path options nor the address nor the transfer mode enter a dump's command.
  optionStub("cbChroot").setValue(1);
  optionStub("cbCDFSRedir").setValue(1);
  optionControl("txtAddress").setText("0x1234");
  mainControl("mnuConfigDownload").click();
  for (const auto& c : kDumps) {
    SCOPED_TRACE(c.expected);
    services->dialogs.clear();
    services->processes.clear();
    for (const char* box : {"cbNoConsole", "cbDumbTerminal", "cbNoScreenClear"}) {
      optionStub(box).setValue(0);
    }
    for (const char* box : c.ticked) optionStub(box).setValue(1);
    mainControl(c.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
    services->dialogAnswers.push_back(c.path);
    mainControl(c.menuItem).click();
    const auto& dialog = onlyDialog();
    EXPECT_EQ(dialog.call, DialogCall::Save);
    EXPECT_EQ(dialog.owner, "frmMain");
    EXPECT_EQ(dialog.record.title, "Save file as...");
    EXPECT_EQ(dialog.record.filter, Bytes("All Files (*.*)\0*.*\0\0"));
    EXPECT_EQ(dialog.record.flags, 4u);
    EXPECT_EQ(started(), std::vector<std::string>{c.expected});
    EXPECT_FALSE(services->processes.at(0).waited);
    EXPECT_EQ(services->processes.at(0).windowStyle, 1);
  }
}

TEST_F(PickerTest, DumpDialogOffersTheDefaultNameInA254CharacterBuffer) {
  for (const auto& [item, name] :
       {std::pair{"mnuBIOS", "dc_bios.bin"}, std::pair{"mnuFlash", "dc_flash.bin"}}) {
    services->dialogs.clear();
    mainControl(item).click();
    const auto& record = onlyDialog().record;
    EXPECT_EQ(record.maxFile, 255u);
    ASSERT_EQ(record.file.size(), 255u);
    EXPECT_EQ(record.file, Padded(name));
  }
}

TEST_F(PickerTest, ShortPathOverTheDefaultNameDropsItsRemains) {
  services->dialogAnswers.push_back("C:\\a");
  mainControl("mnuBIOS").click();
  EXPECT_EQ(started(), std::vector<std::string>{"tools\\ravlink-serial.exe -t COM1 -b 115200 -a "
                                                "0x0 -s 0x200000 -d \"C:\\a\""});
}

TEST_F(PickerTest, CancelledDumpStartsNothingAndSaysNothing) {
  services->dialogAnswers.push_back(std::nullopt);
  mainControl("mnuFlash").click();
  EXPECT_TRUE(services->processes.empty());
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(PickerTest, DumpPathWithAQuoteIsRefusedAndStartsNothing) {
  services->dialogAnswers.push_back("C:\\a\" -u \"b.bin");
  mainControl("mnuBIOS").click();
  EXPECT_TRUE(services->processes.empty());
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, a file name cannot contain a double quote (\").");
  EXPECT_EQ(services->messages[0].title, "Oops!");
}

TEST_F(PickerTest, DumpLoaderIsFoundBesideTheProgramWhereverTheDialogLeftUs) {
  services->setCurrentDirectory("/");
  services->dialogAnswers.push_back("C:\\elsewhere\\dc_bios.bin");
  mainControl("mnuBIOS").click();
  ASSERT_EQ(services->processes.size(), 1u);
  EXPECT_EQ(services->processes[0].currentDirectory, "/");
}

TEST_F(PickerTest, WithNeitherLoaderMarkedTheIpCommandIsBuilt) {
  mainControl("mnuRavlinkSerial").setChecked(false);
  services->dialogAnswers.push_back("C:\\b.bin");
  mainControl("mnuBIOS").click();
  ASSERT_EQ(started().size(), 1u);
  EXPECT_EQ(started()[0].find("tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x0"), 0u);
}

TEST_F(PickerTest, TwoDumpsInARowStartTwoLoaders) {
  services->dialogAnswers = {"C:\\1.bin", "C:\\2.bin"};
  mainControl("mnuFlash").click();
  mainControl("mnuFlash").click();
  EXPECT_EQ(started().size(), 2u);
}

struct BrowseCase {
  const char* modeItem;
  DialogCall call;
  const char* title;
  std::string filter;
  const char* target;
};

const BrowseCase kBrowseCases[] = {
    {"mnuConfigUpload", DialogCall::Open, "Open a Dreamcast binary...",
     Bytes("Dreamcast binaries (*.bin, *.elf, *.srec)\0*.bin; *.elf; *.srec\0All Files "
           "(*.*)\0*.*\0\0"),
     "txtUpload"},
    {"mnuConfigUlexecute", DialogCall::Open, "Open a Dreamcast binary...",
     Bytes("Dreamcast binaries (*.bin, *.elf, *.srec)\0*.bin; *.elf; *.srec\0All Files "
           "(*.*)\0*.*\0\0"),
     "txtUpload"},
    {"mnuConfigDownload", DialogCall::Save, "Save file as...", Bytes("All Files (*.*)\0*.*\0\0"),
     "txtDownload"},
};

TEST_F(PickerTest, BrowseChoosesItsDialogByItsOwnCaption) {
  for (const auto& c : kBrowseCases) {
    SCOPED_TRACE(c.modeItem);
    services->dialogs.clear();
    mainControl(c.modeItem).click();
    services->dialogAnswers.push_back(std::string("C:\\picked ") + c.modeItem + ".bin");
    mainControl("cmdBrowse").click();
    const auto& dialog = onlyDialog();
    EXPECT_EQ(dialog.call, c.call);
    EXPECT_EQ(dialog.owner, "frmMain");
    EXPECT_EQ(dialog.record.title, c.title);
    EXPECT_EQ(dialog.record.filter, c.filter);
    EXPECT_EQ(dialog.record.filterIndex, 0u);
    EXPECT_EQ(dialog.record.flags, 4u);
    EXPECT_EQ(dialog.record.maxFileTitle, 255u);
    EXPECT_EQ(mainControl(c.target).text(), std::string("C:\\picked ") + c.modeItem + ".bin");
  }
}

TEST_F(PickerTest, BrowseCancelLeavesTheBoxAsItWas) {
  for (const char* mode : {"mnuConfigUpload", "mnuConfigDownload"}) {
    mainControl(mode).click();
    services->dialogAnswers.push_back(std::nullopt);
    mainControl("cmdBrowse").click();
  }
  EXPECT_EQ(mainControl("txtUpload").text(), "Please select a file to upload...");
  EXPECT_EQ(mainControl("txtDownload").text(), "Please select a file to download to...");
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(PickerTest, BrowseTrimsTheAnswerAndIgnoresTheExecuteCaption) {
  mainControl("cmdExecute").setText("&Download");  // only the Browse caption decides
  services->dialogAnswers.push_back("   C:\\with blanks.elf ");
  mainControl("cmdBrowse").click();
  EXPECT_EQ(onlyDialog().call, DialogCall::Open);
  EXPECT_EQ(mainControl("txtUpload").text(), "C:\\with blanks.elf");
}

// A name the system's 8-bit code page cannot hold, not even as its short name, would reach the
// loader with "?" in its place (and pass the existence check as a wildcard): every picker
// refuses it and leaves its target as it was; a dump then starts nothing.
TEST_F(PickerTest, AChosenNameTheCodePageCannotHoldIsRefusedEverywhere) {
  const std::string kMessage =
      "Sorry, the path of that file or folder holds characters that cannot be handed to the "
      "loader. Please rename it, or choose another.";
  struct Use {
    const char* modeItem;  // empty where the mode does not matter
    bool options;          // the control is on the options dialog
    const char* control;
    const char* target;  // the text box that keeps its text; empty for a dump
  };
  const Use uses[] = {
      {"mnuConfigUpload", false, "cmdBrowse", "txtUpload"},
      {"mnuConfigDownload", false, "cmdBrowse", "txtDownload"},
      {"", true, "cmdCDFSRedir", "txtCDFSRedir"},
      {"", true, "cmdChroot", "txtChroot"},
      {"", false, "mnuBIOS", ""},
      {"", false, "mnuFlash", ""},
  };
  optionStub("cbChroot").setValue(1);
  optionStub("cbCDFSRedir").setValue(1);
  for (const Use& use : uses) {
    SCOPED_TRACE(use.control);
    if (*use.modeItem) mainControl(use.modeItem).click();
    services->messages.clear();
    services->processes.clear();
    std::string before =
        *use.target ? (use.options ? optionControl(use.target) : mainControl(use.target)).text()
                    : "";
    services->dialogAnswers.push_back(null::kNotPassableAnswer);
    (use.options ? optionControl(use.control) : mainControl(use.control)).click();
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_EQ(services->messages[0].text, kMessage);
    EXPECT_EQ(services->messages[0].title, "Oops!");
    EXPECT_EQ(services->messages[0].owner, use.options ? "frmOptions" : "frmMain");
    EXPECT_TRUE(services->processes.empty());
    if (*use.target) {
      EXPECT_EQ((use.options ? optionControl(use.target) : mainControl(use.target)).text(), before);
    }
  }
}

}  // namespace
}  // namespace loadergui::testing
