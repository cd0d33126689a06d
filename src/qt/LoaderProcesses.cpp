// Finding a loader among the processes that run (/proc), and ending it: SIGTERM, then SIGKILL
// for one that stays, each time only to processes that still are that loader.
#include "LoaderProcesses.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

namespace loadergui::qt {

namespace {

using Clock = std::chrono::steady_clock;

// How long a loader has after SIGTERM before SIGKILL, and after SIGKILL before it counts as
// one that would not end; about three seconds in all.
constexpr auto kTermPatience = std::chrono::milliseconds(2000);
constexpr auto kKillPatience = std::chrono::milliseconds(1000);
constexpr auto kLookInterval = std::chrono::milliseconds(20);

// What /proc/<pid>/exe says of an executable file replaced or removed while it runs.
constexpr const char* kDeletedSuffix = " (deleted)";

std::string Executable(const std::string& processFolder) {
  std::string target(4096, '\0');
  ssize_t length = readlink((processFolder + "/exe").c_str(), target.data(), target.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return {};
  target.resize(static_cast<std::size_t>(length));
  return target;
}

std::vector<std::string> Arguments(const std::string& processFolder) {
  std::ifstream in(processFolder + "/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments;
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\0', start);
    if (end == std::string::npos) end = all.size();
    arguments.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return arguments;
}

bool GivenValue(const std::vector<std::string>& arguments, const platform::ProcessMatch& match) {
  for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == match.option) return arguments[i + 1] == match.value;
  }
  return false;
}

bool IsProcessId(const char* name) {
  if (*name == '\0') return false;
  for (const char* c = name; *c; ++c) {
    if (*c < '0' || *c > '9') return false;
  }
  return true;
}

// Polls until none of them runs any more, or the time is up; true when none runs.
bool WaitUntilGone(const std::string& executable, const platform::ProcessMatch& match,
                   Clock::duration patience) {
  Clock::time_point deadline = Clock::now() + patience;
  for (;;) {
    if (FindProcesses(executable, match).empty()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kLookInterval);
  }
}

void Signal(const std::vector<pid_t>& processes, int signal) {
  for (pid_t process : processes) kill(process, signal);
}

}  // namespace

// A process that has ended but not been reaped yet has no executable any more and is passed
// over; so is one of another user, whose executable cannot be read (and which this program
// could not end anyway).
std::vector<pid_t> FindProcesses(const std::string& executable,
                                 const platform::ProcessMatch& match) {
  std::vector<pid_t> found;
  DIR* proc = opendir("/proc");
  if (!proc) return found;
  uid_t user = getuid();
  std::string deleted = executable + kDeletedSuffix;
  while (dirent* entry = readdir(proc)) {
    if (!IsProcessId(entry->d_name)) continue;
    std::string folder = std::string("/proc/") + entry->d_name;
    struct stat owner;
    if (stat(folder.c_str(), &owner) != 0 || owner.st_uid != user) continue;
    std::string running = Executable(folder);
    if (running != executable && running != deleted) continue;
    if (!match.option.empty() && !GivenValue(Arguments(folder), match)) continue;
    found.push_back(static_cast<pid_t>(std::strtol(entry->d_name, nullptr, 10)));
  }
  closedir(proc);
  return found;
}

bool LoaderProcess::running() {
  if (ended_) return false;
  ended_ = FindProcesses(executable_, match_).empty();
  return !ended_;
}

// The loader is not this program's child when a terminal started it, so its end is watched
// for in /proc rather than waited for. Each signal goes to the processes found as the loader
// just before, so that SIGKILL never reaches an id that a new process took after the loader.
bool LoaderProcess::end() {
  if (ended_) return true;
  Signal(FindProcesses(executable_, match_), SIGTERM);
  if (!WaitUntilGone(executable_, match_, kTermPatience)) {
    Signal(FindProcesses(executable_, match_), SIGKILL);
    if (!WaitUntilGone(executable_, match_, kKillPatience)) return false;
  }
  ended_ = true;
  return true;
}

}  // namespace loadergui::qt
