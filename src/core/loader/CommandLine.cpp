// Loader command-line assembly shared by the Execute command and the dumps.
#include "loader/CommandLine.h"

#include "app/App.h"
#include "app/SubRoutines.h"
#include "ui/Control.h"

namespace loadergui {

LoaderSetup ReadLoaderSetup(App& app) {
  OptionsDialog& options = app.frmOptions();
  LoaderSetup setup;
  setup.serial = SerialLoaderSelected(app);
  const platform::PlatformFacts& facts = app.services().facts;
  setup.loader = setup.serial ? facts.serialLoader : facts.ipLoader;
  setup.device = options.cmbCOMPort->text();
  setup.baudrate = options.cmbBaudrate->text();
  setup.ip = options.cmbIP->text();
  setup.noConsole = options.cbNoConsole->ticked();
  setup.dumbTerminal = options.cbDumbTerminal->ticked();
  setup.noScreenClear = options.cbNoScreenClear->ticked();
  return setup;
}

// Nothing inside is escaped. Backslashes at the end are doubled, though: the loaders read their
// command lines by the Windows rules, under which a backslash before a quote makes it a quote of
// the argument, so "C:\" (a chroot at a drive's root) would swallow the rest of the line into
// one argument, while "C:\\" gives them C:\.
std::string Quoted(const std::string& path) {
  std::size_t lastOther = path.find_last_not_of('\\');
  std::size_t trailing = lastOther == std::string::npos ? path.size() : path.size() - lastOther - 1;
  return "\"" + path + std::string(trailing, '\\') + "\"";
}

std::vector<UnquotedValue> SetupValues(const LoaderSetup& setup) {
  if (setup.serial) return {{"the serial device", setup.device}, {"the baud rate", setup.baudrate}};
  return {{"the IP address", setup.ip}};
}

// Typed values go to the tools as typed: a blank in front, which the tool never notices, or a
// deliberate further option. A double quote is another matter: the tool would take everything
// after it, up to the next quote, as one argument, swallowing the pieces that follow (the file
// to upload, say). An empty value passes, as the tools have always received it.
std::string UnquotedValuesRefusal(const std::vector<UnquotedValue>& values) {
  for (const auto& value : values) {
    if (value.text.find('"') != std::string::npos) {
      return std::string("Sorry, ") + value.what + " cannot contain a double quote (\").";
    }
  }
  return {};
}

// A path goes to the tool between double quotes, so a quote of its own would end it early and
// hand the rest to the tool as further options.
bool HoldsQuote(const std::string& path) {
  return path.find('"') != std::string::npos;
}

std::string LoaderCommandLine(const LoaderSetup& setup, const std::string& addressPiece,
                              const std::string& pathOptions, const std::string& actionPiece) {
  std::string line;
  if (setup.serial) {
    line = std::string(setup.loader) + " -t " + setup.device + " -b " + setup.baudrate;
  } else {
    line = std::string(setup.loader) + " -t " + setup.ip;
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
