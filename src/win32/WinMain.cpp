// Entry point of the Windows program: the platform, the windows, and the message loop.
#include <windows.h>

#include "MessageLoop.h"
#include "Win32Services.h"
#include "Win32Toolkit.h"
#include "app/App.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  loadergui::win32::Win32Toolkit::LoadCommonControls();
  int exitCode = 0;
  {
    loadergui::win32::Win32Services services;
    loadergui::win32::Win32Toolkit toolkit(instance);
    loadergui::App app(services, toolkit);
    if (app.start()) exitCode = loadergui::win32::RunMessageLoop();
  }
  return exitCode;
}
