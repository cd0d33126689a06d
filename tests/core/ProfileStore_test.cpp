// Profile (INI) rules: how a value is found and read, and how writing one key rewrites a text.
#include "profile/ProfileStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "profile/ProfileDocument.h"

namespace loadergui::profile {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBufferSize = 255;  // the size the settings reader passes

struct Answer {
  std::size_t count;
  std::string text;  // the buffer up to its NUL
};

// Reads through a buffer filled with a marker first, so a missing NUL shows up.
Answer Read(const std::string& fileText, const std::string& section, const std::string& key,
            const std::string& defaultValue, std::size_t size = kBufferSize) {
  std::string buffer(size, '#');
  std::size_t count =
      ReadProfileText(fileText, section, key, defaultValue, buffer.data(), buffer.size());
  return {count, buffer.substr(0, buffer.find('\0'))};
}

// ---- Reading: which line answers, and what of it is the value ----

struct ReadCase {
  const char* name;
  std::string fileText;
  const char* section;
  const char* key;
  std::string expected;  // "<default>" stands for the default, which the read is given
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.name;
}

const std::string kLong300(300, 'd');

const ReadCase kReadCases[] = {
    {"PlainValue", "[S]\r\nK=v\r\n", "S", "K", "v"},
    {"LfOnlyEndings", "[S]\nK=v\n", "S", "K", "v"},
    {"LastLineWithoutBreak", "[S]\r\nK=v", "S", "K", "v"},
    {"SectionNameAnyCase", "[sEtTiNgS]\r\nK=v\r\n", "SETTINGS", "K", "v"},
    {"KeyNameAnyCase", "[S]\r\naddress=0x1\r\n", "S", "ADDRESS", "0x1"},
    {"AskedInLowerCase", "[OPTIONS]\r\nADDRESS=0x1\r\n", "options", "address", "0x1"},
    {"BlanksAroundValueGo", "[S]\r\nK=   v w   \r\n", "S", "K", "v w"},
    {"BlanksAroundKeyAndEquals", "[S]\r\n   K   =   v\r\n", "S", "K", "v"},
    {"TabsAroundValueGo", "[S]\r\nK=\tv\t\r\n", "S", "K", "v"},
    {"OnePairOfQuotesGoes", "[S]\r\nK=\"COM2\"\r\n", "S", "K", "COM2"},
    {"BlanksInsideQuotesStay", "[S]\r\nK=\" v \"\r\n", "S", "K", " v "},
    {"SingleQuotesGo", "[S]\r\nK='v'\r\n", "S", "K", "v"},
    {"UnmatchedQuotesStay", "[S]\r\nK=\"v'\r\n", "S", "K", "\"v'"},
    {"OnlyOnePairOfQuotesGoes", "[S]\r\nK=\"\"v\"\"\r\n", "S", "K", "\"v\""},
    {"BlanksThenQuotes", "[S]\r\nK=  \"v\"  \r\n", "S", "K", "v"},
    {"OpeningQuoteAloneStays", "[S]\r\nK=\"v\r\n", "S", "K", "\"v"},
    {"ClosingQuoteAloneStays", "[S]\r\nK=v\"\r\n", "S", "K", "v\""},
    {"QuotesInsideStay", "[S]\r\nK=a \"b\" c\r\n", "S", "K", "a \"b\" c"},
    {"EqualsInValueStays", "[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
    {"AmpersandStays", "[SETTINGS]\r\nTYPE=Upload and &Execute\r\n", "SETTINGS", "TYPE",
     "Upload and &Execute"},
    {"EmptyValueIsEmptyNotDefault", "[S]\r\nK=\r\n", "S", "K", ""},
    {"BlankValueIsEmpty", "[S]\r\nK=    \r\n", "S", "K", ""},
    {"EmptyQuotesAreEmpty", "[S]\r\nK=\"\"\r\n", "S", "K", ""},
    {"EmptyTextGivesDefault", "", "S", "K", "<default>"},
    {"MissingSectionGivesDefault", "[T]\r\nK=v\r\n", "S", "K", "<default>"},
    {"MissingKeyGivesDefault", "[S]\r\nOTHER=v\r\n", "S", "K", "<default>"},
    {"KeyOfNextSectionNotTaken", "[S]\r\nA=1\r\n[T]\r\nK=t\r\n", "S", "K", "<default>"},
    {"KeyBeforeAnySectionNotTaken", "K=top\r\n[S]\r\nA=1\r\n", "S", "K", "<default>"},
    {"RightSectionAmongOthers", "[A]\r\nK=a\r\n[S]\r\nK=s\r\n[B]\r\nK=b\r\n", "S", "K", "s"},
    {"FirstOfDuplicateKeysWins", "[S]\r\nK=first\r\nk=second\r\n", "S", "K", "first"},
    {"CommentsAndBlankLinesIgnored", "; top\r\n\r\n[S]\r\n; K=commented\r\n\r\nK=v\r\n", "S", "K",
     "v"},
    {"KeyIsWholeName", "[S]\r\nKEY=long\r\nK=short\r\n", "S", "K", "short"},
    {"BlanksInsideSectionBrackets", "  [ S ]  \r\nK=v\r\n", "S", "K", "v"},
    {"BlanksAroundAskedSection", "[S]\r\nK=v\r\n", " S ", "K", "v"},
    {"KeyLineWithoutEqualsGivesDefault", "[S]\r\nK\r\n", "S", "K", "<default>"},
    {"ByteOrderMarkBeforeFirstSection", "\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K", "v"},
    {"PrefixKeyNotTaken", "[S]\r\nKEY=long\r\n", "S", "KE", "<default>"},
    {"Exactly254Kept", "[S]\r\nK=" + std::string(254, 'x') + "\r\n", "S", "K",
     std::string(254, 'x')},
    {"Value255CutTo254", "[S]\r\nK=" + std::string(255, 'y') + "\r\n", "S", "K",
     std::string(254, 'y')},
    {"Value300CutTo254", "[CHROOT]\r\nDIR=" + kLong300 + "\r\n", "CHROOT", "DIR",
     kLong300.substr(0, 254)},
};

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, FindsValue) {
  const ReadCase& c = GetParam();
  const std::string defaultValue = "fallback";
  std::string expected = c.expected == "<default>" ? defaultValue : c.expected;
  Answer answer = Read(c.fileText, c.section, c.key, defaultValue);
  EXPECT_EQ(answer.text, expected);
  EXPECT_EQ(answer.count, expected.size());
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileReadTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileRead, LongValueIsNulTerminatedInsideTheBuffer) {
  std::string buffer(kBufferSize, '#');
  std::size_t count =
      ReadProfileText("[S]\r\nK=" + kLong300 + "\r\n", "S", "K", "", buffer.data(), buffer.size());
  EXPECT_EQ(count, 254u);
  EXPECT_EQ(buffer[254], '\0');
  EXPECT_EQ(buffer.substr(0, 254), kLong300.substr(0, 254));
}

TEST(ProfileRead, SmallBufferCutsToSizeLessOne) {
  Answer answer = Read("[S]\r\nK=abcdef\r\n", "S", "K", "", 4);
  EXPECT_EQ(answer.text, "abc");
  EXPECT_EQ(answer.count, 3u);
}

TEST(ProfileRead, EmptyDefaultForMissingKeyCopiesNothing) {
  Answer answer = Read("[S]\r\nA=1\r\n", "S", "K", "");
  EXPECT_EQ(answer.text, "");
  EXPECT_EQ(answer.count, 0u);
}

TEST(ProfileRead, DefaultLosesOnlyItsTrailingBlanks) {
  Answer answer = Read("[S]\r\nA=1\r\n", "S", "K", "  dflt  ");
  EXPECT_EQ(answer.text, "  dflt");
  EXPECT_EQ(answer.count, 6u);
}

// ---- Writing: one key changes, every other byte stays ----

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
  *os << c.name;
}

const WriteCase kWriteCases[] = {
    {"ReplacesOnlyThatLineCrLf",
     "; settings of the loaders\r\n\r\n[S]\r\nA=1\r\nK=old\r\nB=2\r\n\r\n[T]\r\nK=t\r\n", "S", "K",
     "new", "; settings of the loaders\r\n\r\n[S]\r\nA=1\r\nK=new\r\nB=2\r\n\r\n[T]\r\nK=t\r\n"},
    {"ReplacesOnlyThatLineLfOnly", "[S]\nA=1\nK=old\nB=2\n", "S", "K", "new",
     "[S]\nA=1\nK=new\nB=2\n"},
    {"KeyKeepsFileSpelling", "[options]\r\naddress=0x1\r\n", "OPTIONS", "ADDRESS", "0x2",
     "[options]\r\naddress=0x2\r\n"},
    {"SectionFoundAnyCase", "[options]\r\nA=1\r\n", "OPTIONS", "K", "v",
     "[options]\r\nA=1\r\nK=v\r\n"},
    {"OnlyFirstDuplicateReplaced", "[S]\nK=1\nK=2\n", "S", "K", "new", "[S]\nK=new\nK=2\n"},
    {"SameKeyInOtherSectionUntouched", "[A]\nK=a\n[B]\nK=b\n", "B", "K", "new",
     "[A]\nK=a\n[B]\nK=new\n"},
    {"ValueKeepsItsBlanks", "[S]\r\nK=old\r\n", "S", "K", " v ", "[S]\r\nK= v \r\n"},
    {"EmptyValueWritten", "[S]\r\nK=old\r\n", "S", "K", "", "[S]\r\nK=\r\n"},
    {"OtherLinesKeepOddSpacing", "  [S]  \r\n A = 1 \r\n\t; note \r\nK=old\r\n", "S", "K", "new",
     "  [S]  \r\n A = 1 \r\n\t; note \r\nK=new\r\n"},
    {"MissingKeyAfterLastEntryBeforeNextSection", "[S]\r\nA=1\r\nB=2\r\n\r\n[T]\r\nC=3\r\n", "S",
     "K", "v", "[S]\r\nA=1\r\nB=2\r\nK=v\r\n\r\n[T]\r\nC=3\r\n"},
    {"MissingKeyInLastSection", "[T]\r\nC=3\r\n[S]\r\nA=1\r\n", "S", "K", "v",
     "[T]\r\nC=3\r\n[S]\r\nA=1\r\nK=v\r\n"},
    {"MissingKeyInEmptySection", "[S]\r\n[T]\r\nC=3\r\n", "S", "K", "v",
     "[S]\r\nK=v\r\n[T]\r\nC=3\r\n"},
    {"MissingSectionAtEnd", "[S]\r\nA=1\r\n", "T", "K", "v", "[S]\r\nA=1\r\n[T]\r\nK=v\r\n"},
    {"MissingSectionAfterLfOnlyText", "[S]\nA=1\n", "T", "K", "v", "[S]\nA=1\n[T]\r\nK=v\r\n"},
    {"EmptyTextGetsSectionAndKey", "", "S", "K", "v", "[S]\r\nK=v\r\n"},
    {"NoBreakOnLastLineReplaced", "[S]\r\nK=old", "S", "K", "new", "[S]\r\nK=new\r\n"},
    {"NoBreakOnLastLineKeyAdded", "[S]\r\nA=1", "S", "K", "v", "[S]\r\nA=1\r\nK=v\r\n"},
    {"NoBreakOnLastLineSectionAdded", "[S]\r\nA=1", "T", "K", "v", "[S]\r\nA=1\r\n[T]\r\nK=v\r\n"},
    {"NewSectionKeepsGivenSpelling", "", "CDFSREDIRECT", "ISO", "x", "[CDFSREDIRECT]\r\nISO=x\r\n"},
    {"SameValueLeavesTextAsIs", "[S]\r\nK=v\r\n", "S", "K", "v", "[S]\r\nK=v\r\n"},
    {"ByteOrderMarkKept", "\xEF\xBB\xBF[S]\r\nK=old\r\n", "S", "K", "new",
     "\xEF\xBB\xBF[S]\r\nK=new\r\n"},
    // Behind the file's own mark, a second one makes the first line an entry, not a section.
    {"SecondByteOrderMarkStaysSecond", "\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\nK=a\r\n[S]\r\nK=b\r\n", "S",
     "K", "new", "\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\nK=a\r\n[S]\r\nK=new\r\n"},
    // A line break would start a line of its own that reads back as a key or a section.
    {"ValueEndsAtLineFeed", "[S]\r\nK=old\r\n", "S", "K", "v\nDEVICE=x", "[S]\r\nK=v\r\n"},
    {"ValueEndsAtCarriageReturn", "[S]\r\nK=old\r\n", "S", "K", "v\r[X]", "[S]\r\nK=v\r\n"},
    {"NewKeyNameEndsAtLineFeed", "[S]\r\n", "S", "K\nL", "v", "[S]\r\nK=v\r\n"},
    {"CarriageReturnInKeyNameStays", "[S]\r\n", "S", "K\rL", "v", "[S]\r\nK\rL=v\r\n"},
    {"NewSectionNameEndsAtLineFeed", "", "S\n[T]", "K", "v", "[S]\r\nK=v\r\n"},
    {"LoneCarriageReturnEndsLastLine", "[S]\r\nA=1\r", "S", "K", "v", "[S]\r\nA=1\r\nK=v\r\n"},
    {"KeyAddedBeforeBlankLinesOfSection", "[S]\r\nA=1\r\n\r\n[T]\r\n", "S", "K", "v",
     "[S]\r\nA=1\r\nK=v\r\n\r\n[T]\r\n"},
    {"SectionAddedAfterTrailingBlankLines", "[S]\r\nA=1\r\n\r\n  ", "T", "K", "v",
     "[S]\r\nA=1\r\n\r\n  \r\n[T]\r\nK=v\r\n"},
};

// Several writes on one document: each sees what the ones before it wrote, wherever it put it.
TEST(ProfileDocumentTest, WritesBuildOnEachOther) {
  ProfileDocument document("[S]\r\nA=1\r\n\r\n[T]\r\nB=2");
  document.write("S", "K", "k");
  document.write("U", "X", "x");
  document.write("u", "Y", "y");
  document.write("S", "k", "K2");
  document.write("T", "B", "3");
  EXPECT_EQ(document.text(), "[S]\r\nA=1\r\nK=K2\r\n\r\n[T]\r\nB=3\r\n[U]\r\nX=x\r\nY=y\r\n");
  char buffer[16];
  EXPECT_EQ(document.read("U", "y", "", buffer, sizeof buffer), 1u);
  EXPECT_STREQ(buffer, "y");
}

// Whether a save has anything to write: only a write that changes the text counts.
TEST(ProfileDocumentTest, KnowsWhetherTheTextChanged) {
  ProfileDocument same("[S]\r\nK=v\r\n");
  same.write("s", "k", "v");
  EXPECT_FALSE(same.changed());
  ProfileDocument spaced("[S]\r\nK = v\r\n");
  spaced.write("S", "K", "v");
  EXPECT_TRUE(spaced.changed());  // the line is written anew without its blanks
  ProfileDocument unterminated("[S]\r\nK=v");
  unterminated.write("S", "K", "v");
  EXPECT_TRUE(unterminated.changed());  // the last line gets its line break
  ProfileDocument added("");
  added.write("S", "K", "");
  EXPECT_TRUE(added.changed());
}

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, RewritesOneKey) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(WriteProfileText(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileWriteTest, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Writing a value and reading it back gives what the read rules make of it.
struct RoundTripCase {
  const char* name;
  std::string written;
  std::string readBack;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
  *os << c.name;
}

const RoundTripCase kRoundTrips[] = {
    {"Plain", "0x8c010000", "0x8c010000"},
    {"LeadingAndTrailingBlanksGo", "  0x8c010000 ", "0x8c010000"},
    {"QuotesGo", "\"C:\\iso\\game.iso\"", "C:\\iso\\game.iso"},
    {"Empty", "", ""},
    {"Long300CutTo254", kLong300, kLong300.substr(0, 254)},
};

class ProfileRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ProfileRoundTripTest, ReadsBackWhatWasWritten) {
  const RoundTripCase& c = GetParam();
  std::string text = WriteProfileText("[OPTIONS]\r\nA=1\r\n", "OPTIONS", "K", c.written);
  EXPECT_EQ(Read(text, "OPTIONS", "K", "").text, c.readBack);
  EXPECT_EQ(Read(text, "OPTIONS", "A", "").text, "1");
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileRoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace loadergui::profile
