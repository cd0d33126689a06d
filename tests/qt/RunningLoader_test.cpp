// A loader still running on Linux: found again among the processes by its executable and its
// device, whatever terminal started it; ended with SIGTERM, or SIGKILL when it stays; and the
// question box a press shows meanwhile.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>

#include "QtFixture.h"
#include "qt/LoaderProcesses.h"

namespace loadergui::qttest {
namespace {

// How long the stand-in loaders stay, unless ended: far longer than any test.
constexpr const char* kStayMs = "60000";
constexpr int kPatienceMs = 20000;

platform::Command Command(std::vector<std::string> arguments) {
  return {std::move(arguments), {}};
}

bool WaitUntil(const std::function<bool()>& condition) {
  QDeadlineTimer deadline(kPatienceMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(20);
  }
  return true;
}

// Whether the process is there and not a zombie waiting for its parent to reap it.
bool Runs(pid_t process) {
  std::ifstream in("/proc/" + std::to_string(process) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t afterName = stat.rfind(") ");
  return afterName != std::string::npos && afterName + 2 < stat.size() &&
         stat[afterName + 2] != 'Z';
}

class RunningLoaderTest : public QtFixture {
 protected:
  void SetUp() override {
    installProgram();
    writeFile("tools/standin-sleep-ms.txt", kStayMs);
  }
  // Whatever a test left running of the stand-in loaders is ended with it.
  void TearDown() override {
    for (const char* tool : {"tools/ravlink-serial", "tools/ravlink-ip"}) {
      for (pid_t process : qt::FindProcesses(executable(tool), {})) kill(process, SIGKILL);
    }
    for (pid_t child : children_) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }
  std::string executable(const std::string& tool) const {
    return std::filesystem::canonical(folder / tool).string();
  }
  // Starts the tool as a child of the test, with SIGTERM ignored when asked (an ignored signal
  // stays ignored across exec), as a loader that would not end when asked nicely.
  pid_t startChild(const std::vector<std::string>& arguments, bool ignoresTerm) {
    pid_t child = fork();
    if (child == 0) {
      if (ignoresTerm) signal(SIGTERM, SIG_IGN);
      std::vector<char*> argv;
      for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    children_.push_back(child);
    return child;
  }
  // The process id of the loader that logged its start as the nth line (0 first).
  pid_t loaderAt(std::size_t line) {
    std::vector<LogLine> log = toolLog(line + 1);
    if (log.size() <= line || log[line].event != "start") return -1;
    return static_cast<pid_t>(std::stol(log[line].processId));
  }
  std::vector<pid_t> found(const char* tool, const platform::ProcessMatch& match) {
    std::vector<pid_t> processes = qt::FindProcesses(executable(tool), match);
    std::sort(processes.begin(), processes.end());
    return processes;
  }

  std::vector<pid_t> children_;
};

// Three loaders run: two serial ones on two devices, one IP loader. Which does a match find?
struct MatchCase {
  const char* name;
  const char* tool;
  platform::ProcessMatch match;
  std::vector<std::size_t> loaders;  // indexes of the loaders found
};

const MatchCase kMatches[] = {
    {"serial on ttyS0", "tools/ravlink-serial", {"-t", "/dev/ttyS0"}, {0}},
    {"serial on ttyUSB0", "tools/ravlink-serial", {"-t", "/dev/ttyUSB0"}, {1}},
    {"serial on a device none uses", "tools/ravlink-serial", {"-t", "/dev/ttyS1"}, {}},
    {"the value of another option", "tools/ravlink-serial", {"-t", "115200"}, {}},
    {"any serial loader", "tools/ravlink-serial", {}, {0, 1}},
    {"any IP loader", "tools/ravlink-ip", {}, {2}},
};

TEST_F(RunningLoaderTest, ALoaderIsFoundByItsExecutableAndDevice) {
  std::vector<pid_t> loaders = {
      startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyS0", "-b", "115200"}, false),
      startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyUSB0", "-b", "115200"}, false),
      startChild({path("tools/ravlink-ip"), "-t", "/dev/ttyS0"}, false),
  };
  ASSERT_EQ(toolLog(3).size(), 3u);
  for (const MatchCase& c : kMatches) {
    SCOPED_TRACE(c.name);
    std::vector<pid_t> expected;
    for (std::size_t index : c.loaders) expected.push_back(loaders[index]);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found(c.tool, c.match), expected);
  }
}

// The same program file elsewhere (another copy of the program, another build) is not ours.
TEST_F(RunningLoaderTest, AnotherCopyOfTheLoaderIsNotFound) {
  std::filesystem::create_directories(folder / "elsewhere");
  std::filesystem::copy_file(folder / "tools/ravlink-serial", folder / "elsewhere/ravlink-serial");
  std::filesystem::copy_file(folder / "tools/standin-sleep-ms.txt",
                             folder / "elsewhere/standin-sleep-ms.txt");
  pid_t other = startChild({path("elsewhere/ravlink-serial"), "-t", "/dev/ttyS0"}, false);
  ASSERT_TRUE(WaitUntil([&] { return !logLines(folder / "elsewhere/standin-calls.log").empty(); }));
  EXPECT_TRUE(Runs(other));
  EXPECT_TRUE(found("tools/ravlink-serial", {"-t", "/dev/ttyS0"}).empty());
  EXPECT_EQ(qt::FindProcesses(std::filesystem::canonical(folder / "elsewhere/ravlink-serial"), {}),
            std::vector<pid_t>{other});
}

// A loader whose file was replaced while it runs (a new build of the tools) is still found.
TEST_F(RunningLoaderTest, ALoaderWhoseFileWasReplacedIsStillFound) {
  pid_t loader = startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyS0"}, false);
  ASSERT_EQ(toolLog(1).size(), 1u);
  std::filesystem::remove(folder / "tools/ravlink-serial");
  std::filesystem::copy_file(std::filesystem::path(LOADERGUI_STANDINS) / "ravlink-serial",
                             folder / "tools/ravlink-serial");
  EXPECT_EQ(found("tools/ravlink-serial", {"-t", "/dev/ttyS0"}), std::vector<pid_t>{loader});
}

// Ended with SIGTERM; one that ignores it, with SIGKILL, within the few seconds allowed.
struct EndCase {
  const char* name;
  bool ignoresTerm;
  int signal;
};

const EndCase kEnds[] = {
    {"ends when asked", false, SIGTERM},
    {"ignores SIGTERM", true, SIGKILL},
};

TEST_F(RunningLoaderTest, EndingALoaderWaitsUntilItHasGone) {
  for (const EndCase& c : kEnds) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder / "tools/standin-calls.log");
    pid_t loader = startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyS0"}, c.ignoresTerm);
    ASSERT_EQ(toolLog(1).size(), 1u);
    qt::LoaderProcess process(executable("tools/ravlink-serial"), {"-t", "/dev/ttyS0"});
    ASSERT_TRUE(process.running());
    auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(process.end());
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(4));
    EXPECT_FALSE(process.running());
    int status = 0;
    ASSERT_EQ(waitpid(loader, &status, 0), loader);
    children_.erase(std::find(children_.begin(), children_.end(), loader));
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), c.signal);
    EXPECT_EQ(toolLog().size(), 1u) << "the loader ran to its own end";
  }
}

TEST_F(RunningLoaderTest, EndingLeavesTheLoaderOnAnotherDeviceAlone) {
  pid_t other = startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyUSB0"}, false);
  startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyS0"}, false);
  ASSERT_EQ(toolLog(2).size(), 2u);
  qt::LoaderProcess process(executable("tools/ravlink-serial"), {"-t", "/dev/ttyS0"});
  EXPECT_TRUE(process.end());
  EXPECT_EQ(found("tools/ravlink-serial", {}), std::vector<pid_t>{other});
}

// Once it has ended, a later loader of the same file and device is another start's.
TEST_F(RunningLoaderTest, ALoaderThatEndedStaysEnded) {
  writeFile("tools/standin-sleep-ms.txt", "0");
  qt::LoaderProcess process(executable("tools/ravlink-serial"), {"-t", "/dev/ttyS0"});
  pid_t quick = startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyS0"}, false);
  waitpid(quick, nullptr, 0);
  children_.clear();
  EXPECT_FALSE(process.running());
  writeFile("tools/standin-sleep-ms.txt", kStayMs);
  startChild({path("tools/ravlink-serial"), "-t", "/dev/ttyS0"}, false);
  ASSERT_EQ(toolLog(3).size(), 3u);
  EXPECT_FALSE(process.running());
  EXPECT_TRUE(process.end());
  EXPECT_EQ(found("tools/ravlink-serial", {}).size(), 1u);
}

// The stand-in terminal either becomes the loader or, as a server terminal, hands it to a
// server process and ends: either way the loader itself is found and ended, not the terminal.
struct TerminalCase {
  const char* name;
  bool server;
};

const TerminalCase kTerminals[] = {{"terminal becomes the loader", false},
                                   {"server terminal", true}};

TEST_F(RunningLoaderTest, TheLoaderATerminalRunsIsFoundAndEnded) {
  installTerminal();
  for (const TerminalCase& c : kTerminals) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder / "tools/standin-calls.log");
    std::filesystem::remove(terminals / "standin-calls.log");
    if (c.server) std::ofstream(terminals / "standin-terminal-server");
    auto started = services->startProcess(
        Command({"tools/ravlink-serial", "-t", "/dev/ttyS0", "-b", "115200"}), 1,
        {"-t", "/dev/ttyS0"});
    ASSERT_TRUE(started);
    pid_t loader = loaderAt(0);
    ASSERT_GT(loader, 0);
    pid_t terminal = static_cast<pid_t>(std::stol(terminalLog(1).at(0).processId));
    if (c.server) {
      EXPECT_NE(terminal, loader);
      EXPECT_TRUE(WaitUntil([&] { return !Runs(terminal); })) << "the terminal stayed";
    } else {
      EXPECT_EQ(terminal, loader);
    }
    EXPECT_TRUE(started->running());
    EXPECT_EQ(found("tools/ravlink-serial", {"-t", "/dev/ttyS0"}), std::vector<pid_t>{loader});
    EXPECT_TRUE(started->end());
    EXPECT_FALSE(started->running());
    EXPECT_TRUE(WaitUntil([&] { return !Runs(loader); })) << "the loader stayed";
    EXPECT_EQ(toolLog().size(), 1u) << "the loader ran to its own end";
  }
}

// The question box: the main window's caption as its title, Yes, No and Cancel, Yes the
// default; Esc answers Cancel.
struct QuestionCase {
  const char* name;
  std::function<void(QMessageBox&)> answer;
  platform::Answer expected;
};

const QuestionCase kQuestions[] = {
    {"Enter", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); },
     platform::Answer::Yes},
    {"No", [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }, platform::Answer::No},
    {"Esc", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); },
     platform::Answer::Cancel},
    {"close box", [](QMessageBox& box) { box.close(); }, platform::Answer::Cancel},
};

TEST_F(RunningLoaderTest, TheQuestionBoxHasYesNoAndCancel) {
  ASSERT_TRUE(start());
  for (const QuestionCase& c : kQuestions) {
    SCOPED_TRACE(c.name);
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QWidget* owner = nullptr;
    Qt::TextFormat format = Qt::RichText;
    answerNext<QMessageBox>([&](QMessageBox& box) {
      title = box.windowTitle();
      text = box.text();
      buttons = box.standardButtons();
      icon = box.icon();
      owner = box.parentWidget();
      format = box.textFormat();
      c.answer(box);
    });
    platform::Answer answer =
        services->ask(&app->frmMain().form(), "Still <b>running</b>.\r\nEnd it?", "Caption");
    EXPECT_TRUE(allAnswered());
    EXPECT_EQ(answer, c.expected);
    EXPECT_EQ(title, QStringLiteral("Caption"));
    EXPECT_EQ(text, QStringLiteral("Still <b>running</b>.\nEnd it?"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(owner, &mainForm().window());
  }
}

// The whole press: a loader a server terminal started still runs; Yes ends it, then the new
// one starts.
TEST_F(RunningLoaderTest, YesEndsTheLoaderAServerTerminalStarted) {
  installTerminal();
  std::ofstream(terminals / "standin-terminal-server");
  writeFile("demo.elf");
  ASSERT_TRUE(start());
  app->frmMain().txtUpload->setText(path("demo.elf"));
  app->frmMain().cmdExecute->click();
  pid_t first = loaderAt(0);
  ASSERT_GT(first, 0);
  std::string question;
  answerNext<QMessageBox>([&](QMessageBox& box) {
    question = box.windowTitle().toStdString() + ": " + box.text().toStdString();
    box.button(QMessageBox::Yes)->click();
  });
  app->frmMain().cmdExecute->click();
  EXPECT_TRUE(allAnswered());
  EXPECT_EQ(question,
            "Ravlink Serial GUI 2.0: The serial loader started before is still running and may "
            "hold /dev/ttyS0. End it and start the new one?");
  pid_t second = loaderAt(1);
  ASSERT_GT(second, 0);
  EXPECT_NE(second, first);
  EXPECT_TRUE(WaitUntil([&] { return !Runs(first); }));
  EXPECT_EQ(found("tools/ravlink-serial", {}), std::vector<pid_t>{second});
}

}  // namespace
}  // namespace loadergui::qttest
