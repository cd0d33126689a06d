// Stand-in process start: records the command and the current directory it started in.
#include "Processes.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace loadergui::null {

namespace {

// The program's hold on a started stand-in process: its life, shared with the record.
class WatchedProcess : public platform::StartedProcess {
 public:
  explicit WatchedProcess(std::shared_ptr<ProcessLife> life) : life_(std::move(life)) {}
  bool running() override { return life_->running; }
  bool end() override {
    ++life_->endRequests;
    if (life_->endable) life_->running = false;
    return !life_->running;
  }

 private:
  std::shared_ptr<ProcessLife> life_;
};

}  // namespace

// A program path is looked up in the program's folder first, then from the current directory.
bool NullProcesses::exists(const std::string& program) const {
  std::string besideProgram = files_.programFolder() + "/" + program;
  std::replace(besideProgram.begin(), besideProgram.end(), '\\', '/');
  return std::filesystem::is_regular_file(besideProgram) ||
         std::filesystem::is_regular_file(files_.diskPath(program));
}

StartedProcess& NullProcesses::record(const platform::Command& command, int windowStyle,
                                      bool wait) {
  processes.push_back({command.line,
                       command.arguments,
                       windowStyle,
                       wait,
                       files_.currentDirectory(),
                       {},
                       std::make_shared<ProcessLife>()});
  return processes.back();
}

void NullProcesses::runAndWait(const platform::Command& command, int windowStyle) {
  if (exists(command.arguments.front()) && !refusesTools) record(command, windowStyle, true);
}

std::unique_ptr<platform::StartedProcess> NullProcesses::startProcess(
    const platform::Command& command, int windowStyle, const platform::ProcessMatch& match) {
  if (!exists(command.arguments.front()) || refusesTools || loaderStartsFail) return nullptr;
  StartedProcess& started = record(command, windowStyle, false);
  started.match = match;
  started.life->running = loadersKeepRunning;
  return std::make_unique<WatchedProcess>(started.life);
}

bool NullProcesses::canStart(const std::string& program) {
  return exists(program) && !refusesTools;
}

}  // namespace loadergui::null
