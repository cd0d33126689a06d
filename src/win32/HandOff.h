// One program per folder takes the files handed to it: a second start that names a file gives it
// to the main window of the program already running from the same folder, and ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace loadergui {
class App;
}

namespace loadergui::win32 {

class Win32Form;

// Hands the arguments to the main window of this program that runs from this program's folder.
// True once that window has taken them; false when there is none, or none answered in time.
bool HandToRunningProgram(const std::vector<std::string>& arguments);

// Takes arguments handed over by later starts, and follows them in the shown main window.
class HandOffReceiver {
 public:
  explicit HandOffReceiver(App& app);
  ~HandOffReceiver();
  HandOffReceiver(const HandOffReceiver&) = delete;
  HandOffReceiver& operator=(const HandOffReceiver&) = delete;

  // Follows the program's own arguments as soon as the message loop runs.
  void follow(std::vector<std::string> arguments);

 private:
  bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool take(const COPYDATASTRUCT& data);
  void followNext();
  void pressExecuteIfFree();

  App& app_;
  Win32Form& main_;
  std::string folder_;
  // Arguments taken and not yet followed, one posted message each; those of a later start
  // were handed over and bring the window to the front.
  struct Request {
    std::vector<std::string> arguments;
    bool handedOver;
  };
  std::vector<Request> requests_;
  // Execute is pressed once the main window takes input again.
  bool executeWaits_ = false;
};

}  // namespace loadergui::win32
