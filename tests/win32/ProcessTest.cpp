// Starting tools with and without waiting, and where a "tools\..." path is looked up; a started
// loader found again while it runs, and ended.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "StandInLog.h"
#include "standin/StandIn.h"
#include "win32/Services.h"

namespace loadergui::win32::testing {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr unsigned long long kTicksPerMillisecond = 10000;  // log stamps are 100 ns ticks
const char* const kToolNames[] = {"ravlink-serial.exe", "ravlink-ip.exe", "arp.exe"};

bool SamePath(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

// A tools folder holding copies of the stand-in tools built beside the test program.
void FillToolsFolder(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* tool : kToolNames) {
    std::string built = TestExecutableFolder() + "\\tools\\" + tool;
    ASSERT_TRUE(CopyFileA(built.c_str(), (folder + "\\" + tool).c_str(), FALSE))
        << "stand-in tool missing: " << built;
  }
}

// A command as the program hands it to the Windows platform: the line, and the program it
// starts with.
platform::Command Line(const std::string& line) {
  return {{line.substr(0, line.find(' '))}, line};
}

// The system's own sentence for an error code, as the platform gives it.
std::string SystemSays(DWORD error) {
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  std::string sentence(text, length);
  while (!sentence.empty() &&
         (sentence.back() == '\n' || sentence.back() == '\r' || sentence.back() == ' ')) {
    sentence.pop_back();
  }
  return sentence;
}

// A unique word to find one call's lines in a log shared by several calls.
// Unique across runs too: the log beside the test executable outlives a run, and Wine hands out
// the same process ids run after run.
std::string Tag(const std::string& what) {
  static unsigned counter = 0;
  return what + "-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(GetTickCount64()) + "-" + std::to_string(++counter);
}

// The program lives in one scratch folder with its tools; the current directory is another.
class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    originalDirectory_ = services_.currentDirectory();
    ASSERT_NO_FATAL_FAILURE(FillToolsFolder(toolsFolder_));
    SetCurrentDirectoryA(elsewhere_.path().c_str());
  }
  void TearDown() override { SetCurrentDirectoryA(originalDirectory_.c_str()); }

  void SetToolSleep(const std::string& folder, int milliseconds) {
    ASSERT_TRUE(WriteWholeFile(folder + "\\standin-sleep-ms.txt", std::to_string(milliseconds)));
  }

  // Waits until the tagged call has both its lines in the log of the tools folder.
  bool WaitForEnd(const std::string& folder, const std::string& tag) {
    return WaitUntil(
        [&] {
          auto calls = ReadToolLog(folder);
          const ToolCall* start = FindStart(calls, tag);
          return start && FindEnd(calls, *start);
        },
        std::chrono::seconds(30));
  }

  ScratchFolder program_;
  ScratchFolder elsewhere_;
  std::string toolsFolder_ = program_ / "tools";
  std::string elsewhereTools_ = elsewhere_ / "tools";
  Win32Services services_{program_.path(), "ravlinkgui"};
  std::string originalDirectory_;
};

TEST_F(ProcessTest, RunAndWaitReturnsOnlyAfterTheToolHasEnded) {
  SetToolSleep(toolsFolder_, 1500);
  std::string tag = Tag("wait");
  auto before = steady_clock::now();
  services_.runAndWait(Line("tools\\arp.exe -s 192.168.0.10 " + tag), 1);
  auto elapsed = steady_clock::now() - before;

  auto calls = ReadToolLog(toolsFolder_);
  const ToolCall* start = FindStart(calls, tag);
  ASSERT_NE(start, nullptr) << "the tool did not run";
  EXPECT_NE(FindEnd(calls, *start), nullptr) << "returned before the tool had ended";
  EXPECT_GE(elapsed, milliseconds(1500));
}

TEST_F(ProcessTest, StartProcessReturnsWhileTheToolStillRuns) {
  SetToolSleep(toolsFolder_, 3000);
  std::string tag = Tag("nowait");
  auto before = steady_clock::now();
  ASSERT_TRUE(services_.startProcess(Line("tools\\ravlink-serial.exe -t COM1 " + tag), 1, {}));
  auto callTime = steady_clock::now() - before;

  ASSERT_TRUE(WaitForEnd(toolsFolder_, tag)) << "the tool did not run to its end";
  auto calls = ReadToolLog(toolsFolder_);
  const ToolCall* start = FindStart(calls, tag);
  const ToolCall* end = FindEnd(calls, *start);
  // The tool lived at least three seconds; the call was over well before that.
  EXPECT_GE(end->stamp - start->stamp, 3000 * kTicksPerMillisecond);
  EXPECT_LT(callTime, milliseconds(2500));
}

TEST_F(ProcessTest, TwoStartsLeaveTwoToolsRunningSideBySide) {
  SetToolSleep(toolsFolder_, 2500);
  std::string first = Tag("first"), second = Tag("second");
  ASSERT_TRUE(services_.startProcess(Line("tools\\ravlink-ip.exe -t 192.168.0.1 " + first), 1, {}));
  ASSERT_TRUE(
      services_.startProcess(Line("tools\\ravlink-ip.exe -t 192.168.0.1 " + second), 1, {}));
  ASSERT_TRUE(WaitForEnd(toolsFolder_, first));
  ASSERT_TRUE(WaitForEnd(toolsFolder_, second));

  auto calls = ReadToolLog(toolsFolder_);
  const ToolCall* firstStart = FindStart(calls, first);
  const ToolCall* secondStart = FindStart(calls, second);
  EXPECT_NE(firstStart->pid, secondStart->pid);
  unsigned long long lastStart = std::max(firstStart->stamp, secondStart->stamp);
  unsigned long long firstEnd =
      std::min(FindEnd(calls, *firstStart)->stamp, FindEnd(calls, *secondStart)->stamp);
  EXPECT_LT(lastStart, firstEnd) << "the second tool started only after the first had ended";
}

// A started loader is found again while it runs, and not once it has ended by itself; there is
// nothing left to end then.
TEST_F(ProcessTest, AStartedLoaderRunsUntilItEnds) {
  SetToolSleep(toolsFolder_, 1500);
  std::string tag = Tag("runs");
  auto started = services_.startProcess(Line("tools\\ravlink-serial.exe -t COM1 " + tag), 1, {});
  ASSERT_TRUE(started);
  EXPECT_TRUE(started->running());
  ASSERT_TRUE(WaitForEnd(toolsFolder_, tag));
  EXPECT_TRUE(WaitUntil([&] { return !started->running(); })) << "still running after its end";
  EXPECT_TRUE(started->end());
}

// The process id of the tagged call, once its start is in the log.
DWORD ProcessIdOf(const std::string& folder, const std::string& tag) {
  DWORD pid = 0;
  WaitUntil([&] {
    auto calls = ReadToolLog(folder);
    const ToolCall* start = FindStart(calls, tag);
    if (start) pid = std::stoul(start->pid);
    return start != nullptr;
  });
  return pid;
}

bool ProcessGone(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return true;
  bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

// Ending a loader terminates it, returns once it has gone, and its console window goes with it.
TEST_F(ProcessTest, EndingALoaderEndsItAndItsConsole) {
  SetToolSleep(toolsFolder_, 60000);
  std::string tag = Tag("end");
  auto started = services_.startProcess(Line("tools\\ravlink-ip.exe -t 192.168.0.1 " + tag), 1, {});
  ASSERT_TRUE(started);
  DWORD pid = ProcessIdOf(toolsFolder_, tag);
  ASSERT_NE(pid, 0u) << "the loader did not start";
  std::string title = standin::ConsoleTitle("ravlink-ip", pid);
  HWND console = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (console = FindWindowA(nullptr, title.c_str())) != nullptr; }))
      << "no console window titled " << title;
  ASSERT_TRUE(started->running());

  auto before = steady_clock::now();
  EXPECT_TRUE(started->end());
  EXPECT_LT(steady_clock::now() - before, milliseconds(3500));
  EXPECT_TRUE(ProcessGone(pid));
  EXPECT_FALSE(started->running());
  auto calls = ReadToolLog(toolsFolder_);
  EXPECT_EQ(FindEnd(calls, *FindStart(calls, tag)), nullptr) << "the loader ran to its own end";
  if (console) {
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(console) || !IsWindowVisible(console); }))
        << "the console window stayed";
  }
}

// Only the loader that was started is ended: another one, of the same tool, runs on.
TEST_F(ProcessTest, EndingALoaderLeavesTheOthersAlone) {
  SetToolSleep(toolsFolder_, 60000);
  std::string first = Tag("first"), second = Tag("second");
  auto ended = services_.startProcess(Line("tools\\ravlink-serial.exe -t COM1 " + first), 1, {});
  auto other = services_.startProcess(Line("tools\\ravlink-serial.exe -t COM1 " + second), 1, {});
  ASSERT_TRUE(ended && other);
  DWORD otherPid = ProcessIdOf(toolsFolder_, second);
  ASSERT_NE(ProcessIdOf(toolsFolder_, first), 0u);
  EXPECT_TRUE(ended->end());
  EXPECT_TRUE(other->running());
  EXPECT_FALSE(ProcessGone(otherPid));
  EXPECT_TRUE(other->end());
  EXPECT_TRUE(ProcessGone(otherPid));
}

TEST_F(ProcessTest, MissingToolIsNotStartedAndNotWaitedFor) {
  EXPECT_FALSE(services_.startProcess(Line("tools\\missing.exe -t COM1"), 1, {}));
  // The system's own sentence says why, for the message that follows.
  std::string why = services_.startFailure();
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(why.find_first_of("\r\n"), std::string::npos) << why;
  EXPECT_TRUE(services_.startProcess(Line("tools\\ravlink-serial.exe -t COM1 why-cleared"), 1, {}));
  EXPECT_EQ(services_.startFailure(), "");
  auto before = steady_clock::now();
  services_.runAndWait(Line("tools\\missing.exe -s 192.168.0.10 00-11-22-33-44-55"), 1);
  EXPECT_LT(steady_clock::now() - before, milliseconds(5000));
  EXPECT_FALSE(FileExists(toolsFolder_ + "\\standin-calls.log"));
}

// Asked before anything starts: the tool must be an ordinary file where a start looks for it,
// and the reason is the one the start would fail with.
struct CanStartCase {
  const char* name;
  const char* program;
  bool toolsFolderGone;
  bool canStart;
  DWORD error;  // whose sentence is the reason, when it cannot start
};

const CanStartCase kCanStart[] = {
    {"ToolBesideTheProgram", "tools\\ravlink-ip.exe", false, true, 0},
    {"ToolNamedWithoutItsExtension", "tools\\ravlink-ip", false, true, 0},
    {"ToolInTheCurrentDirectoryOnly", "tools\\here-only.exe", false, true, 0},
    {"ToolMissing", "tools\\missing.exe", false, false, ERROR_FILE_NOT_FOUND},
    {"ToolsFolderGone", "tools\\ravlink-ip.exe", true, false, ERROR_PATH_NOT_FOUND},
    {"ToolIsAFolder", "tools\\folder.exe", false, false, ERROR_ACCESS_DENIED},
};

void PrintTo(const CanStartCase& row, std::ostream* out) {
  *out << row.name;
}

class CanStartTest : public ProcessTest, public ::testing::WithParamInterface<CanStartCase> {};

TEST_P(CanStartTest, AnOrdinaryFileWhereAStartLooksForIt) {
  const CanStartCase& c = GetParam();
  // The current directory holds one tool, of a name the program's folder lacks.
  CreateDirectoryA(elsewhereTools_.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((TestExecutableFolder() + "\\tools\\arp.exe").c_str(),
                        (elsewhereTools_ + "\\here-only.exe").c_str(), FALSE));
  ASSERT_TRUE(CreateDirectoryA((toolsFolder_ + "\\folder.exe").c_str(), nullptr));
  if (c.toolsFolderGone) RemoveTree(toolsFolder_);
  EXPECT_FALSE(services_.startProcess(Line("tools\\missing.exe"), 1, {}));
  EXPECT_EQ(services_.canStart(c.program), c.canStart);
  EXPECT_EQ(services_.startFailure(), c.canStart ? "" : SystemSays(c.error));
  EXPECT_FALSE(FileExists(toolsFolder_ + "\\standin-calls.log")) << "asking started a tool";
}

INSTANTIATE_TEST_SUITE_P(Table, CanStartTest, ::testing::ValuesIn(kCanStart),
                         [](const ::testing::TestParamInfo<CanStartCase>& info) {
                           return std::string(info.param.name);
                         });

// Both ways of starting a tool, for the rules that they share.
struct Launcher {
  const char* name;
  std::function<void(Win32Services&, const std::string&)> launch;
};

const Launcher kLaunchers[] = {
    {"RunAndWait", [](Win32Services& s, const std::string& line) { s.runAndWait(Line(line), 1); }},
    {"StartProcess",
     [](Win32Services& s, const std::string& line) {
       EXPECT_TRUE(s.startProcess(Line(line), 1, {}));
     }},
};

void PrintTo(const Launcher& launcher, std::ostream* out) {
  *out << launcher.name;
}

class LaunchTest : public ProcessTest, public ::testing::WithParamInterface<Launcher> {};

TEST_P(LaunchTest, ToolBesideTheProgramWinsOverOneInTheCurrentDirectory) {
  ASSERT_NO_FATAL_FAILURE(FillToolsFolder(elsewhereTools_));
  std::string tag = Tag("beside");
  GetParam().launch(services_, "tools\\arp.exe -s " + tag);
  EXPECT_TRUE(WaitForEnd(toolsFolder_, tag));
  auto elsewhereCalls = ReadToolLog(elsewhereTools_);
  EXPECT_EQ(FindStart(elsewhereCalls, tag), nullptr) << "the tool in the current directory ran";
}

// A tool of a name that lies neither beside the program nor beside the test executable.
TEST_P(LaunchTest, ToolInTheCurrentDirectoryServesWhenNoneIsBesideTheProgram) {
  ASSERT_NO_FATAL_FAILURE(FillToolsFolder(elsewhereTools_));
  ASSERT_TRUE(MoveFileA((elsewhereTools_ + "\\arp.exe").c_str(),
                        (elsewhereTools_ + "\\arp-here-only.exe").c_str()));
  std::string tag = Tag("fallback");
  GetParam().launch(services_, "tools\\arp-here-only.exe -s " + tag);
  EXPECT_TRUE(WaitForEnd(elsewhereTools_, tag));
}

TEST_P(LaunchTest, ToolGetsTheCommandLineUnchangedAndTheCurrentDirectory) {
  std::string tag = Tag("line");
  std::string commandLine = "tools\\ravlink-ip.exe -t 192.168.0.5  -a 0x8c010000 -x \"" +
                            (elsewhere_ / "my file.bin") + "\" " + tag;
  GetParam().launch(services_, commandLine);
  ASSERT_TRUE(WaitForEnd(toolsFolder_, tag));
  auto calls = ReadToolLog(toolsFolder_);
  const ToolCall* start = FindStart(calls, tag);
  EXPECT_EQ(start->commandLine, commandLine);
  EXPECT_PRED2(SamePath, start->currentDirectory, elsewhere_.path());
}

INSTANTIATE_TEST_SUITE_P(Both, LaunchTest, ::testing::ValuesIn(kLaunchers),
                         [](const ::testing::TestParamInfo<Launcher>& info) {
                           return std::string(info.param.name);
                         });

// The stand-in loaders write the dump that a download asks for, so the demo shows a result.
struct DumpCase {
  const char* name;
  const char* loaderHead;
  const char* sizeText;
  std::size_t size;
};

const DumpCase kDumps[] = {
    {"SerialBios", "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x0", "0x200000", 0x200000},
    {"IpFlash", "tools\\ravlink-ip.exe -t 192.168.0.5 -a 0x200000", "0x20000", 0x20000},
    {"DecimalSize", "tools\\ravlink-ip.exe -t 192.168.0.5 -a 0x0", "1000", 1000},
};

void PrintTo(const DumpCase& row, std::ostream* out) {
  *out << row.name;
}

class StandInDumpTest : public ProcessTest, public ::testing::WithParamInterface<DumpCase> {};

TEST_P(StandInDumpTest, LoaderWritesTheRequestedNumberOfBytes) {
  std::string target = elsewhere_ / "dump with blanks.bin";
  std::string tag = Tag("dump");
  ASSERT_TRUE(services_.startProcess(Line(std::string(GetParam().loaderHead) + " -n -s " +
                                          GetParam().sizeText + " -d \"" + target + "\" " + tag),
                                     1, {}));
  ASSERT_TRUE(WaitForEnd(toolsFolder_, tag));
  EXPECT_EQ(ReadWholeFile(target).size(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Dumps, StandInDumpTest, ::testing::ValuesIn(kDumps),
                         [](const ::testing::TestParamInfo<DumpCase>& info) {
                           return std::string(info.param.name);
                         });

// Without overrides the services look beside the running executable: the test program.
TEST(DefaultProcessTest, ToolsFolderBesideTheExecutableIsUsed) {
  Win32Services services;
  ScratchFolder elsewhere;
  std::string original = services.currentDirectory();
  services.setCurrentDirectory(elsewhere.path());
  std::string tag = Tag("default");
  services.runAndWait(Line("tools\\arp.exe -s " + tag), 1);
  services.setCurrentDirectory(original);

  auto calls = ReadToolLog(TestExecutableFolder() + "\\tools");
  const ToolCall* start = FindStart(calls, tag);
  ASSERT_NE(start, nullptr);
  EXPECT_NE(FindEnd(calls, *start), nullptr);
  EXPECT_PRED2(SamePath, start->currentDirectory, elsewhere.path());
}

}  // namespace
}  // namespace loadergui::win32::testing
