// Loader command-line assembly shared by the Execute command and the dumps.
#include "loader/CommandLine.h"

#include "app/App.h"
#include "app/SubRoutines.h"
#include "loader/Tools.h"
#include "ui/Control.h"

namespace loadergui {

namespace {
bool Ticked(ui::Form& form, const char* name) {
  return form.control(name).value() == ui::kTicked;
}
}  // namespace

LoaderSetup ReadLoaderSetup(App& app) {
  ui::Form& options = app.frmOptions();
  LoaderSetup setup;
  setup.serial = SerialLoaderSelected(app);
  setup.device = options.control("cmbCOMPort").text();
  setup.baudrate = options.control("cmbBaudrate").text();
  setup.ip = options.control("cmbIP").text();
  setup.noConsole = Ticked(options, "cbNoConsole");
  setup.dumbTerminal = Ticked(options, "cbDumbTerminal");
  setup.noScreenClear = Ticked(options, "cbNoScreenClear");
  return setup;
}

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

std::string LoaderCommandLine(const LoaderSetup& setup, const std::string& addressPiece,
                              const std::string& pathOptions, const std::string& actionPiece) {
  std::string line;
  if (setup.serial) {
    line = std::string(tools::kSerialLoader) + " -t " + setup.device + " -b " + setup.baudrate;
  } else {
    line = std::string(tools::kIPLoader) + " -t " + setup.ip;
  }
  line += addressPiece;
  if (setup.noConsole) line += " -n";
  if (setup.dumbTerminal) line += " -p";
  if (setup.noScreenClear) line += " -q";
  line += pathOptions;
  line += actionPiece;
  return line;
}

}  // namespace loadergui
