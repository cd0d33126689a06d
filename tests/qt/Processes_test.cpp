// Starting the tools: split as on Windows, no shell, the loader in a terminal of its own, the
// ARP tool waited for; and a shell line that starts the same thing.
#include <QProcess>

#include "QtFixture.h"
#include "qt/ShellLine.h"
#include "qt/Terminals.h"
#include "qt/WindowsArguments.h"

namespace loadergui::qttest {
namespace {

struct SplitCase {
  const char* name;
  const char* line;
  std::vector<std::string> arguments;
};

const SplitCase kSplits[] = {
    {"BlanksSeparate", "tools/x -t  COM1\t-b 9600", {"tools/x", "-t", "COM1", "-b", "9600"}},
    {"QuotesGroupAndVanish",
     "tools/x -u \"/my files/a b.elf\"",
     {"tools/x", "-u", "/my files/a b.elf"}},
    {"QuotedEmptyIsAnArgument", "tools/x -u \"\" -q", {"tools/x", "-u", "", "-q"}},
    {"EmptyUnquotedValueVanishes", "tools/x -a  -s 0", {"tools/x", "-a", "-s", "0"}},
    {"QuotesInsideAWord", "tools/x a\"b c\"d", {"tools/x", "ab cd"}},
    {"BackslashesStayBeforeOtherCharacters", "tools/x C:\\a\\\\b", {"tools/x", "C:\\a\\\\b"}},
    {"EvenBackslashesBeforeAQuoteHalve", "tools/x \"a\\\\\" b", {"tools/x", "a\\", "b"}},
    {"OddBackslashesMakeTheQuoteLiteral", "tools/x \"a\\\" b\"", {"tools/x", "a\" b"}},
    {"DoubledQuoteInsideQuotes", "tools/x \"a\"\"b\"", {"tools/x", "a\"b"}},
    {"QuotedProgramTakesNoEscapes", "\"tools/my x\\\" -n", {"tools/my x\\", "-n"}},
    {"TrailingBlanks", "tools/x -n  ", {"tools/x", "-n"}},
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SplitsAsAWindowsProgramDoes) {
  EXPECT_EQ(qt::SplitLikeWindows(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitTest, ::testing::ValuesIn(kSplits),
                         [](const auto& info) { return std::string(info.param.name); });

struct QuoteCase {
  const char* argument;
  const char* quoted;
};

const QuoteCase kQuotes[] = {
    {"-t", "-t"},
    {"/dev/ttyS0", "/dev/ttyS0"},
    {"", "''"},
    {"a b", "'a b'"},
    {"$HOME", "'$HOME'"},
    {"it's", "'it'\\''s'"},
    {"`x`;rm", "'`x`;rm'"},
    {"~", "'~'"},
    {"=ls", "'=ls'"},
    {"a=b", "a=b"},
    {"-a=", "-a="},
};

TEST(ShellLineTest, QuotesOnlyWhatTheShellWouldRead) {
  for (const auto& c : kQuotes) EXPECT_EQ(qt::ShellQuoted(c.argument), c.quoted) << c.argument;
}

class ProcessesTest : public QtFixture {
 protected:
  void SetUp() override { installProgram(); }
  std::vector<std::string> argumentsOf(const char* line) {
    std::vector<std::string> arguments = qt::SplitLikeWindows(line);
    arguments.front() = path(arguments.front());
    return arguments;
  }
};

const char* const kTrickyLine =
    "tools/ravlink-ip -t 10.0.0.1 -a 0x8c010000 -c \"/tmp/my root\" -x \"$HOME's `file`.elf\"";

TEST_F(ProcessesTest, LoaderStartsInATerminalWithTheWindowsSplit) {
  installTerminal();
  ASSERT_TRUE(services->startProcess(kTrickyLine, 1));
  std::vector<LogLine> terminal = terminalLog(1);
  ASSERT_EQ(terminal.size(), 1u);
  EXPECT_EQ(terminal[0].tool, "x-terminal-emulator");
  std::vector<LogLine> tools = toolLog(2);
  ASSERT_EQ(tools.size(), 2u);
  EXPECT_EQ(tools[0].tool, "ravlink-ip");
  EXPECT_EQ(tools[0].arguments, argumentsOf(kTrickyLine));
  // The terminal became the loader: no shell or other program stood between them.
  EXPECT_EQ(tools[0].processId, terminal[0].processId);
  EXPECT_EQ(tools[0].currentDirectory, std::filesystem::current_path().string());
}

// Blanks, tabs, quotes, shell characters and a leading "=" in the arguments, none of which any
// terminal may change on the way to the loader.
const char* const kTrickyTerminalLine =
    "tools/ravlink-ip -t =10.0.0.1 -a \"\" -c \"/tmp/my  root\" -x \"$HOME's `f`\t#1;*.elf\"";

struct TerminalCase {
  const char* installed;
  std::vector<std::string> before;  // the terminal's arguments before the program
  bool oneCommandString;            // the program and its arguments as one string after them
};

const TerminalCase kTerminalCases[] = {
    {"xdg-terminal-exec", {}, false},
    {"x-terminal-emulator", {"-e"}, false},
    {"ptyxis", {"--new-window", "--"}, false},
    {"kgx", {"--"}, false},
    {"gnome-terminal", {"--"}, false},
    {"konsole", {"-e"}, false},
    {"xfce4-terminal", {"-x"}, false},
    {"mate-terminal", {"-x"}, false},
    {"tilix", {"-e"}, true},
    {"terminator", {"-x"}, false},
    {"alacritty", {"-e"}, false},
    {"kitty", {}, false},
    {"foot", {}, false},
    {"wezterm", {"start", "--"}, false},
    {"xterm", {"-e"}, false},
};

// The stand-in, under each terminal's name, runs the program only when it comes the way that
// terminal takes it (a command string split by GLib's own shell parser); the loader must then
// get every argument whole.
TEST_F(ProcessesTest, EachKnownTerminalPassesEveryArgumentUnchanged) {
  std::vector<std::string> expected = argumentsOf(kTrickyTerminalLine);
  for (const auto& c : kTerminalCases) {
    SCOPED_TRACE(c.installed);
    std::filesystem::remove_all(terminals);
    std::filesystem::create_directories(terminals);
    std::filesystem::remove(folder / "tools" / "standin-calls.log");
    installTerminal(c.installed);
    ASSERT_TRUE(services->startProcess(kTrickyTerminalLine, 1));
    std::vector<LogLine> terminal = terminalLog(1);
    ASSERT_EQ(terminal.size(), 1u);
    std::vector<std::string> called{(terminals / c.installed).string()};
    called.insert(called.end(), c.before.begin(), c.before.end());
    if (c.oneCommandString) {
      ASSERT_EQ(terminal[0].arguments.size(), called.size() + 1);
      EXPECT_EQ(
          std::vector<std::string>(terminal[0].arguments.begin(), terminal[0].arguments.end() - 1),
          called);
    } else {
      called.insert(called.end(), expected.begin(), expected.end());
      EXPECT_EQ(terminal[0].arguments, called);
    }
    // Its start and its end, so that no line of this loader comes into the next case's log.
    std::vector<LogLine> tools = toolLog(2);
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0].event, "start");
    EXPECT_EQ(tools[0].arguments, expected);
    EXPECT_EQ(tools[0].processId, terminal[0].processId);
  }
}

TEST(TerminalTableTest, IsTheOneTheTestsKnow) {
  ASSERT_EQ(qt::kTerminals.size(), std::size(kTerminalCases));
  for (std::size_t i = 0; i < qt::kTerminals.size(); ++i) {
    EXPECT_EQ(qt::kTerminals[i].program, kTerminalCases[i].installed);
  }
}

// With every terminal there, each is taken only while none before it in the table is.
TEST_F(ProcessesTest, TerminalsAreTakenInTheTablesOrder) {
  for (const auto& c : kTerminalCases) installTerminal(c.installed);
  for (const auto& c : kTerminalCases) {
    std::filesystem::remove(terminals / "standin-calls.log");
    ASSERT_TRUE(services->startProcess("tools/arp -s 1 2", 1));
    EXPECT_EQ(terminalLog(1).at(0).tool, c.installed);
    std::filesystem::remove(terminals / c.installed);
  }
}

TEST_F(ProcessesTest, AFolderEarlierOnThePathDoesNotOutrankAnEarlierTerminal) {
  std::filesystem::path early = folder / "early";
  std::filesystem::create_directories(early);
  std::filesystem::copy_file(std::filesystem::path(LOADERGUI_STANDINS) / "standin-terminal",
                             early / "xterm");
  installTerminal("kgx");
  qt::QtServices ordered(folder.string(), "ravlinkgui", {early.string(), terminals.string()},
                         devices.string());
  ASSERT_TRUE(ordered.startProcess("tools/arp -s 1 2", 1));
  EXPECT_EQ(terminalLog(1).at(0).tool, "kgx");
}

TEST_F(ProcessesTest, WithoutATerminalTheRefusalNamesWhatIsMissing) {
  EXPECT_FALSE(services->startProcess("tools/ravlink-serial -t /dev/ttyS0", 1));
  EXPECT_EQ(services->startFailure(),
            "No terminal program was found to show it in; please install one of "
            "xdg-terminal-exec, x-terminal-emulator, ptyxis, kgx, gnome-terminal, konsole, "
            "xfce4-terminal, mate-terminal, tilix, terminator, alacritty, kitty, foot, wezterm "
            "or xterm.");
}

TEST_F(ProcessesTest, AMissingOrUnrunnableLoaderIsNotStarted) {
  installTerminal();
  EXPECT_FALSE(services->startProcess("tools/missing -t x", 1));
  EXPECT_EQ(services->startFailure(), "");
  std::filesystem::permissions(folder / "tools/ravlink-ip", std::filesystem::perms::owner_read);
  EXPECT_FALSE(services->startProcess("tools/ravlink-ip -t x", 1));
  EXPECT_NE(services->startFailure().find("may not be run"), std::string::npos);
  EXPECT_TRUE(terminalLog().empty());
}

TEST_F(ProcessesTest, ToolsBesideTheProgramAreFoundFromAnyFolder) {
  installTerminal();
  std::filesystem::current_path(terminals);
  ASSERT_TRUE(services->startProcess("tools/ravlink-serial -t x", 1));
  std::vector<LogLine> log = toolLog(1);
  ASSERT_GE(log.size(), 1u);
  EXPECT_EQ(log[0].tool, "ravlink-serial");
  EXPECT_EQ(log[0].currentDirectory, terminals.string());
}

// The ARP step has ended, its last line written, by the time the call returns.
TEST_F(ProcessesTest, RunAndWaitReturnsOnlyOnceTheToolHasEnded) {
  writeFile("tools/standin-sleep-ms.txt", "300");
  services->runAndWait("tools/arp -s 192.168.0.0 00:11:22:33:44:55", 1);
  std::vector<LogLine> log = toolLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].arguments, (std::vector<std::string>{path("tools/arp"), "-s", "192.168.0.0",
                                                        "00:11:22:33:44:55"}));
  EXPECT_EQ(log[1].event, "end");
  EXPECT_TRUE(terminalLog().empty());
}

TEST_F(ProcessesTest, RunAndWaitPassesOverAMissingTool) {
  services->runAndWait("tools/nothing -s 1 2", 1);
  EXPECT_TRUE(toolLog().empty());
}

// Pasted into a shell, the line starts the same program with the same arguments from the
// program's folder.
TEST_F(ProcessesTest, ShellLineStartsTheSameThing) {
  std::string line = services->shellLine(kTrickyLine);
  EXPECT_EQ(line.rfind("cd " + folder.string() + " && tools/ravlink-ip -t 10.0.0.1", 0), 0u)
      << line;
  std::filesystem::current_path(terminals);
  ASSERT_EQ(QProcess::execute(QStringLiteral("/bin/sh"),
                              {QStringLiteral("-c"), QString::fromStdString(line)}),
            0);
  std::vector<LogLine> log = toolLog(1);
  ASSERT_EQ(log.size(), 2u);
  std::vector<std::string> expected = qt::SplitLikeWindows(kTrickyLine);
  EXPECT_EQ(log[0].arguments, expected);
  EXPECT_EQ(log[0].currentDirectory, folder.string());
}

}  // namespace
}  // namespace loadergui::qttest
