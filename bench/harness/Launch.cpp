// Starting a program as from the desktop, waiting for its window, and closing it again.
#include "Launch.h"

#include <psapi.h>

#include "ProcessWindows.h"

namespace bench {

namespace {

// Short enough to add little to a start of a few hundred milliseconds; the same for both.
constexpr DWORD kPollMs = 1;

bool Ended(HANDLE process) {
  return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

ShownProgram::ShownProgram(const std::string& executable) {
  std::string commandLine = "\"" + executable + "\"";
  std::string folder = FolderOf(executable);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  double started = Seconds();
  if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process_)) {
    failure_ = "CreateProcess failed for " + executable + " (error " +
               std::to_string(GetLastError()) + ")";
    return;
  }
  for (;;) {
    window_ = ShownTopWindow(process_.dwProcessId);
    double now = Seconds();
    if (window_) {
      startMilliseconds_ = (now - started) * 1000.0;
      break;
    }
    if (Ended(process_.hProcess)) {
      failure_ = executable + " ended before it showed a window";
      return;
    }
    if (now - started > kPatienceMs / 1000.0) {
      failure_ = executable + " showed no window within " + std::to_string(kPatienceMs) + " ms";
      return;
    }
    Sleep(kPollMs);
  }
  // A message box instead of the main window means the folder is not laid out as it should be.
  char windowClass[64] = {};
  GetClassNameA(window_, windowClass, sizeof windowClass);
  if (lstrcmpA(windowClass, "#32770") == 0) {
    HWND text = GetDlgItem(window_, 0xFFFF);
    failure_ = executable + " showed a message box instead of its window: " +
               (text ? WindowText(text) : WindowText(window_));
  }
}

ShownProgram::~ShownProgram() {
  if (process_.hProcess && !Ended(process_.hProcess)) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kPatienceMs);
  }
  if (process_.hThread) CloseHandle(process_.hThread);
  if (process_.hProcess) CloseHandle(process_.hProcess);
}

void ShownProgram::close() {
  if (!process_.hProcess || Ended(process_.hProcess)) return;
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, kPatienceMs) == WAIT_OBJECT_0) return;
  if (failure_.empty()) failure_ = "the program did not end after WM_CLOSE";
  TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, kPatienceMs);
}

StartResult MeasureStart(const std::string& executable, const std::string& uploadFile) {
  StartResult result;
  ShownProgram program(executable);
  if (program.failure().empty()) {
    result.milliseconds = program.startMilliseconds();
    // The first paint and whatever else the start-up queued have run by then.
    WaitForInputIdle(program.process(), kPatienceMs);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(program.process(), &counters, sizeof counters)) {
      result.peakWorkingSet = counters.PeakWorkingSetSize;
    } else {
      result.failure = "GetProcessMemoryInfo failed (error " + std::to_string(GetLastError()) + ")";
    }
    if (!uploadFile.empty() && !ChildWindow(program.window(), "Edit", uploadFile, false)) {
      result.failure = executable + " started without " + uploadFile + " in its upload box";
    }
    program.close();
  }
  if (result.failure.empty()) result.failure = program.failure();
  return result;
}

}  // namespace bench
