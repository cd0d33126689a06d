// The portable profile writer leaves the same file on disk as the real WritePrivateProfileStringA.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "profile/ProfileStore.h"

namespace loadergui::win32::testing {
namespace {

struct Write {
  const char* section;
  const char* key;
  std::string value;
};

// Wine's profile functions rewrite the whole file in a normal form of their own (CR LF line
// ends, no blank lines, no blanks around "=" or inside brackets, no leading blank in a value)
// where Windows, and the portable store, change only the key's line. For starting files that
// are not in that normal form, only the content the two files hold is compared.
enum class Compare { Bytes, Content };

struct WriteCase {
  const char* name;
  std::optional<std::string> startingFile;  // no file at all when empty
  std::vector<Write> writes;
  Compare compare = Compare::Bytes;
};

// The file as a reader sees it: one line per section header or entry, blanks and line ends gone.
std::string Content(const std::string& file) {
  auto trim = [](const std::string& text) {
    auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
  };
  std::string content;
  std::size_t start = 0;
  while (start < file.size()) {
    auto end = file.find('\n', start);
    if (end == std::string::npos) end = file.size();
    std::string line = trim(file.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    auto equals = line.find('=');
    if (line[0] == '[' && line.back() == ']') {
      line = "[" + trim(line.substr(1, line.size() - 2)) + "]";
    } else if (equals != std::string::npos) {
      line = trim(line.substr(0, equals)) + "=" + trim(line.substr(equals + 1));
    }
    content += line + "\n";
  }
  return content;
}

// The save sequence of the program: every key in the order of the key table.
std::vector<Write> FullSave(const std::string& address) {
  return {
      {"SETTINGS", "TYPE", "Upload and &Execute"},
      {"SETTINGS", "RAVLINK", "Serial"},
      {"OPTIONS", "ADDRESS", address},
      {"OPTIONS", "SIZE", "0x0"},
      {"OPTIONS", "DEVICE", "COM1"},
      {"OPTIONS", "IP", "192.168.0.0"},
      {"OPTIONS", "BAUDRATE", "115200"},
      {"OPTIONS", "ARP", "0"},
      {"OPTIONS", "ARPMAC", "Set MAC address"},
      {"OPTIONS", "NOCONSOLE", "0"},
      {"OPTIONS", "DUMBTERM", "0"},
      {"OPTIONS", "NOCLEAR", "0"},
      {"OPTIONS", "CHROOT", "0"},
      {"OPTIONS", "CDFS", "0"},
      {"CHROOT", "DIR", "Please select a folder..."},
      {"CDFSREDIRECT", "ISO", "Please select an ISO image..."},
  };
}

const std::string kSaved =
    "[SETTINGS]\r\nTYPE=&Upload\r\nRAVLINK=Serial\r\n[OPTIONS]\r\nADDRESS=0x8c010000\r\n";

std::vector<WriteCase> WriteCases() {
  return {
      {"FirstSaveFromNoFile", std::nullopt, FullSave("0x8c010000")},
      {"FullSaveOverEarlierSave", kSaved, FullSave("0x8c008000")},
      {"SameValueAgain", kSaved, {{"SETTINGS", "TYPE", "&Upload"}}},
      {"ReplaceValueWithNewline", kSaved, {{"SETTINGS", "TYPE", "&Download"}}},
      {"ReplaceValueNoNewline", std::string("[A]\r\nk=old"), {{"A", "k", "new"}}},
      {"AddKeyNoNewline", std::string("[A]\r\nk=old"), {{"A", "j", "added"}}},
      {"AddSectionNoNewline", std::string("[A]\r\nk=old"), {{"B", "j", "added"}}},
      {"AddSectionWithNewline", kSaved, {{"CHROOT", "DIR", "C:\\x"}}},
      {"AddKeyToFirstSection", kSaved, {{"SETTINGS", "NEW", "1"}}},
      {"KeyInOtherCase", std::string("[settings]\r\ntype=old\r\n"), {{"SETTINGS", "TYPE", "new"}}},
      {"LinuxLineEnds",
       std::string("[A]\nk=old\nj=keep\n[B]\nx=1\n"),
       {{"A", "k", "new"}},
       Compare::Content},
      {"LinuxLineEndsAddKey",
       std::string("[A]\nk=old\n[B]\nx=1\n"),
       {{"A", "n", "new"}},
       Compare::Content},
      {"BlanksAroundOldValue",
       std::string("[A]\r\nk = old \r\nj = keep \r\n"),
       {{"A", "k", "new"}},
       Compare::Content},
      {"ValueWithBlanks", kSaved, {{"OPTIONS", "ADDRESS", " 0x8c010000 "}}, Compare::Content},
      {"EmptyValue", kSaved, {{"OPTIONS", "ADDRESS", ""}}},
      {"QuotedValue", kSaved, {{"OPTIONS", "ADDRESS", "\"quoted\""}}},
      {"LongValue", kSaved, {{"CHROOT", "DIR", std::string(300, 'd')}}},
      {"CommentsKept",
       std::string("; settings\r\n[A]\r\n; about k\r\nk=old\r\n\r\n[B]\r\nx=1\r\n"),
       {{"A", "k", "new"}},
       Compare::Content},
      {"BlankLineBeforeNextSection",
       std::string("[A]\r\nk=old\r\n\r\n[B]\r\nx=1\r\n"),
       {{"A", "n", "new"}},
       Compare::Content},
      {"DuplicateKeys", std::string("[A]\r\nk=first\r\nk=second\r\n"), {{"A", "k", "new"}}},
      {"EmptyFile", std::string(), {{"A", "k", "v"}}},
      {"OnlyBlankLines", std::string("\r\n\r\n"), {{"A", "k", "v"}}, Compare::Content},
      {"SectionWithBlanksInHeader",
       std::string("[ A ]\r\nk=old\r\n"),
       {{"A", "k", "new"}},
       Compare::Content},
      {"ByteOrderMarkKept", std::string("\xEF\xBB\xBF[A]\r\nk=old\r\n"), {{"A", "k", "new"}}},
  };
}

void PrintTo(const WriteCase& row, std::ostream* out) {
  *out << row.name;
}

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, PortableWriterLeavesTheSameBytes) {
  const WriteCase& row = GetParam();
  ScratchFolder folder;
  std::string realFile = folder / "real.ini";
  std::string portableFile = folder / "portable.ini";
  if (row.startingFile) {
    ASSERT_TRUE(WriteWholeFile(realFile, *row.startingFile));
    ASSERT_TRUE(WriteWholeFile(portableFile, *row.startingFile));
  }

  std::string input = "start " + (row.startingFile ? Visible(*row.startingFile) : "(no file)");
  for (const Write& write : row.writes) {
    input +=
        ", then [" + std::string(write.section) + "] " + write.key + "=" + Visible(write.value);
    bool realWritten = WritePrivateProfileStringA(write.section, write.key, write.value.c_str(),
                                                  realFile.c_str()) != FALSE;
    bool portableWritten = WriteWholeFile(
        portableFile, profile::WriteProfileText(ReadWholeFile(portableFile), write.section,
                                                write.key, write.value));
    EXPECT_EQ(realWritten, portableWritten) << input;
    std::string real = ReadWholeFile(realFile);
    std::string portable = ReadWholeFile(portableFile);
    if (row.compare == Compare::Content) {
      real = Content(real);
      portable = Content(portable);
    }
    ASSERT_EQ(Visible(real), Visible(portable)) << input;
  }
}

// The save checks what the profile write says: a folder that is missing, it reports.
TEST(ProfileWriteFailure, TheRealWriteReportsAFolderThatIsMissing) {
  ScratchFolder folder;
  std::string missing = folder / "no-such-folder\\settings.ini";
  EXPECT_FALSE(WritePrivateProfileStringA("A", "k", "v", missing.c_str()));
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWriteTest, ::testing::ValuesIn(WriteCases()),
                         [](const ::testing::TestParamInfo<WriteCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace loadergui::win32::testing
