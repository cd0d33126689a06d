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
#include "CygwinReader.h"
#include "ExpectedCommand.h"
#include "ProfileStoreChecks.h"
#include "SettingsChecks.h"
#include "profile/ProfileStore.h"

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;

// The files of a folder, by name.
std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The kept inputs of one target.
std::vector<std::string> FindingFiles(const char* target) {
  return FilesIn(fs::path(LOADERGUI_FUZZ_FINDINGS) / target);
}

// The seed settings files every fuzz run starts from, beside the findings.
std::vector<std::string> SeedFiles() {
  return FilesIn(fs::path(LOADERGUI_FUZZ_FINDINGS).parent_path() / "corpus");
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
  EXPECT_FALSE(SeedFiles().empty());
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
// The seeds too: shares, drive roots and Japanese names among them, which bring every form of
// the loaders' command lines and the refusal of a name none serves into each run.
INSTANTIATE_TEST_SUITE_P(Seeds, SettingsFinding, ::testing::ValuesIn(SeedFiles()), TestName);

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

// ---- What the fuzz check holds the presses to ----

// The fuzz check's own assembly, against the documented command lines split into the arguments
// the loader receives: if it drifted, the fuzz target would hold the program to wrong ones.
struct OracleCase {
  const char* name;
  fuzzing::PressInputs inputs;
  std::vector<std::string> arguments;
  bool refused;
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
  cases.push_back({"SerialUploadExecute",
                   serialExecute,
                   {"tools\\ravlink-serial.exe", "-t", "COM1", "-b", "115200", "-a", "0x8c010000",
                    "-n", "-x", "C:\\work\\demo.elf"},
                   false});
  auto ipDownload = Inputs(false, LoaderAction::Download, "C:\\work\\dump.bin");
  ipDownload.chroot = "C:\\work\\root";
  ipDownload.size = "0x10000";
  cases.push_back({"IpDownloadWithChroot",
                   ipDownload,
                   {"tools\\ravlink-ip.exe", "-t", "192.168.0.0", "-a", "0x8c010000", "-c",
                    "C:\\work\\root", "-s", "0x10000", "-d", "C:\\work\\dump.bin"},
                   false});
  auto allSwitches = Inputs(false, LoaderAction::Upload, "f");
  allSwitches.noConsole = allSwitches.dumbTerminal = allSwitches.noScreenClear = true;
  allSwitches.chroot = "r";
  allSwitches.iso = "i.iso";
  allSwitches.address = " 0x0\t-v ";
  cases.push_back({"AllOptionsInOrderAndTypedValuesSplitAtBlanks",
                   allSwitches,
                   {"tools\\ravlink-ip.exe", "-t", "192.168.0.0", "-a", "0x0", "-v", "-n", "-p",
                    "-q", "-c", "r", "-i", "i.iso", "-u", "f"},
                   false});
  auto emptySize = Inputs(true, LoaderAction::Download, "\\\\nas\\d.bin");
  emptySize.chroot = "C:\\";
  emptySize.address = "";
  cases.push_back({"EmptyValuesGiveNoWordPathsOneEach",
                   emptySize,
                   {"tools\\ravlink-serial.exe", "-t", "COM1", "-b", "115200", "-a", "-c", "C:\\",
                    "-s", "-d", "\\\\nas\\d.bin"},
                   false});
  auto quotedSpeed = Inputs(true, LoaderAction::Upload, "f");
  quotedSpeed.baudrate = "9600\"";
  cases.push_back(
      {"QuoteInSpeed",
       quotedSpeed,
       {"tools\\ravlink-serial.exe", "-t", "COM1", "-b", "9600\"", "-a", "0x8c010000", "-u", "f"},
       true});
  auto ipIgnoresSpeed = Inputs(false, LoaderAction::Upload, "f");
  ipIgnoresSpeed.baudrate = "9600\"";
  cases.push_back({"IpLineIgnoresTheSpeed",
                   ipIgnoresSpeed,
                   {"tools\\ravlink-ip.exe", "-t", "192.168.0.0", "-a", "0x8c010000", "-u", "f"},
                   false});
  return cases;
}

TEST(ExpectedCommand, SplitsTheDocumentedLinesIntoTheirArguments) {
  for (const OracleCase& c : OracleCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fuzzing::ExpectedLoaderArguments(c.inputs), c.arguments);
    EXPECT_EQ(fuzzing::RefusalReason(c.inputs, {}) != nullptr, c.refused);
  }
  fuzzing::PressInputs arp = Inputs(false, fuzzing::LoaderAction::Upload, "f");
  arp.ip = "10.0.0.1";
  arp.mac = "Set MAC address";
  EXPECT_EQ(
      fuzzing::ExpectedArpArguments(arp),
      (std::vector<std::string>{"tools\\arp.exe", "-s", "10.0.0.1", "Set", "MAC", "address"}));
}

// Each reason the fuzz check accepts for a refusal, and look-alikes that must go through.
struct ReasonCase {
  const char* name;
  const char* address;
  const char* chroot;
  const char* mac;
  bool codePage932;
  bool refused;
};

const ReasonCase kReasons[] = {
    {"PlainValues", "0x8c010000", "C:\\root\\", "00:11:22:33:44:55", false, false},
    {"WildcardInAValue", "0x8c01*", "C:\\root", "m", false, true},
    {"BracketInTheMac", "0x0", "C:\\root", "00[11]", false, true},
    {"ClosingSquareBracketAlone", "0x0]", "C:\\root", "m", false, false},
    {"SingleQuote", "0x0'", "C:\\root", "m", false, true},
    {"AtStartingALaterWord", "0x0 @args", "C:\\root", "m", false, true},
    {"AtInsideAWord", "0x0@x", "C:\\root", "m", false, false},
    {"TildeStartingTheMac", "0x0", "C:\\root", "~m", false, true},
    {"QuoteInTheChroot", "0x0", "C:\\a\"b", "m", false, true},
    {"LeadByteWithoutItsSecondByte", "0x0\x95", "C:\\root", "m", true, true},
    {"LeadByteOfAnotherCodePage", "0x0\x95", "C:\\root", "m", false, false},
    {"SecondByteLikeABracket", "0x\x81[", "C:\\root", "m", true, true},
    {"DriveFolderEndingInASecondByteBackslash", "0x0", "C:\\dc\\\x95\\", "m", true, false},
    {"ShareEndingInASecondByteBackslash", "0x0", "\\\\nas\\\x95\\", "m", true, false},
    {"ShareWithABlankEndingSo", "0x0", "\\\\nas\\my dc\\\x95\\\\", "m", true, true},
    {"ShareWithABlankEndingOtherwise", "0x0", "\\\\nas\\my dc\\\x95\\x", "m", true, false},
};

TEST(ExpectedCommand, RefusalReasons) {
  for (const ReasonCase& c : kReasons) {
    SCOPED_TRACE(c.name);
    fuzzing::PressInputs in = Inputs(false, fuzzing::LoaderAction::Upload, "f");
    in.address = c.address;
    in.chroot = c.chroot;
    in.mac = c.mac;
    fuzzing::LeadBytes lead = c.codePage932 ? cygwin::CodePage932() : fuzzing::LeadBytes();
    EXPECT_EQ(fuzzing::RefusalReason(in, lead) != nullptr, c.refused);
  }
}

}  // namespace
}  // namespace loadergui::testing
