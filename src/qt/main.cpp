// Entry point of the Linux program: the platform, the windows, and the event loop.
#include <QApplication>

#include "DesktopEntry.h"
#include "HandOff.h"
#include "ProgramArguments.h"
#include "Services.h"
#include "SessionEnd.h"
#include "Toolkit.h"
#include "app/App.h"
#include "app/ProgramArguments.h"

// The arguments are read before start-up makes the program's folder the current directory, from
// which a relative file name would otherwise be taken. A start that names a file gives it to the
// program already running from this folder, if there is one, and ends without a window and
// without touching the settings.
int main(int argc, char** argv) {
  if (auto status = loadergui::qt::RunDesktopEntryOption(argc, argv)) return *status;
  QApplication application(argc, argv);
  std::vector<std::string> arguments = loadergui::qt::ProgramArguments(argc, argv);
  if (!loadergui::ReadProgramArguments(arguments).files.empty() &&
      loadergui::qt::HandToRunningProgram(arguments)) {
    return 0;
  }
  // The program ends when its forms have gone, which the toolkit tells; a hidden window is no
  // reason to end it.
  QApplication::setQuitOnLastWindowClosed(false);
  loadergui::qt::QuitOnTerminationSignals();
  loadergui::qt::QtServices services;
  loadergui::qt::QtToolkit toolkit;
  loadergui::App app(services.interfaces(), toolkit);
  if (!app.start()) return 0;
  loadergui::qt::HandOffReceiver receiver(app);
  receiver.follow(std::move(arguments));
  return QApplication::exec();
}
