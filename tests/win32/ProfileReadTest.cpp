// The portable profile reader gives what the real GetPrivateProfileStringA gives, case by case.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "profile/ProfileStore.h"

namespace loadergui::win32::testing {
namespace {

constexpr std::size_t kBufferSize = 255;  // the settings reader's buffer

struct ReadCase {
  const char* name;
  std::optional<std::string> fileText;  // no file at all when empty
  const char* section;
  const char* key;
  const char* defaultValue;
};

const std::string kSettingsFile =
    "[SETTINGS]\r\nTYPE=&Upload\r\nRAVLINK=Serial\r\n[OPTIONS]\r\nADDRESS=0x8c010000\r\n"
    "SIZE=0x0\r\n[CHROOT]\r\nDIR=C:\\My Folder\r\n";
const std::string kOddCase = "[sEtTiNgS]\nTyPe=&Download\n[Options]\nAddress=0x8c000000\n";
const std::string kQuoted =
    "[Q]\nboth=\"quoted value\"\nleading=\"only leading\ntrailing=only trailing\"\n"
    "empty=\"\"\nlone=\"\ninside=\" blanks inside \"\nsingle='single'\nmixed=\"mixed'\n"
    "three=\"a\"b\"\nblanksout=  \"x\"  \n";
const std::string kBlanks =
    "[B]\nafter =  value with blanks  \r\n  indented=\tx\t\r\nnothing = \r\n"
    "inner key = v\r\ntabs\t=\tt\r\n";
const std::string kSectionBlanks = "  [ SP ]  \n k=1\n[T ]\nk=2\n";
const std::string kEmptyValues = "[E]\nempty=\nnoequals\nspaces=   \n";
const std::string kDuplicates = "[D]\nk=first\nk=second\n[X]\ny=2\n[D]\nz=3\nk=third\n";
const std::string kComments =
    "; leading comment\n[C]\n;hidden=commented\nk=v ; not a comment\n#hash=1\n"
    "  ; indented comment\nafter=yes\n";
const std::string kNoNewline = "[N]\na=1\nlast=v";
const std::string kTopKey = "top=before any section\n[A]\nk=a\n";
const std::string kBrokenHeader = "[Open\nk=v\n[Good]\nk=g\n";
const std::string kEqualsInValue = "[V]\nk=a=b\n=novalue\n";
const std::string kBom = "\xEF\xBB\xBF[U]\nk=bom\n";
const std::string kHighAnsi = "[H]\nk=caf\xE9\n";
const std::string kBlankLines = "\n\n[L]\n\nk=v\n\n\n[M]\nj=w\n";
const std::string kLongValues =
    "[LONG]\nv253=" + std::string(253, 'a') + "\nv254=" + std::string(254, 'b') +
    "\nv255=" + std::string(255, 'c') + "\nv300=" + std::string(300, 'd') + "\nquoted300=\"" +
    std::string(300, 'e') + "\"\n";

const std::string kLongDefault(300, 'f');

std::vector<ReadCase> ReadCases() {
  return {
      {"PlainKey", kSettingsFile, "SETTINGS", "TYPE", ""},
      {"SecondKey", kSettingsFile, "SETTINGS", "RAVLINK", ""},
      {"OtherSection", kSettingsFile, "OPTIONS", "ADDRESS", ""},
      {"LastKeyOfFile", kSettingsFile, "CHROOT", "DIR", ""},
      {"LowerCaseQuery", kSettingsFile, "settings", "type", ""},
      {"MixedCaseQuery", kSettingsFile, "Options", "Size", ""},
      {"MissingKey", kSettingsFile, "OPTIONS", "DEVICE", ""},
      {"MissingKeyWithDefault", kSettingsFile, "OPTIONS", "DEVICE", "COM1"},
      {"MissingSection", kSettingsFile, "CDFSREDIRECT", "ISO", ""},
      {"MissingSectionWithDefault", kSettingsFile, "CDFSREDIRECT", "ISO", "none"},
      {"DefaultWithTrailingBlanks", kSettingsFile, "OPTIONS", "IP", "dflt  "},
      {"DefaultWithLeadingBlanks", kSettingsFile, "OPTIONS", "IP", "  dflt"},
      {"BlanksInKeyQuery", kSettingsFile, "SETTINGS", " TYPE ", ""},
      {"DefaultOver254", kSettingsFile, "OPTIONS", "IP", kLongDefault.c_str()},
      {"KeyNameIsNotSection", kSettingsFile, "OPTIONS", "CHROOT", ""},
      {"OddCaseInFile", kOddCase, "SETTINGS", "TYPE", ""},
      {"OddCaseInFileSecond", kOddCase, "OPTIONS", "ADDRESS", ""},
      {"QuotedBoth", kQuoted, "Q", "both", ""},
      {"QuotedLeadingOnly", kQuoted, "Q", "leading", ""},
      {"QuotedTrailingOnly", kQuoted, "Q", "trailing", ""},
      {"QuotedEmpty", kQuoted, "Q", "empty", ""},
      {"QuoteAlone", kQuoted, "Q", "lone", ""},
      {"QuotedBlanksInside", kQuoted, "Q", "inside", ""},
      {"SingleQuotes", kQuoted, "Q", "single", ""},
      {"MismatchedQuotes", kQuoted, "Q", "mixed", ""},
      {"QuoteInMiddle", kQuoted, "Q", "three", ""},
      {"QuotedWithBlanksOutside", kQuoted, "Q", "blanksout", ""},
      {"BlanksAroundValue", kBlanks, "B", "after", ""},
      {"IndentedKeyAndTabs", kBlanks, "B", "indented", ""},
      {"OnlyBlanksAfterEquals", kBlanks, "B", "nothing", ""},
      {"BlankInsideKeyName", kBlanks, "B", "inner key", ""},
      {"TabsAroundEquals", kBlanks, "B", "tabs", ""},
      {"BlanksInSectionHeader", kSectionBlanks, "SP", "k", ""},
      {"BlanksInSectionQuery", kSectionBlanks, " SP ", "k", ""},
      {"TrailingBlankInSectionName", kSectionBlanks, "T", "k", ""},
      {"TrailingBlankInSectionQuery", kSectionBlanks, "T ", "k", ""},
      {"EmptyValue", kEmptyValues, "E", "empty", ""},
      {"EmptyValueWithDefault", kEmptyValues, "E", "empty", "dflt"},
      {"LineWithoutEquals", kEmptyValues, "E", "noequals", ""},
      {"LineWithoutEqualsWithDefault", kEmptyValues, "E", "noequals", "dflt"},
      {"OnlySpacesValue", kEmptyValues, "E", "spaces", "dflt"},
      {"DuplicateKeyFirstWins", kDuplicates, "D", "k", ""},
      {"DuplicateSectionLaterKey", kDuplicates, "D", "z", ""},
      {"KeyOfOtherSection", kDuplicates, "D", "y", ""},
      {"CommentedKey", kComments, "C", ";hidden", ""},
      {"CommentedKeyWithoutSemicolon", kComments, "C", "hidden", ""},
      {"SemicolonInsideValue", kComments, "C", "k", ""},
      {"HashIsNoComment", kComments, "C", "#hash", ""},
      {"KeyAfterComments", kComments, "C", "after", ""},
      {"NoFinalNewline", kNoNewline, "N", "last", ""},
      {"KeyBeforeAnySectionNotInSection", kTopKey, "A", "top", ""},
      {"KeyAfterTopKey", kTopKey, "A", "k", ""},
      {"UnclosedSectionHeader", kBrokenHeader, "Open", "k", ""},
      {"SectionAfterBrokenHeader", kBrokenHeader, "Good", "k", ""},
      {"EqualsInsideValue", kEqualsInValue, "V", "k", ""},
      {"ByteOrderMark", kBom, "U", "k", ""},
      {"HighAnsiCharacter", kHighAnsi, "H", "k", ""},
      {"BlankLinesAround", kBlankLines, "L", "k", ""},
      {"SectionAfterBlankLines", kBlankLines, "M", "j", ""},
      {"Value253", kLongValues, "LONG", "v253", ""},
      {"Value254", kLongValues, "LONG", "v254", ""},
      {"Value255", kLongValues, "LONG", "v255", ""},
      {"Value300", kLongValues, "LONG", "v300", ""},
      {"QuotedValue300", kLongValues, "LONG", "quoted300", ""},
      {"LongDefault", kSettingsFile, "X", "Y", "0123456789012345678901234567890123456789"},
      {"EmptyFile", std::string(), "SETTINGS", "TYPE", ""},
      {"EmptyFileWithDefault", std::string(), "SETTINGS", "TYPE", "dflt"},
      {"NoFile", std::nullopt, "SETTINGS", "TYPE", ""},
      {"NoFileWithDefault", std::nullopt, "SETTINGS", "TYPE", "dflt"},
  };
}

// What a read hands back: the count, the characters before it, and whether a NUL follows them.
struct ReadResult {
  std::size_t count;
  std::string text;
  bool terminated;
};

ReadResult Read(const std::function<std::size_t(char*, std::size_t)>& reader) {
  std::string buffer(kBufferSize, ' ');  // blanks beforehand, as the settings reader does
  std::size_t count = reader(&buffer[0], buffer.size());
  if (count >= buffer.size()) return {count, buffer, false};
  return {count, buffer.substr(0, count), buffer[count] == '\0'};
}

void PrintTo(const ReadCase& row, std::ostream* out) {
  *out << row.name;
}

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, PortableReaderMatchesTheRealOne) {
  const ReadCase& row = GetParam();
  ScratchFolder folder;
  std::string realFile = folder / "real.ini";
  std::string portableFile = folder / "portable.ini";
  if (row.fileText) {
    ASSERT_TRUE(WriteWholeFile(realFile, *row.fileText));
    ASSERT_TRUE(WriteWholeFile(portableFile, *row.fileText));
  }

  ReadResult real = Read([&](char* buffer, std::size_t size) {
    return GetPrivateProfileStringA(row.section, row.key, row.defaultValue, buffer,
                                    static_cast<DWORD>(size), realFile.c_str());
  });
  ReadResult portable = Read([&](char* buffer, std::size_t size) {
    return profile::ReadProfileText(ReadWholeFile(portableFile), row.section, row.key,
                                    row.defaultValue, buffer, size);
  });

  std::string input = "file " + (row.fileText ? Visible(*row.fileText) : "(none)") + ", [" +
                      row.section + "] " + row.key + ", default " + Visible(row.defaultValue);
  EXPECT_EQ(real.count, portable.count) << input;
  EXPECT_EQ(Visible(real.text), Visible(portable.text)) << input;
  EXPECT_EQ(real.terminated, portable.terminated) << input;
  EXPECT_TRUE(real.terminated) << "the real reader always ends its answer with a NUL";
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReadTest, ::testing::ValuesIn(ReadCases()),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace loadergui::win32::testing
