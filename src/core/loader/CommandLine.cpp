// Loader command-line assembly shared by the Execute command and the dumps.
#include "loader/CommandLine.h"

#include "app/App.h"
#include "app/SubRoutines.h"
#include "loader/Quoting.h"
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
  setup.leadBytes = app.services().processes.commandLineLeadBytes();
  return setup;
}

CommandBuilder::CommandBuilder(std::string_view program, const platform::LeadBytes& leadBytes)
    : leadBytes_(leadBytes) {
  command_.arguments.emplace_back(program);
  command_.line = std::string(program);
}

CommandBuilder& CommandBuilder::option(const char* option) {
  command_.arguments.emplace_back(option);
  command_.line += std::string(" ") + option;
  return *this;
}

// Typed values go to the tools as typed: a blank in front, which the tool never notices, or a
// deliberate further option. An empty value leaves its option bare.
CommandBuilder& CommandBuilder::value(const char* what, const std::string& typed) {
  LineText text = TypedValueInLine(what, typed, leadBytes_);
  if (refusal_.empty()) refusal_ = text.refusal;
  for (std::string& word : TypedWords(typed)) command_.arguments.push_back(std::move(word));
  command_.line += " " + text.text;
  return *this;
}

CommandBuilder& CommandBuilder::path(const std::string& path) {
  LineText text = PathInLine(path, leadBytes_);
  if (refusal_.empty()) refusal_ = text.refusal;
  command_.arguments.push_back(path);
  command_.line += " " + text.text;
  return *this;
}

CommandBuilder LoaderCommand(const LoaderSetup& setup, const LoaderPieces& pieces) {
  CommandBuilder command(setup.loader, setup.leadBytes);
  command.option(kTargetOption);
  if (setup.serial) {
    command.value("the serial device", setup.device).option("-b");
    command.value("the baud rate", setup.baudrate);
  } else {
    command.value("the IP address", setup.ip);
  }
  command.option("-a").value("the address", pieces.address);
  if (setup.noConsole) command.option("-n");
  if (setup.dumbTerminal) command.option("-p");
  if (setup.noScreenClear) command.option("-q");
  for (const PathOption& option : pieces.pathOptions)
    command.option(option.option).path(option.path);
  if (pieces.size) command.option("-s").value("the file size", *pieces.size);
  command.option(pieces.action).path(pieces.file);
  return command;
}

}  // namespace loadergui
