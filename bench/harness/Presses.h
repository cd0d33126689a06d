// The program's handle count before and after many presses of its Execute button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

struct PressResult {
  std::string failure;   // empty when every press started its loader
  DWORD before = 0;      // handles once the window is shown and idle
  DWORD afterFirst = 0;  // after the first press, once its loader has ended
  DWORD after = 0;       // after the last press, once every loader has ended
  int loaderRuns = 0;    // loader runs that the stand-in loaders logged as ended
  // The program's messages for starts that the system refused, each dismissed and its press
  // made again; under Wine a start can fail now and then, which the program rightly reports.
  std::vector<std::string> refusedStarts;
};

// Starts the program in Upload mode with the serial loader (through its settings file), puts
// the upload file into its file box and presses Execute that many times; each press is waited
// for until its stand-in loader has ended, so the loaders run one after the other. A press whose
// start the system refused is dismissed and made again, a few times at most.
PressResult MeasureHandles(const std::string& executable, const std::string& uploadFile,
                           int presses);

}  // namespace bench
