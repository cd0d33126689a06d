// A program that loads the settings of a program folder, changes the address and exits as a
// user would, saving them: the process the settings tests kill in the middle of its save.
//
//   settings_saver FOLDER ADDRESS
//
// Writes "s" to standard output just before the save starts and "d" once it is done.
#include <unistd.h>

#include <string>

#include "app/App.h"
#include "null/Services.h"
#include "null/Toolkit.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  loadergui::null::NullServices services(argv[1], "ravlinkgui");
  loadergui::null::NullToolkit toolkit;
  loadergui::App app(services.interfaces(), toolkit);
  if (!app.start()) return 1;
  app.frmOptions().txtAddress->setText(argv[2]);
  if (write(STDOUT_FILENO, "s", 1) != 1) return 1;
  app.frmMain().mnuFileExit->click();
  if (write(STDOUT_FILENO, "d", 1) != 1) return 1;
  return services.messages.empty() ? 0 : 1;
}
