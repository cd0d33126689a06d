// The loader command line, assembled from its seven pieces in their fixed order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Command.h"

namespace loadergui {

class App;

// The loaders' option before their target: the serial device, or the console's IP address.
inline constexpr const char* kTargetOption = "-t";

// The pieces that come from the loader variant and the option values, read from the controls.
struct LoaderSetup {
  bool serial = true;
  // The platform's serial or IP loader, as the line's head names it.
  std::string_view loader;
  std::string device;    // cmbCOMPort
  std::string baudrate;  // cmbBaudrate
  std::string ip;        // cmbIP
  bool noConsole = false;
  bool dumbTerminal = false;
  bool noScreenClear = false;
  // The code page the command lines go to the tools in.
  platform::LeadBytes leadBytes;
};

LoaderSetup ReadLoaderSetup(App& app);

// Builds a tool's command piece by piece: each piece goes into the argument list and into the
// Windows line together. A piece that the tool would not receive as given refuses the command;
// the first such piece's message is kept.
class CommandBuilder {
 public:
  CommandBuilder(std::string_view program, const platform::LeadBytes& leadBytes);

  // A fixed option of the tool, "-t" say.
  CommandBuilder& option(const char* option);
  // A typed value, which the tool receives as the words it splits into; `what` names it for
  // the user ("the IP address").
  CommandBuilder& value(const char* what, const std::string& typed);
  // A file or folder, one argument whatever it holds.
  CommandBuilder& path(const std::string& path);

  // Empty while every piece reaches the tool as given.
  const std::string& refusal() const { return refusal_; }
  const platform::Command& command() const { return command_; }

 private:
  platform::LeadBytes leadBytes_;
  platform::Command command_;
  std::string refusal_;
};

// A path option of the Execute command: " -c " with the chroot folder, " -i " with the image.
struct PathOption {
  const char* option;
  std::string path;
};

// What follows the loader's head, target and speed.
struct LoaderPieces {
  std::string address;
  std::vector<PathOption> pathOptions;
  std::optional<std::string> size;  // downloads: " -s " and the size, before the file
  const char* action;               // "-u", "-x" or "-d"
  std::string file;
};

// Loader head, target and speed, the address, the switch options -n -p -q, the path options
// and the action.
CommandBuilder LoaderCommand(const LoaderSetup& setup, const LoaderPieces& pieces);

}  // namespace loadergui
