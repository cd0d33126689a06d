// Every path and typed value reaches the loaders whole: a press's Windows command line read back
// as the Windows loaders read it, and the argument list the Linux program starts them with.
#include "AppFixture.h"
#include "CygwinReader.h"
#include "ReaderChecks.h"

namespace loadergui::testing {
namespace {

// 表 in code page 932, whose second byte is 0x5C.
const std::string kTable = "\x95\\";

class LoaderArgumentsTest : public AppFixture {
 protected:
  void SetUp() override {
    installProgram();
    ASSERT_TRUE(start());
    writeFile("demo.elf");
    writeFile("sub/demo.elf");
    mainControl("txtUpload").setText("demo.elf");
    mainControl("txtDownload").setText("C:\\out.bin");
    optionControl("txtFilesize").setText("0x100");
  }
  // Presses Execute, or dumps the BIOS into `dump` when it is given.
  void press(const std::optional<std::string>& dump = std::nullopt) {
    services->processes.clear();
    services->messages.clear();
    if (dump) {
      services->dialogAnswers.push_back(*dump);
      mainControl("mnuBIOS").click();
    } else {
      mainControl("cmdExecute").click();
    }
  }
  // The one loader the press started got exactly these arguments, from its Windows line too.
  void expectLoaderGot(const std::vector<std::string>& arguments) {
    ASSERT_TRUE(services->messages.empty()) << services->messages[0].text;
    ASSERT_EQ(services->processes.size(), 1u);
    const null::StartedProcess& loader = services->processes[0];
    EXPECT_EQ(loader.arguments, arguments);
    EXPECT_TRUE(cygwin::LoadersRead(loader.commandLine, arguments, services->leadBytes));
  }
};

// Where a path is given and the arguments it ends among.
enum class Where { Chroot, Iso, Upload, Download, Dump };

struct PathCase {
  const char* name;
  Where where;
  std::string path;
  bool japanese;
  std::string piece;  // what the line then holds, the option letter first
};

const PathCase kPaths[] = {
    {"ChrootOnAShare", Where::Chroot, "\\\\nas\\dc\\root", false,
     "-c \"\\\\\\\\nas\\\\dc\\\\root\""},
    {"ChrootAtADriveRoot", Where::Chroot, "C:\\", false, "-c \"C:\"\\"},
    {"ChrootFolderTypedWithASeparatorAtTheEnd", Where::Chroot, "D:\\games\\", false,
     "-c \"D:\\games\"\\"},
    {"IsoOnAShareWithBlanks", Where::Iso, "\\\\nas\\my isos\\game.iso", false,
     "-i \"\\\\\\\\nas\\\\my isos\\\\game.iso\""},
    {"RelativeUploadInAFolder", Where::Upload, "sub\\demo.elf", false, "-x \"sub\\demo.elf\""},
    {"RelativeUpload", Where::Upload, "demo.elf", false, "-x \"demo.elf\""},
    {"DownloadOntoAShare", Where::Download, "\\\\nas\\dumps\\out.bin", false,
     "-d \"\\\\\\\\nas\\\\dumps\\\\out.bin\""},
    {"DumpOntoAShare", Where::Dump, "\\\\nas\\dumps\\bios.bin", false,
     "-d \"\\\\\\\\nas\\\\dumps\\\\bios.bin\""},
    {"DumpWithBlanks", Where::Dump, "C:\\My Dumps\\dc_bios.bin", false,
     "-d \"C:\\My Dumps\\dc_bios.bin\""},
    {"JapaneseChrootFolder", Where::Chroot, "C:\\dc\\" + kTable, true, "-c \"C:\\dc\"\\" + kTable},
    {"JapaneseIsoOnAShare", Where::Iso, "\\\\nas\\" + kTable + "\\g.iso", true,
     "-i \"\\\\\\\\nas\\\\" + kTable + "\\\\g.iso\""},
    {"JapaneseChrootFolderOnAShare", Where::Chroot, "\\\\nas\\" + kTable, true,
     "-c \\\\nas\\" + kTable},
    {"JapaneseDownloadFolderWithoutLeadBytes", Where::Download, "C:\\dc\\" + kTable, false,
     "-d \"C:\\dc\\\x95\"\\"},
};

class PathArgumentTest : public LoaderArgumentsTest,
                         public ::testing::WithParamInterface<PathCase> {};

TEST_P(PathArgumentTest, ReachesTheLoaderAsOneArgument) {
  const PathCase& c = GetParam();
  if (c.japanese) services->leadBytes = cygwin::CodePage932();
  std::vector<std::string> arguments{
      "tools\\ravlink-serial.exe", "-t", "COM1", "-b", "115200", "-a"};
  switch (c.where) {
    case Where::Chroot:
    case Where::Iso:
      optionStub(c.where == Where::Chroot ? "cbChroot" : "cbCDFSRedir").setValue(1);
      optionControl(c.where == Where::Chroot ? "txtChroot" : "txtCDFSRedir").setText(c.path);
      arguments.insert(arguments.end(), {"0x8c010000", c.where == Where::Chroot ? "-c" : "-i",
                                         c.path, "-x", "demo.elf"});
      press();
      break;
    case Where::Upload:
      mainControl("txtUpload").setText(c.path);
      arguments.insert(arguments.end(), {"0x8c010000", "-x", c.path});
      press();
      break;
    case Where::Download:
      mainControl("mnuConfigDownload").click();
      mainControl("txtDownload").setText(c.path);
      arguments.insert(arguments.end(), {"0x8c010000", "-s", "0x100", "-d", c.path});
      press();
      break;
    case Where::Dump:
      arguments.insert(arguments.end(), {"0x0", "-s", "0x200000", "-d", c.path});
      press(c.path);
      break;
  }
  expectLoaderGot(arguments);
  ASSERT_EQ(services->processes.size(), 1u);
  EXPECT_NE(services->processes[0].commandLine.find(" " + c.piece), std::string::npos)
      << services->processes[0].commandLine;
}

INSTANTIATE_TEST_SUITE_P(Table, PathArgumentTest, ::testing::ValuesIn(kPaths),
                         [](const auto& info) { return std::string(info.param.name); });

// A name that no form brings to every loader whole is refused before anything starts, ARP
// included, and the tip says so too.
TEST_F(LoaderArgumentsTest, ANameNoLoaderWouldReceiveWholeIsRefused) {
  services->leadBytes = cygwin::CodePage932();
  mainControl("mnuRavlinkIP").click();
  optionStub("cbARP").setValue(1);
  optionStub("cbChroot").setValue(1);
  std::string share = "\\\\nas\\my dc\\" + kTable;
  optionControl("txtChroot").setText(share);
  std::string message = "Sorry, the loader would not receive the name \"" + share +
                        "\" whole.\r\nPlease give it by a path that starts with a drive letter "
                        "(such as C:\\), or rename it.";
  EXPECT_EQ(mainControl("cmdExecute").tipText(), message);
  press();
  EXPECT_TRUE(services->processes.empty());
  ASSERT_EQ(services->messages.size(), 1u);
  EXPECT_EQ(services->messages[0].text, message);
  // The same folder by its drive letter goes.
  optionControl("txtChroot").setText("Z:\\my dc\\" + kTable);
  press();
  EXPECT_EQ(services->processes.size(), 2u);
}

struct ValueCase {
  const char* name;
  bool serial;
  const char* control;
  const char* text;
  std::vector<std::string> arguments;  // after the loader's path, for Upload and Execute
};

const ValueCase kValues[] = {
    {"AddressWithAFurtherOption",
     true,
     "txtAddress",
     "0x8c010000 -q",
     {"-t", "COM1", "-b", "115200", "-a", "0x8c010000", "-q", "-x", "demo.elf"}},
    {"DeviceWithABlankInFront",
     true,
     "cmbCOMPort",
     " COM2",
     {"-t", "COM2", "-b", "115200", "-a", "0x8c010000", "-x", "demo.elf"}},
    {"EmptyBaudRate",
     true,
     "cmbBaudrate",
     "",
     {"-t", "COM1", "-b", "-a", "0x8c010000", "-x", "demo.elf"}},
    {"DeviceByItsFullName",
     true,
     "cmbCOMPort",
     "\\\\.\\COM10",
     {"-t", "\\\\.\\COM10", "-b", "115200", "-a", "0x8c010000", "-x", "demo.elf"}},
    {"IpAddressWithATab",
     false,
     "cmbIP",
     "10.0.0.1\t-n",
     {"-t", "10.0.0.1", "-n", "-a", "0x8c010000", "-x", "demo.elf"}},
};

class ValueArgumentTest : public LoaderArgumentsTest,
                          public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueArgumentTest, ReachesTheLoaderAsTheWordsItHolds) {
  const ValueCase& c = GetParam();
  mainControl(c.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
  optionControl(c.control).setText(c.text);
  press();
  std::vector<std::string> arguments{c.serial ? "tools\\ravlink-serial.exe"
                                              : "tools\\ravlink-ip.exe"};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  expectLoaderGot(arguments);
}

INSTANTIATE_TEST_SUITE_P(Table, ValueArgumentTest, ::testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoaderArgumentsTest, TheArpStepGetsTheWordsOfBothValues) {
  mainControl("mnuRavlinkIP").click();
  optionStub("cbARP").setValue(1);
  optionControl("cmbIP").setText("10.0.0.9");
  optionControl("txtARP").setText("00-11-22-33-44-55");
  press();
  ASSERT_EQ(services->processes.size(), 2u);
  const null::StartedProcess& arp = services->processes[0];
  std::vector<std::string> arguments{"tools\\arp.exe", "-s", "10.0.0.9", "00-11-22-33-44-55"};
  EXPECT_EQ(arp.arguments, arguments);
  EXPECT_TRUE(cygwin::LoadersRead(arp.commandLine, arguments));
}

}  // namespace
}  // namespace loadergui::testing
