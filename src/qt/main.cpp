// Entry point of the Linux program: the platform, the windows, and the event loop.
#include <QApplication>

#include "DesktopEntry.h"
#include "Services.h"
#include "SessionEnd.h"
#include "Toolkit.h"
#include "app/App.h"

int main(int argc, char** argv) {
  if (auto status = loadergui::qt::RunDesktopEntryOption(argc, argv)) return *status;
  QApplication application(argc, argv);
  // The program ends when its forms have gone, which the toolkit tells; a hidden window is no
  // reason to end it.
  QApplication::setQuitOnLastWindowClosed(false);
  loadergui::qt::QuitOnTerminationSignals();
  loadergui::qt::QtServices services;
  loadergui::qt::QtToolkit toolkit;
  loadergui::App app(services.interfaces(), toolkit);
  return app.start() ? QApplication::exec() : 0;
}
