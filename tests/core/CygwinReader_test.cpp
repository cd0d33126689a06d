// The test helper that reads command lines as the Windows loaders, Cygwin programs, do: each
// rule of their reading, in both kinds of reader, before any test relies on it.
#include "CygwinReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace loadergui::testing {
namespace {

using cygwin::Reader;
using cygwin::Verdict;

enum class Readers { Both, BytesOnly, WideOnly };

struct ReadCase {
  const char* name;
  std::string line;
  Readers readers;
  Verdict verdict;
  std::vector<std::string> arguments;  // checked when the verdict is Whole
};

// One byte of the second half of a double-byte character in code page 932 is 0x5C: the first
// of these reads 表 there (0x95 0x5C); the second is a lead byte with a second byte like "[".
const std::string kTable = "\x95\\";
const std::string kBracketSecond = "\x81[";

const ReadCase kCases[] = {
    // Splitting.
    {"BlanksAndTabsSeparate", "p a  b\tc", Readers::Both, Verdict::Whole, {"p", "a", "b", "c"}},
    {"DoubleQuotesGroup", "p \"a b\" c", Readers::Both, Verdict::Whole, {"p", "a b", "c"}},
    {"SingleQuotesGroup", "p 'a b'", Readers::Both, Verdict::Whole, {"p", "a b"}},
    {"QuotedRunsJoinTheirWord", "p a\"b c\"d", Readers::Both, Verdict::Whole, {"p", "ab cd"}},
    {"EmptyQuotesAreAnArgument", "p \"\" x", Readers::Both, Verdict::Whole, {"p", "", "x"}},
    {"DoubledQuoteInsideQuotes", "p \"a\"\"b\"", Readers::Both, Verdict::Whole, {"p", "a\"b"}},
    {"SingleQuoteInsideDoubleQuotes", "p \"it's\"", Readers::Both, Verdict::Whole, {"p", "it's"}},
    {"ScannerStepsOverAnEscapedQuote",
     "p \"a\\\" b\"",
     Readers::Both,
     Verdict::Whole,
     {"p", "a\" b"}},
    {"ARunThatNeverEnds", "p \"a b", Readers::Both, Verdict::Undefined, {}},
    {"BackslashBeforeTheClosingQuoteOfADrivePath",
     "p \"C:\\dir\\\"",
     Readers::Both,
     Verdict::Undefined,
     {}},
    {"QuoteInTheProgramsName", "\"p\" x", Readers::Both, Verdict::Undefined, {}},
    // Words without quotes, wildcards or brackets stand as they are.
    {"PlainWordsKeepTheirBackslashes",
     "p C:\\dir\\ \\\\nas\\dc\\x.elf a\\\\b",
     Readers::Both,
     Verdict::Whole,
     {"p", "C:\\dir\\", "\\\\nas\\dc\\x.elf", "a\\\\b"}},
    {"ClosingSquareBracketAlone", "p a]b", Readers::Both, Verdict::Whole, {"p", "a]b"}},
    {"TildeInsideAWord", "p a~b", Readers::Both, Verdict::Whole, {"p", "a~b"}},
    // Drive words: every backslash an ordinary character.
    {"DriveRootDoubled", "p \"C:\\\\\"", Readers::Both, Verdict::Whole, {"p", "C:\\\\"}},
    {"DriveQuoteClosedBeforeTheBackslash",
     "p \"C:\\dir\"\\ \"C:\"\\",
     Readers::Both,
     Verdict::Whole,
     {"p", "C:\\dir\\", "C:\\"}},
    {"DriveWordWithoutQuotes", "p C:\\a(b)", Readers::Both, Verdict::Undefined, {}},
    {"DriveLetterMustStartTheWord", "p x\"C:\\\\\"", Readers::Both, Verdict::Whole, {"p", "xC:\\"}},
    // Other words: \\ and \" are escapes inside quotes, another backslash stays.
    {"ShareLosesABackslash",
     "p \"\\\\nas\\dc\\x.elf\"",
     Readers::Both,
     Verdict::Whole,
     {"p", "\\nas\\dc\\x.elf"}},
    {"DoubledBackslashesComeBackSingle",
     "p \"\\\\\\\\nas\\\\dc\\\\\"",
     Readers::Both,
     Verdict::Whole,
     {"p", "\\\\nas\\dc\\"}},
    {"SingleQuotedBackslashesPair",
     "p 'a\\\\b\\c'",
     Readers::Both,
     Verdict::Whole,
     {"p", "a\\b\\c"}},
    {"BackslashEndingASingleQuotedRun", "p 'a\\'", Readers::Both, Verdict::Undefined, {}},
    {"UnquotedBackslashBesideQuotes", "p \"a b\"\\c", Readers::Both, Verdict::Undefined, {}},
    // The wildcard step.
    {"QuotedWildcardsAreLiteral",
     "p \"*.elf\" '[a]{b,c}?'",
     Readers::Both,
     Verdict::Whole,
     {"p", "*.elf", "[a]{b,c}?"}},
    {"Star", "p *.elf", Readers::Both, Verdict::WouldChange, {}},
    {"QuestionMark", "p a?", Readers::Both, Verdict::WouldChange, {}},
    {"SquareBrackets", "p [ab]", Readers::Both, Verdict::WouldChange, {}},
    {"Braces", "p {a,b}", Readers::Both, Verdict::WouldChange, {}},
    {"RoundBrackets", "p (a)", Readers::Both, Verdict::Undefined, {}},
    {"TildeStartingAWord", "p ~/x", Readers::Both, Verdict::WouldChange, {}},
    {"QuotedTilde", "p \"~/x\"", Readers::Both, Verdict::Whole, {"p", "~/x"}},
    {"AtStartingAWord", "p @args", Readers::Both, Verdict::WouldChange, {}},
    {"QuotedAt", "p \"@args\" a@b", Readers::Both, Verdict::Whole, {"p", "@args", "a@b"}},
    {"AtStartingTheProgramsName", "@p x", Readers::Both, Verdict::Whole, {"@p", "x"}},
    // Double-byte characters: the byte reader sees their second bytes.
    {"SecondByteEscapesTheClosingQuote",
     "p \"C:\\dc\\" + kTable + "\"",
     Readers::BytesOnly,
     Verdict::Undefined,
     {}},
    {"WideReaderSeesTheCharacter",
     "p \"C:\\dc\\" + kTable + "\"",
     Readers::WideOnly,
     Verdict::Whole,
     {"p", "C:\\dc\\" + kTable}},
    {"SecondByteAfterTheClosedQuote",
     "p \"C:\\dc\"\\" + kTable,
     Readers::Both,
     Verdict::Whole,
     {"p", "C:\\dc\\" + kTable}},
    {"SecondByteBeforeADoubledBackslash",
     "p \"d\\\\" + kTable + "\\\\x\"",
     Readers::Both,
     Verdict::Whole,
     {"p", "d\\" + kTable + "\\x"}},
    {"SecondByteBeforeTheClosingQuoteOfAShare",
     "p \"\\\\\\\\n\\\\" + kTable + "\"",
     Readers::BytesOnly,
     Verdict::Undefined,
     {}},
    {"SecondByteLikeABracketToTheByteReader",
     "p " + kBracketSecond,
     Readers::BytesOnly,
     Verdict::WouldChange,
     {}},
    {"SecondByteLikeABracketToTheWideReader",
     "p " + kBracketSecond,
     Readers::WideOnly,
     Verdict::Whole,
     {"p", kBracketSecond}},
    {"LeadByteBeforeAQuote", "p \"a\x95\"", Readers::WideOnly, Verdict::Undefined, {}},
    {"LeadByteEndingTheLine", "p a\x95", Readers::WideOnly, Verdict::Undefined, {}},
    {"LeadByteToTheByteReader", "p a\x95", Readers::BytesOnly, Verdict::Whole, {"p", "a\x95"}},
};

class CygwinReaderTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CygwinReaderTest, ReadsTheLine) {
  const ReadCase& c = GetParam();
  for (Reader reader : {Reader::Bytes, Reader::Wide}) {
    if ((c.readers == Readers::BytesOnly && reader != Reader::Bytes) ||
        (c.readers == Readers::WideOnly && reader != Reader::Wide)) {
      continue;
    }
    SCOPED_TRACE(reader == Reader::Bytes ? "byte reader" : "wide reader");
    cygwin::Reading reading = cygwin::ReadCommandLine(c.line, reader, cygwin::CodePage932());
    EXPECT_EQ(reading.verdict, c.verdict) << reading.why;
    if (c.verdict == Verdict::Whole) {
      EXPECT_EQ(reading.arguments, c.arguments);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, CygwinReaderTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CygwinReaderCodePage, LeadBytesOf932) {
  cygwin::LeadBytes lead = cygwin::CodePage932();
  EXPECT_EQ(lead.count(), 31u + 29u);
  for (int byte : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(lead.test(byte)) << byte;
  for (int byte : {0x5C, 0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(lead.test(byte)) << byte;
}

// Without lead bytes every byte is a character of its own, as in a Western code page.
TEST(CygwinReaderCodePage, WithoutLeadBytesEveryByteIsACharacter) {
  cygwin::Reading reading =
      cygwin::ReadCommandLine("p \"C:\\dc\\" + kTable + "\"", Reader::Wide, {});
  EXPECT_EQ(reading.verdict, Verdict::Undefined) << reading.why;
}

}  // namespace
}  // namespace loadergui::testing
