// The second floor of the benchmark: the program's two windows with all their controls, built
// from the program's layout tables by its window layer, with no behaviour behind them. What it
// costs is what any program showing these windows pays; the program's own cost is the rest.
#include <windows.h>

#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"
#include "win32/MessageLoop.h"
#include "win32/Toolkit.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  loadergui::win32::Win32Toolkit toolkit(instance);
  // As in the program: the main window, then the options dialog, loaded and hidden, before the
  // main window shows.
  auto main = toolkit.createForm(loadergui::MainWindowLayout());
  auto options = toolkit.createForm(loadergui::OptionsDialogLayout());
  main->onCloseRequest = [&] {
    options->destroy();
    main->destroy();
  };
  main->show();
  return loadergui::win32::RunMessageLoop();
}
