// Inputs on which the fuzz targets once failed, replayed as regular tests, and the faults they
// showed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "ExpectedCommand.h"
#include "ProfileStoreChecks.h"
#include "SettingsChecks.h"
#include "profile/ProfileStore.h"

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;

// The kept inputs of one target, by file name.
std::vector<std::string> FindingFiles(const char* target) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry :
       fs::directory_iterator(fs::path(LOADERGUI_FUZZ_FINDINGS) / target, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = fs::path(info.param).stem().string();
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

TEST(FuzzFindings, KeptInputsAreFound) {
  EXPECT_FALSE(FindingFiles("settings").empty());
  EXPECT_FALSE(FindingFiles("store").empty());
}

class SettingsFinding : public ::testing::TestWithParam<std::string> {};

TEST_P(SettingsFinding, EveryPropertyHolds) {
  auto failures = fuzzing::CheckSettingsFile(Bytes(GetParam()));
  EXPECT_TRUE(failures.empty()) << Joined(failures);
}

INSTANTIATE_TEST_SUITE_P(Kept, SettingsFinding, ::testing::ValuesIn(FindingFiles("settings")),
                         TestName);

class StoreFinding : public ::testing::TestWithParam<std::string> {};

TEST_P(StoreFinding, EveryPropertyHolds) {
  std::string bytes = Bytes(GetParam());
  auto failures = fuzzing::CheckProfileStoreSequence(
      reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  EXPECT_TRUE(failures.empty()) << Joined(failures);
}

INSTANTIATE_TEST_SUITE_P(Kept, StoreFinding, ::testing::ValuesIn(FindingFiles("store")), TestName);

// ---- A NUL byte in a stored value ends the value ----

struct NulCase {
  const char* name;
  std::string stored;  // the value bytes after "KEY="
  const char* key;
  const char* control;
  const char* expected;
};

void PrintTo(const NulCase& c, std::ostream* os) {
  *os << c.name;
}

class NulInValue : public AppFixture, public ::testing::WithParamInterface<NulCase> {};

// Kept whole, the NUL reached the loader's command line, which the platform cuts short there and
// so loses the action.
TEST_P(NulInValue, ValueEndsAtTheNul) {
  const NulCase& c = GetParam();
  installProgram();
  writeSettings("[OPTIONS]\r\n" + std::string(c.key) + "=" + c.stored + "\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(optionControl(c.control).text(), c.expected);
}

const NulCase kNulCases[] = {
    {"InsideAValue", std::string("10.0.0.\0\0007", 11), "IP", "cmbIP", "10.0.0."},
    {"FirstCharacterGivesTheDefault", std::string("\0abc", 4), "ADDRESS", "txtAddress",
     "0x8c010000"},
    {"AtTheEndGoesUnseen", std::string("COM4\0", 5), "DEVICE", "cmbCOMPort", "COM4"},
};

INSTANTIATE_TEST_SUITE_P(Cases, NulInValue, ::testing::ValuesIn(kNulCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- A file whose last line ends in a lone CR ----

struct LoneCrCase {
  const char* name;
  std::string fileText;
  const char* section;
  const char* key;
};

void PrintTo(const LoneCrCase& c, std::ostream* os) {
  *os << c.name;
}

class LoneCrLastLine : public ::testing::TestWithParam<LoneCrCase> {};

std::string Read(const std::string& text, const char* section, const char* key) {
  char buffer[255];
  std::size_t count =
      profile::ReadProfileText(text, section, key, "<missing>", buffer, sizeof buffer);
  return std::string(buffer, count);
}

// A lone CR does not end a line: an added line used to be glued to the last one and lost.
TEST_P(LoneCrLastLine, AddedKeyAndOldKeyBothReadBack) {
  const LoneCrCase& c = GetParam();
  std::string written = profile::WriteProfileText(c.fileText, c.section, c.key, "new");
  EXPECT_EQ(Read(written, c.section, c.key), "new");
  EXPECT_EQ(Read(written, "A", "K"), "v");
}

const LoneCrCase kLoneCrCases[] = {
    {"NewSection", "[A]\r\nK=v\r", "B", "L"},
    {"NewKeyInLastSection", "[A]\r\nK=v\r", "A", "L"},
    {"AfterAHeaderLine", "[A]\r\nK=v\r\n[B]\r", "B", "L"},
};

INSTANTIATE_TEST_SUITE_P(Cases, LoneCrLastLine, ::testing::ValuesIn(kLoneCrCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The grammar that judges the started lines: it must reject every line a value split ----

// The fuzz check's own assembly, against the command lines the loaders' documentation gives
// as examples: if it drifted, the fuzz target would hold the program to a wrong line.
struct OracleCase {
  const char* name;
  fuzzing::PressInputs inputs;
  const char* line;
  bool carriesAQuote;
};

fuzzing::PressInputs Inputs(bool serial, fuzzing::LoaderAction action, std::string file) {
  fuzzing::PressInputs in;
  in.serial = serial;
  in.device = "COM1";
  in.baudrate = "115200";
  in.ip = "192.168.0.0";
  in.address = "0x8c010000";
  in.action = action;
  in.file = std::move(file);
  return in;
}

std::vector<OracleCase> OracleCases() {
  using fuzzing::LoaderAction;
  std::vector<OracleCase> cases;
  auto serialExecute = Inputs(true, LoaderAction::UploadExecute, "C:\\work\\demo.elf");
  serialExecute.noConsole = true;
  cases.push_back({"SerialUploadExecute", serialExecute,
                   "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -n -x "
                   "\"C:\\work\\demo.elf\"",
                   false});
  auto ipDownload = Inputs(false, LoaderAction::Download, "C:\\work\\dump.bin");
  ipDownload.chroot = "C:\\work\\root";
  ipDownload.size = "0x10000";
  cases.push_back({"IpDownloadWithChroot", ipDownload,
                   "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -c \"C:\\work\\root\" -s "
                   "0x10000 -d \"C:\\work\\dump.bin\"",
                   false});
  auto allSwitches = Inputs(false, LoaderAction::Upload, "f");
  allSwitches.noConsole = allSwitches.dumbTerminal = allSwitches.noScreenClear = true;
  allSwitches.chroot = "r";
  allSwitches.iso = "i.iso";
  allSwitches.address = " 0x0 ";
  cases.push_back(
      {"AllOptionsInOrderAndBlanksAsTyped", allSwitches,
       "tools\\ravlink-ip.exe -t 192.168.0.0 -a  0x0  -n -p -q -c \"r\" -i \"i.iso\" -u \"f\"",
       false});
  auto rootChroot = Inputs(true, LoaderAction::Upload, "f");
  rootChroot.chroot = "C:\\";
  cases.push_back(
      {"ChrootAtADriveRootKeepsItsBackslash", rootChroot,
       "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -c \"C:\\\\\" -u \"f\"", false});
  auto quotedSpeed = Inputs(true, LoaderAction::Upload, "f");
  quotedSpeed.baudrate = "9600\"";
  cases.push_back({"QuoteInSpeed", quotedSpeed,
                   "tools\\ravlink-serial.exe -t COM1 -b 9600\" -a 0x8c010000 -u \"f\"", true});
  auto ipIgnoresSpeed = Inputs(false, LoaderAction::Upload, "f");
  ipIgnoresSpeed.baudrate = "9600\"";
  cases.push_back({"IpLineIgnoresTheSpeed", ipIgnoresSpeed,
                   "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -u \"f\"", false});
  return cases;
}

TEST(ExpectedCommand, AssemblesTheDocumentedLines) {
  for (const OracleCase& c : OracleCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fuzzing::ExpectedLoaderLine(c.inputs), c.line);
    EXPECT_EQ(fuzzing::CarriesAQuote(c.inputs), c.carriesAQuote);
  }
  EXPECT_EQ(fuzzing::ExpectedArpLine("10.0.0.1", "Set MAC address"),
            "tools\\arp.exe -s 10.0.0.1 Set MAC address");
}

}  // namespace
}  // namespace loadergui::testing
