// Starting the tools: their argument lists as they are, no shell, the loader in a terminal of
// its own, the ARP tool waited for; whether a loader can start at all; and a shell line that
// starts the same thing.
#include <QProcess>

#include "QtFixture.h"
#include "qt/ShellLine.h"
#include "qt/Terminals.h"

namespace loadergui::qttest {
namespace {

// A command as the core builds it; the line is what the Windows program would hand over and
// plays no part here.
platform::Command Command(std::vector<std::string> arguments) {
  std::string line;
  for (const std::string& argument : arguments) line += (line.empty() ? "" : " ") + argument;
  return {std::move(arguments), line};
}

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
  // The arguments as the started tool sees them: its path in full.
  std::vector<std::string> argumentsOf(const platform::Command& command) {
    std::vector<std::string> arguments = command.arguments;
    arguments.front() = path(arguments.front());
    return arguments;
  }
};

// Blanks, quotes, backslashes and what a shell would expand: the loader gets each as it is.
const platform::Command kTricky =
    Command({"tools/ravlink-ip", "-t", "10.0.0.1", "-a", "0x8c010000", "-c", "/tmp/my root", "-x",
             "$HOME's `file` \"x\" C:\\a\\\\b\\.elf"});

TEST_F(ProcessesTest, LoaderStartsInATerminalWithItsArgumentsAsTheyAre) {
  installTerminal();
  ASSERT_TRUE(services->startProcess(kTricky, 1, {}));
  std::vector<LogLine> terminal = terminalLog(1);
  ASSERT_EQ(terminal.size(), 1u);
  EXPECT_EQ(terminal[0].tool, "x-terminal-emulator");
  std::vector<LogLine> tools = toolLog(2);
  ASSERT_EQ(tools.size(), 2u);
  EXPECT_EQ(tools[0].tool, "ravlink-ip");
  EXPECT_EQ(tools[0].arguments, argumentsOf(kTricky));
  // The terminal became the loader: no shell or other program stood between them.
  EXPECT_EQ(tools[0].processId, terminal[0].processId);
  EXPECT_EQ(tools[0].currentDirectory, std::filesystem::current_path().string());
}

// Blanks, tabs, quotes, shell characters, an empty argument and a leading "=", none of which
// any terminal may change on the way to the loader.
const platform::Command kTrickyForTerminals =
    Command({"tools/ravlink-ip", "-t", "=10.0.0.1", "-a", "", "-c", "/tmp/my  root", "-x",
             "$HOME's `f`\t#1;*.elf"});

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
  std::vector<std::string> expected = argumentsOf(kTrickyForTerminals);
  for (const auto& c : kTerminalCases) {
    SCOPED_TRACE(c.installed);
    std::filesystem::remove_all(terminals);
    std::filesystem::create_directories(terminals);
    std::filesystem::remove(folder / "tools" / "standin-calls.log");
    installTerminal(c.installed);
    ASSERT_TRUE(services->startProcess(kTrickyForTerminals, 1, {}));
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
    ASSERT_TRUE(services->startProcess(Command({"tools/arp", "-s", "1", "2"}), 1, {}));
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
  ASSERT_TRUE(ordered.startProcess(Command({"tools/arp", "-s", "1", "2"}), 1, {}));
  EXPECT_EQ(terminalLog(1).at(0).tool, "kgx");
}

const char* const kNoTerminal =
    "No terminal program was found to show it in; please install one of xdg-terminal-exec, "
    "x-terminal-emulator, ptyxis, kgx, gnome-terminal, konsole, xfce4-terminal, mate-terminal, "
    "tilix, terminator, alacritty, kitty, foot, wezterm or xterm.";

TEST_F(ProcessesTest, WithoutATerminalTheRefusalNamesWhatIsMissing) {
  EXPECT_FALSE(services->canStart("tools/ravlink-serial"));
  EXPECT_EQ(services->startFailure(), kNoTerminal);
  EXPECT_FALSE(
      services->startProcess(Command({"tools/ravlink-serial", "-t", "/dev/ttyS0"}), 1, {}));
  EXPECT_EQ(services->startFailure(), kNoTerminal);
}

TEST_F(ProcessesTest, AMissingOrUnrunnableLoaderIsNotStarted) {
  installTerminal();
  EXPECT_FALSE(services->canStart("tools/missing"));
  EXPECT_EQ(services->startFailure(), "");
  EXPECT_FALSE(services->startProcess(Command({"tools/missing", "-t", "x"}), 1, {}));
  EXPECT_EQ(services->startFailure(), "");
  std::filesystem::permissions(folder / "tools/ravlink-ip", std::filesystem::perms::owner_read);
  EXPECT_FALSE(services->canStart("tools/ravlink-ip"));
  EXPECT_NE(services->startFailure().find("may not be run"), std::string::npos);
  EXPECT_FALSE(services->startProcess(Command({"tools/ravlink-ip", "-t", "x"}), 1, {}));
  EXPECT_NE(services->startFailure().find("may not be run"), std::string::npos);
  EXPECT_TRUE(terminalLog().empty());
}

// Asking starts nothing, and a yes leaves no reason behind from an earlier no.
TEST_F(ProcessesTest, AskingWhetherALoaderCanStartStartsNothing) {
  EXPECT_FALSE(services->canStart("tools/ravlink-serial"));
  installTerminal();
  EXPECT_TRUE(services->canStart("tools/ravlink-serial"));
  EXPECT_EQ(services->startFailure(), "");
  EXPECT_TRUE(terminalLog().empty());
  EXPECT_TRUE(toolLog().empty());
}

TEST_F(ProcessesTest, ToolsBesideTheProgramAreFoundFromAnyFolder) {
  installTerminal();
  std::filesystem::current_path(terminals);
  ASSERT_TRUE(services->startProcess(Command({"tools/ravlink-serial", "-t", "x"}), 1, {}));
  std::vector<LogLine> log = toolLog(1);
  ASSERT_GE(log.size(), 1u);
  EXPECT_EQ(log[0].tool, "ravlink-serial");
  EXPECT_EQ(log[0].currentDirectory, terminals.string());
}

// The ARP step has ended, its last line written, by the time the call returns.
TEST_F(ProcessesTest, RunAndWaitReturnsOnlyOnceTheToolHasEnded) {
  writeFile("tools/standin-sleep-ms.txt", "300");
  services->runAndWait(Command({"tools/arp", "-s", "192.168.0.0", "00:11:22:33:44:55"}), 1);
  std::vector<LogLine> log = toolLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].arguments, (std::vector<std::string>{path("tools/arp"), "-s", "192.168.0.0",
                                                        "00:11:22:33:44:55"}));
  EXPECT_EQ(log[1].event, "end");
  EXPECT_TRUE(terminalLog().empty());
}

TEST_F(ProcessesTest, RunAndWaitPassesOverAMissingTool) {
  services->runAndWait(Command({"tools/nothing", "-s", "1", "2"}), 1);
  EXPECT_TRUE(toolLog().empty());
}

// Pasted into a shell, the line starts the same program with the same arguments from the
// program's folder.
TEST_F(ProcessesTest, ShellLineStartsTheSameThing) {
  std::string line = services->shellLine(kTricky);
  EXPECT_EQ(line.rfind("cd " + folder.string() + " && tools/ravlink-ip -t 10.0.0.1", 0), 0u)
      << line;
  std::filesystem::current_path(terminals);
  ASSERT_EQ(QProcess::execute(QStringLiteral("/bin/sh"),
                              {QStringLiteral("-c"), QString::fromStdString(line)}),
            0);
  std::vector<LogLine> log = toolLog(1);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].arguments, kTricky.arguments);
  EXPECT_EQ(log[0].currentDirectory, folder.string());
}

}  // namespace
}  // namespace loadergui::qttest
