// How paths and typed values are written into the loaders' command lines, each form proven by
// reading it back as both kinds of Windows loader do.
#include "loader/Quoting.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CygwinReader.h"
#include "ReaderChecks.h"

namespace loadergui::testing {
namespace {

// 表 in code page 932: its second byte is 0x5C, a backslash to a reader of bytes.
const std::string kTable = "\x95\\";
// A character of code page 932 whose second byte is "[".
const std::string kBracketSecond = "\x81[";
const cygwin::LeadBytes kWestern;
const cygwin::LeadBytes kJapanese = cygwin::CodePage932();

struct PathCase {
  const char* name;
  std::string path;
  bool japanese;  // code page 932; otherwise one byte per character
  std::string form;
};

const PathCase kPaths[] = {
    {"DrivePath", "C:\\work\\demo.elf", false, "\"C:\\work\\demo.elf\""},
    {"DrivePathWithBlanks", "C:\\My Dumps\\dc bios.bin", false, "\"C:\\My Dumps\\dc bios.bin\""},
    {"DriveRoot", "C:\\", false, "\"C:\"\\"},
    {"LowerCaseDriveRoot", "e:\\", false, "\"e:\"\\"},
    {"FolderWithASeparatorAtTheEnd", "C:\\games\\", false, "\"C:\\games\"\\"},
    {"FolderWithTwoSeparatorsAtTheEnd", "C:\\my games\\\\", false, "\"C:\\my games\"\\\\"},
    {"DriveAlone", "C:", false, "\"C:\""},
    {"DriveRelative", "C:demo.elf", false, "\"C:demo.elf\""},
    {"ForwardSlashes", "C:/dc/x.elf", false, "\"C:/dc/x.elf\""},
    {"Share", "\\\\nas\\dc\\demo.elf", false, "\"\\\\\\\\nas\\\\dc\\\\demo.elf\""},
    {"ShareFolderWithASeparatorAtTheEnd", "\\\\nas\\dc\\", false, "\"\\\\\\\\nas\\\\dc\\\\\""},
    {"ShareWithForwardSlashes", "//nas/dc/x.elf", false, "\"//nas/dc/x.elf\""},
    {"RelativeName", "demo.elf", false, "\"demo.elf\""},
    {"RelativeNameInAFolder", "sub dir\\demo.elf", false, "\"sub dir\\demo.elf\""},
    {"RelativeFolderWithASeparatorAtTheEnd", "sub\\", false, "\"sub\\\\\""},
    {"RootedName", "\\dc\\demo.elf", false, "\"\\dc\\demo.elf\""},
    {"CharactersThatNeedQuotes", "C:\\a [b] {c} (d) 'e' ~f @g*.elf", false,
     "\"C:\\a [b] {c} (d) 'e' ~f @g*.elf\""},
    {"TildeAndAtInAName", "~\\@x", false, "\"~\\@x\""},
    {"Empty", "", false, "\"\""},
    {"WesternBytesOfTable", "C:\\dc\\" + kTable, false, "\"C:\\dc\\\x95\"\\"},
    {"DriveFolderEndingInTable", "C:\\dc\\" + kTable, true, "\"C:\\dc\"\\" + kTable},
    {"DriveFolderEndingInTableAndASeparator", "C:\\dc\\" + kTable + "\\", true,
     "\"C:\\dc\"\\" + kTable + "\\"},
    {"DriveFolderEndingInTwoTables", "C:\\d c" + kTable + kTable, true,
     "\"C:\\d c\"" + kTable + kTable},
    {"TableInsideADrivePath", "C:\\" + kTable + "x\\y", true, "\"C:\\" + kTable + "x\\y\""},
    {"ShareEndingInTable", "\\\\nas\\" + kTable, true, "\\\\nas\\" + kTable},
    {"TableInsideAShare", "\\\\nas\\" + kTable + "\\x y", true,
     "\"\\\\\\\\nas\\\\" + kTable + "\\\\x y\""},
    {"RelativeTable", kTable, true, kTable},
    {"SecondByteLikeABracketInQuotes", "C:\\" + kBracketSecond + " x", true,
     "\"C:\\" + kBracketSecond + " x\""},
};

class PathInLineTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathInLineTest, GoesInTheUsualFormWhereverItServes) {
  const PathCase& c = GetParam();
  const cygwin::LeadBytes& lead = c.japanese ? kJapanese : kWestern;
  LineText text = PathInLine(c.path, lead);
  EXPECT_EQ(text.refusal, "");
  EXPECT_EQ(text.text, c.form);
  EXPECT_TRUE(cygwin::LoadersRead("tools\\x.exe -c " + text.text + " -u \"f\"",
                                  {"tools\\x.exe", "-c", c.path, "-u", "f"}, lead));
}

INSTANTIATE_TEST_SUITE_P(Table, PathInLineTest, ::testing::ValuesIn(kPaths),
                         [](const auto& info) { return std::string(info.param.name); });

const char* const kNoFormTail =
    "\" whole.\r\nPlease give it by a path that starts with a drive letter (such as C:\\), or "
    "rename it.";

struct RefusedPathCase {
  const char* name;
  std::string path;
  bool japanese;
  std::string refusal;
};

const RefusedPathCase kRefusedPaths[] = {
    {"Quote", "C:\\a\" -u \"b", false, "Sorry, a file name cannot contain a double quote (\")."},
    {"LeadByteWithoutItsSecondByte", "C:\\a\x95", true,
     "Sorry, a file name cannot contain the character \x95."},
    {"LeadByteBeforeABlank", "C:\\a\x95 b", true,
     "Sorry, a file name cannot contain the character \x95."},
    {"ShareWithABlankEndingInTable", "\\\\nas\\my dc\\" + kTable, true,
     "Sorry, the loader would not receive the name \"\\\\nas\\my dc\\" + kTable + kNoFormTail},
    {"RelativeNameWithABlankEndingInTableAndASeparator", "my " + kTable + "\\", true,
     "Sorry, the loader would not receive the name \"my " + kTable + "\\" + kNoFormTail},
    {"RelativeNameStartingWithAtEndingInTable", "@" + kTable, true,
     "Sorry, the loader would not receive the name \"@" + kTable + kNoFormTail},
};

class RefusedPathTest : public ::testing::TestWithParam<RefusedPathCase> {};

TEST_P(RefusedPathTest, IsRefusedWithAMessage) {
  const RefusedPathCase& c = GetParam();
  LineText text = PathInLine(c.path, c.japanese ? kJapanese : kWestern);
  EXPECT_EQ(text.refusal, c.refusal);
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedPathTest, ::testing::ValuesIn(kRefusedPaths),
                         [](const auto& info) { return std::string(info.param.name); });

// Every text of up to `longest` pieces.
void EveryText(const std::vector<std::string>& pieces, std::size_t longest,
               const std::function<void(const std::string&)>& check) {
  std::vector<std::string> texts{""};
  for (std::size_t length = 0; length <= longest; ++length) {
    std::vector<std::string> longer;
    for (const std::string& text : texts) {
      check(text);
      if (length < longest) {
        for (const std::string& piece : pieces) longer.push_back(text + piece);
      }
    }
    texts = std::move(longer);
  }
}

// A path with no form is no drive path and ends, but for backslashes, in a double-byte
// character whose second byte is 0x5C; or it holds an incomplete one.
bool MayHaveNoForm(const std::string& path, const cygwin::LeadBytes& lead) {
  std::vector<std::string> characters;
  for (std::size_t at = 0; at < path.size(); ++at) {
    std::size_t size = lead.test(static_cast<unsigned char>(path[at])) ? 2 : 1;
    if (size == 2 && (at + 1 == path.size() || static_cast<unsigned char>(path[at + 1]) < 0x40)) {
      return true;
    }
    characters.push_back(path.substr(at, size));
    at += size - 1;
  }
  while (!characters.empty() && characters.back() == "\\") characters.pop_back();
  bool endsInTable =
      !characters.empty() && characters.back().size() == 2 && characters.back()[1] == '\\';
  bool drive = path.size() > 1 && path[1] == ':' && path[0] == 'C';
  return !drive && endsInTable;
}

TEST(PathInLineProperty, EveryShortPathIsReadBackWholeOrRefused) {
  const std::vector<std::string> pieces{"C:",   "\\",           "a",   " ", "@", "~", "[", "'", "/",
                                        kTable, kBracketSecond, "\x95"};
  int refused = 0;
  for (const auto* lead : {&kWestern, &kJapanese}) {
    EveryText(pieces, 4, [&](const std::string& path) {
      LineText text = PathInLine(path, *lead);
      if (!text.refusal.empty()) {
        ++refused;
        EXPECT_TRUE(MayHaveNoForm(path, *lead)) << "[" << path << "] " << text.refusal;
        return;
      }
      EXPECT_TRUE(cygwin::LoadersRead("p -c " + text.text + " x", {"p", "-c", path, "x"}, *lead));
    });
  }
  EXPECT_GT(refused, 0);
}

struct ValueCase {
  const char* name;
  std::string value;
  bool japanese;
  std::string refusal;  // empty: it goes as typed
};

const char* const kGroup = "Sorry, the address cannot contain *, ?, [, {, }, ( or ).";
const char* const kStart =
    "Sorry, the address cannot start with @ or ~, nor can any part of it after a blank.";

const ValueCase kValues[] = {
    {"Plain", "0x8c010000", false, ""},
    {"BlanksAndATabAsTyped", " 0x8c010000\t-q ", false, ""},
    {"Empty", "", false, ""},
    {"DeviceWithBackslashes", "\\\\.\\COM10", false, ""},
    {"ClosingSquareBracketAlone", "0x]", false, ""},
    {"AtAndTildeInsideWords", "a@b c~d", false, ""},
    {"TableToBothReaders", "COM" + kTable, true, ""},
    {"DoubleQuote", "0x0\" -u \"x", false,
     "Sorry, the address cannot contain a double quote (\")."},
    {"SingleQuote", "'0x0'", false, "Sorry, the address cannot contain a single quote (')."},
    {"Star", "0x8c*", false, kGroup},
    {"QuestionMark", "0x8c01000?", false, kGroup},
    {"SquareBracket", "0x[0]", false, kGroup},
    {"Brace", "{0x0,0x1}", false, kGroup},
    {"ClosingBraceAlone", "0x0}", false, kGroup},
    {"RoundBracket", "(0x0)", false, kGroup},
    {"AtStartingTheValue", "@args", false, kStart},
    {"TildeStartingALaterWord", "0x0 ~", false, kStart},
    {"SecondByteLikeABracket", "0x" + kBracketSecond, true,
     "Sorry, the address cannot contain the character " + kBracketSecond + "."},
    {"LeadByteAtTheEnd", "0x\x95", true, "Sorry, the address cannot contain the character \x95."},
};

class TypedValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(TypedValueTest, GoesAsTypedOrIsRefused) {
  const ValueCase& c = GetParam();
  const cygwin::LeadBytes& lead = c.japanese ? kJapanese : kWestern;
  LineText text = TypedValueInLine("the address", c.value, lead);
  EXPECT_EQ(text.refusal, c.refusal);
  if (!c.refusal.empty()) return;
  EXPECT_EQ(text.text, c.value);
  std::vector<std::string> arguments{"p", "-a"};
  for (const std::string& word : TypedWords(c.value)) arguments.push_back(word);
  arguments.push_back("-x");
  EXPECT_TRUE(cygwin::LoadersRead("p -a " + text.text + " -x", arguments, lead));
}

INSTANTIATE_TEST_SUITE_P(Table, TypedValueTest, ::testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TypedWords, BlanksAndTabsSeparateAndAnEmptyValueGivesNone) {
  EXPECT_EQ(TypedWords(""), std::vector<std::string>{});
  EXPECT_EQ(TypedWords(" \t "), std::vector<std::string>{});
  EXPECT_EQ(TypedWords("  a\tb  c\r\n"), (std::vector<std::string>{"a", "b", "c\r\n"}));
}

// A value is refused exactly when the loaders would not read it as its words.
TEST(TypedValueProperty, RefusedExactlyWhenALoaderWouldNotReadItAsTyped) {
  const std::vector<std::string> pieces{"a", " ", "\t", "@", "~",    "\\",           "*",
                                        "]", "'", "\"", "(", kTable, kBracketSecond, "\x95"};
  for (const auto* lead : {&kWestern, &kJapanese}) {
    EveryText(pieces, 3, [&](const std::string& value) {
      std::vector<std::string> arguments{"p", "-a"};
      for (const std::string& word : TypedWords(value)) arguments.push_back(word);
      arguments.push_back("x");
      bool readWhole = cygwin::LoadersRead("p -a " + value + " x", arguments, *lead);
      bool refused = !TypedValueInLine("the address", value, *lead).refusal.empty();
      EXPECT_NE(refused, readWhole) << "[" << value << "]";
    });
  }
}

}  // namespace
}  // namespace loadergui::testing
