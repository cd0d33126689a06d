// A typed value that a tool would not receive as typed is refused before anything starts: a
// double quote would regroup the tool's arguments, a single one too, a wildcard or a bracket
// would be expanded against the program's folder, a word starting with ~ or @ replaced by the
// home folder or a file's contents. Blanks and tabs go to the tools as typed.
#include "AppFixture.h"

namespace loadergui::testing {
namespace {

// Where a value is typed and which press then reads it.
struct TypedValue {
  bool serial;
  const char* modeItem;  // empty for the BIOS dump
  const char* control;
  const char* text;
};

class UnsafeValuesTest : public AppFixture {
 protected:
  // Types the value, presses Execute in the mode (or dumps the BIOS), and puts the value back;
  // returns the text the control held after the press.
  std::string pressWith(const TypedValue& value) {
    services->messages.clear();
    services->processes.clear();
    mainControl(value.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
    std::string before = optionControl(value.control).text();
    optionControl(value.control).setText(value.text);
    if (*value.modeItem) {
      mainControl(value.modeItem).click();
      mainControl("cmdExecute").click();
    } else {
      services->dialogAnswers.push_back("C:\\bios.bin");
      mainControl("mnuBIOS").click();
    }
    std::string after = optionControl(value.control).text();
    optionControl(value.control).setText(before);
    return after;
  }
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("demo.elf");
    mainControl("txtUpload").setText("demo.elf");
    mainControl("txtDownload").setText("C:\\out.bin");
    optionControl("txtFilesize").setText("0x100");
  }
};

struct UnsafeCase {
  TypedValue value;
  const char* message;
};

const UnsafeCase kUnsafe[] = {
    {{true, "mnuConfigUpload", "cmbCOMPort", "COM1\" -d \"C:\\x"},
     "Sorry, the serial device cannot contain a double quote (\")."},
    {{true, "mnuConfigUlexecute", "cmbBaudrate", "115200\""},
     "Sorry, the baud rate cannot contain a double quote (\")."},
    {{false, "mnuConfigUpload", "cmbIP", "\"10.0.0.1 -b 9600"},
     "Sorry, the IP address cannot contain a double quote (\")."},
    {{false, "mnuConfigDownload", "txtAddress", "0x0\""},
     "Sorry, the address cannot contain a double quote (\")."},
    {{true, "mnuConfigDownload", "txtFilesize", "0x10 \"-u"},
     "Sorry, the file size cannot contain a double quote (\")."},
    {{true, "mnuConfigUpload", "txtChroot", "C:\\root\" -x \"C:\\evil"},
     "Sorry, a file name cannot contain a double quote (\")."},
    {{false, "mnuConfigUpload", "txtCDFSRedir", "C:\\a\"b.iso"},
     "Sorry, a file name cannot contain a double quote (\")."},
    {{true, "", "cmbBaudrate", "\""}, "Sorry, the baud rate cannot contain a double quote (\")."},
    {{false, "", "cmbIP", "\"1.2.3.4\""},
     "Sorry, the IP address cannot contain a double quote (\")."},
    {{false, "mnuConfigUlexecute", "txtARP", "00:11\"22:33"},
     "Sorry, the MAC address cannot contain a double quote (\")."},
    {{false, "mnuConfigDownload", "txtARP", "00:11:22:33:44:*"},
     "Sorry, the MAC address cannot contain *, ?, [, {, }, ( or )."},
    {{false, "mnuConfigUpload", "cmbIP", "192.168.0.?"},
     "Sorry, the IP address cannot contain *, ?, [, {, }, ( or )."},
    {{true, "mnuConfigUlexecute", "cmbBaudrate", "{115200,57600}"},
     "Sorry, the baud rate cannot contain *, ?, [, {, }, ( or )."},
    {{true, "mnuConfigUpload", "cmbCOMPort", "COM1 ~"},
     "Sorry, the serial device cannot start with @ or ~, nor can any part of it after a blank."},
    {{false, "mnuConfigUpload", "txtAddress", "@address.txt"},
     "Sorry, the address cannot start with @ or ~, nor can any part of it after a blank."},
    {{true, "mnuConfigDownload", "txtFilesize", "'0x10'"},
     "Sorry, the file size cannot contain a single quote (')."},
    {{false, "", "cmbIP", "10.0.0.[1]"},
     "Sorry, the IP address cannot contain *, ?, [, {, }, ( or )."},
    {{true, "", "cmbCOMPort", "(COM1)"},
     "Sorry, the serial device cannot contain *, ?, [, {, }, ( or )."},
};

TEST_F(UnsafeValuesTest, ValuesAToolWouldNotReceiveAsTypedAreRefused) {
  // Path options and the ARP step are on, so neither may start once a value is refused.
  optionStub("cbChroot").setValue(1);
  optionStub("cbCDFSRedir").setValue(1);
  optionStub("cbARP").setValue(1);
  for (const auto& c : kUnsafe) {
    SCOPED_TRACE(c.value.text);
    std::string kept = pressWith(c.value);
    EXPECT_TRUE(services->processes.empty());
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_EQ(services->messages[0].text, c.message);
    EXPECT_EQ(services->messages[0].title, "Oops!");
    EXPECT_EQ(kept, c.value.text);  // kept for the user to mend
  }
}

TEST_F(UnsafeValuesTest, OddValuesGoAsTyped) {
  // Empty texts, option-like texts, blanks around or inside values and blanks inside quoted paths.
  mainControl("mnuRavlinkIP").click();
  mainControl("mnuConfigDownload").click();
  optionControl("cmbIP").setText("-x");
  optionControl("txtAddress").setText("");
  optionControl("txtFilesize").setText("-u");
  optionStub("cbChroot").setValue(1);
  optionControl("txtChroot").setText("C:\\my root -x");
  optionStub("cbARP").setValue(1);
  optionControl("txtARP").setText("Set MAC address");
  mainControl("cmdExecute").click();
  EXPECT_TRUE(services->messages.empty());
  ASSERT_EQ(services->processes.size(), 2u);
  EXPECT_EQ(services->processes[0].commandLine, "tools\\arp.exe -s -x Set MAC address");
  EXPECT_EQ(services->processes[1].commandLine,
            "tools\\ravlink-ip.exe -t -x -a  -c \"C:\\my root -x\" -s -u -d \"C:\\out.bin\"");
}

struct TypedCase {
  TypedValue value;
  const char* commandLine;
};

// A blank typed in front, a tab, a deliberate further option: the loader gets what was typed.
const TypedCase kTyped[] = {
    {{true, "mnuConfigUpload", "txtAddress", " 0x8c010000"},
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a  0x8c010000 -u \"demo.elf\""},
    {{true, "mnuConfigUlexecute", "cmbCOMPort", "COM1 "},
     "tools\\ravlink-serial.exe -t COM1  -b 115200 -a 0x8c010000 -x \"demo.elf\""},
    {{true, "mnuConfigUlexecute", "cmbBaudrate", "115200\t-q"},
     "tools\\ravlink-serial.exe -t COM1 -b 115200\t-q -a 0x8c010000 -x \"demo.elf\""},
    {{false, "mnuConfigUpload", "cmbIP", "10.0.0.1 -n"},
     "tools\\ravlink-ip.exe -t 10.0.0.1 -n -a 0x8c010000 -u \"demo.elf\""},
    {{true, "mnuConfigDownload", "txtFilesize", "0x10 "},
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -s 0x10  -d \"C:\\out.bin\""},
    {{true, "", "cmbCOMPort", " COM2"},
     "tools\\ravlink-serial.exe -t  COM2 -b 115200 -a 0x0 -s 0x200000 -d \"C:\\bios.bin\""},
};

TEST_F(UnsafeValuesTest, BlanksAndTabsGoToTheLoaderAsTyped) {
  for (const auto& c : kTyped) {
    SCOPED_TRACE(c.value.text);
    pressWith(c.value);
    EXPECT_TRUE(services->messages.empty());
    ASSERT_EQ(services->processes.size(), 1u);
    EXPECT_EQ(services->processes[0].commandLine, c.commandLine);
  }
}

// The MAC address goes only to the ARP step, which the serial loader never runs; neither do the
// dumps read it.
TEST_F(UnsafeValuesTest, TheMacAddressCountsOnlyWhereTheArpStepRuns) {
  optionStub("cbARP").setValue(1);
  optionControl("txtARP").setText("00:11\"22:33");
  mainControl("mnuRavlinkSerial").click();
  mainControl("cmdExecute").click();
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(services->processes.size(), 1u);
  mainControl("mnuRavlinkIP").click();
  services->dialogAnswers.push_back("C:\\bios.bin");
  mainControl("mnuBIOS").click();
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(services->processes.size(), 2u);
}

TEST_F(UnsafeValuesTest, MissingUploadFileIsReportedBeforeAnUnsafeValue) {
  optionControl("cmbCOMPort").setText("COM\"1");
  mainControl("txtUpload").setText("nothere.elf");
  mainControl("cmdExecute").click();
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, "Sorry, that file does not exist!");
}

}  // namespace
}  // namespace loadergui::testing
