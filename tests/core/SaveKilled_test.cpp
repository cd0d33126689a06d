// A program killed at any moment of its save leaves the settings file of the run before or of
// this run, byte for byte, never a mixture or a stump.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

namespace loadergui::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 200;

// The settings of a run before, and a large section of another program's, so that a save takes
// long enough to be cut in many places.
std::string OldSettings() {
  std::string text =
      "[SETTINGS]\r\nTYPE=&Upload\r\nRAVLINK=Serial\r\n[OPTIONS]\r\nADDRESS=0x8c010000\r\n"
      "[ELSEWHERE]\r\n";
  for (int i = 0; i < 10000; ++i) text += "KEY" + std::to_string(i) + "=kept by someone else\r\n";
  return text;
}

class SaveKilledTest : public ::testing::Test {
 protected:
  SaveKilledTest() {
    std::string pattern = (fs::temp_directory_path() / "savekilled-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    for (const char* file : {"ravlinkgui.exe", "tools/cygintl.dll", "tools/cygwin1.dll",
                             "tools/ravlink-serial.exe", "tools/ravlink-ip.exe"}) {
      fs::create_directories((folder / file).parent_path());
      std::ofstream(folder / file) << "x";
    }
  }
  ~SaveKilledTest() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  fs::path settings() const { return folder / "tools" / "settings.ini"; }
  std::string readSettings() const {
    std::ifstream in(settings(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Puts the old file back and takes away what a killed save left beside it.
  int reset(const std::string& text) const {
    int leftovers = 0;
    for (const auto& entry : fs::directory_iterator(folder / "tools")) {
      if (entry.path().filename().string().rfind(".settings.ini.", 0) == 0) {
        fs::remove(entry.path());
        ++leftovers;
      }
    }
    std::ofstream(settings(), std::ios::binary | std::ios::trunc) << text;
    return leftovers;
  }

  // Starts the saver; returns its process id, with its output's read end in `output`.
  pid_t startSaver(int& output) const {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
      dup2(pipeEnds[1], STDOUT_FILENO);
      close(pipeEnds[0]);
      close(pipeEnds[1]);
      execl(LOADERGUI_SETTINGS_SAVER, LOADERGUI_SETTINGS_SAVER, folder.c_str(), "0x8c020000",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeEnds[1]);
    output = pipeEnds[0];
    return child;
  }

  static bool readMark(int output, char wanted) {
    char mark = 0;
    return read(output, &mark, 1) == 1 && mark == wanted;
  }

  fs::path folder;
};

TEST_F(SaveKilledTest, EveryFileAfterAKillIsTheOldOneOrTheNewOne) {
  const std::string old = OldSettings();
  reset(old);

  // One save to its end: the new file, and how long a save takes on this machine.
  int output = -1;
  pid_t saver = startSaver(output);
  ASSERT_GT(saver, 0);
  ASSERT_TRUE(readMark(output, 's'));
  Clock::time_point started = Clock::now();
  ASSERT_TRUE(readMark(output, 'd'));
  Clock::duration saveTime = Clock::now() - started;
  close(output);
  int status = 0;
  waitpid(saver, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string saved = readSettings();
  ASSERT_NE(saved, old);
  ASSERT_NE(saved.find("ADDRESS=0x8c020000\r\n"), std::string::npos);

  // Kills at random moments of the save, a little past its usual end too.
  std::mt19937 random(20261209);
  auto window = std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 6 / 5).count();
  std::uniform_int_distribution<long long> delay(0, window);
  int oldOnes = 0, newOnes = 0, cutShort = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    cutShort += reset(old);
    saver = startSaver(output);
    ASSERT_GT(saver, 0);
    ASSERT_TRUE(readMark(output, 's')) << "kill " << kill;
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(saver, SIGKILL);
    waitpid(saver, nullptr, 0);
    close(output);
    std::string after = readSettings();
    ASSERT_TRUE(after == old || after == saved)
        << "kill " << kill << " left a file of " << after.size() << " bytes, neither the old ("
        << old.size() << ") nor the new one (" << saved.size() << ")";
    (after == old ? oldOnes : newOnes) += 1;
  }
  cutShort += reset(old);
  std::cout << "[ NOTE     ] " << kKills << " kills within " << window
            << " us of the save's start: " << oldOnes << " left the old file, " << newOnes
            << " the new one, " << cutShort << " cut the save short while it wrote\n";
  // The kills did land inside the save, and on both sides of the moment the new file takes over.
  EXPECT_GT(cutShort, 0);
  EXPECT_GT(newOnes, 0);
}

}  // namespace
}  // namespace loadergui::testing
