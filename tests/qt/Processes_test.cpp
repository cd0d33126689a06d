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

struct TerminalCase {
  const char* installed;
  const char* runOption;
};

const TerminalCase kTerminalCases[] = {
    {"gnome-terminal", "--"}, {"konsole", "-e"},    {"xfce4-terminal", "-x"},
    {"mate-terminal", "-x"},  {"terminator", "-x"}, {"xterm", "-e"},
};

TEST_F(ProcessesTest, EachKnownTerminalGetsTheProgramAfterItsOwnOption) {
  for (const auto& c : kTerminalCases) {
    SCOPED_TRACE(c.installed);
    std::filesystem::remove_all(terminals);
    std::filesystem::create_directories(terminals);
    installTerminal(c.installed);
    ASSERT_TRUE(services->startProcess(Command({"tools/arp", "-s", "1", "2"}), 1, {}));
    std::vector<LogLine> log = terminalLog(1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].arguments,
              (std::vector<std::string>{(terminals / c.installed).string(), c.runOption,
                                        path("tools/arp"), "-s", "1", "2"}));
  }
}

TEST_F(ProcessesTest, DebiansChoiceComesBeforeTheOthers) {
  installTerminal("xterm");
  installTerminal("x-terminal-emulator");
  ASSERT_TRUE(services->startProcess(Command({"tools/arp"}), 1, {}));
  EXPECT_EQ(terminalLog(1).at(0).tool, "x-terminal-emulator");
}

const char* const kNoTerminal =
    "No terminal program was found to show it in; please install one of x-terminal-emulator, "
    "gnome-terminal, konsole, xfce4-terminal, mate-terminal, terminator or xterm.";

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
