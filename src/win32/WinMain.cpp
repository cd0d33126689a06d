// Entry point of the Windows program: the platform, the windows, and the message loop.
#include <windows.h>

#include "MessageLoop.h"
#include "Services.h"
#include "Toolkit.h"
#include "app/App.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  loadergui::win32::Win32Services services;
  loadergui::win32::Win32Toolkit toolkit(instance);
  loadergui::App app(services.interfaces(), toolkit);
  return app.start() ? loadergui::win32::RunMessageLoop() : 0;
}
