// Starting a program as from the desktop, waiting for its window, and closing it again.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// One start of a program: how long its window took to show and how much memory it took.
struct StartResult {
  std::string failure;  // empty when the start went as planned
  double milliseconds = 0;
  SIZE_T peakWorkingSet = 0;  // bytes
};

// A program started and shown; the caller owns the process until close() or the destructor.
class ShownProgram {
 public:
  // Starts the executable in its own folder with no arguments and waits until a top-level
  // window of it is visible; failure() says why not.
  explicit ShownProgram(const std::string& executable);
  ~ShownProgram();
  ShownProgram(const ShownProgram&) = delete;
  ShownProgram& operator=(const ShownProgram&) = delete;

  const std::string& failure() const { return failure_; }
  // From just before CreateProcess to the first poll that saw the window visible.
  double startMilliseconds() const { return startMilliseconds_; }
  HWND window() const { return window_; }
  HANDLE process() const { return process_.hProcess; }
  DWORD pid() const { return process_.dwProcessId; }
  // Asks the window to close, as its close box does, and waits for the process to end; a
  // program that does not end is ended and the failure noted.
  void close();

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  double startMilliseconds_ = 0;
  std::string failure_;
};

// One measured start: shown, settled (input idle), peak working set read, closed. With an
// upload file named, a start whose window shows no box holding it is a failure: the program
// did not start with the files it was meant to.
StartResult MeasureStart(const std::string& executable, const std::string& uploadFile);

std::string FolderOf(const std::string& path);

}  // namespace bench
