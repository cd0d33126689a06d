// Entry point of the Windows program: the platform, the windows, and the message loop.
#include <windows.h>

#include "HandOff.h"
#include "MessageLoop.h"
#include "ProgramArguments.h"
#include "Services.h"
#include "Toolkit.h"
#include "app/App.h"
#include "app/ProgramArguments.h"

// The arguments are read before start-up makes the program's folder the current directory, from
// which a relative file name would otherwise be taken. A start that names a file gives it to the
// program already running from this folder, if there is one, and ends without a window and
// without touching the settings.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::vector<std::string> arguments = loadergui::win32::ProgramArguments();
  if (!loadergui::ReadProgramArguments(arguments).files.empty() &&
      loadergui::win32::HandToRunningProgram(arguments)) {
    return 0;
  }
  loadergui::win32::Win32Services services;
  loadergui::win32::Win32Toolkit toolkit(instance);
  loadergui::App app(services.interfaces(), toolkit);
  if (!app.start()) return 0;
  loadergui::win32::HandOffReceiver receiver(app);
  receiver.follow(std::move(arguments));
  return loadergui::win32::RunMessageLoop();
}
