// The loader command line, assembled from its seven pieces in their fixed order.
#pragma once

#include <string>

namespace loadergui {

class App;

// The pieces that come from the loader variant and the option values, read from the controls.
struct LoaderSetup {
  bool serial = true;
  std::string device;    // cmbCOMPort
  std::string baudrate;  // cmbBaudrate
  std::string ip;        // cmbIP
  bool noConsole = false;
  bool dumbTerminal = false;
  bool noScreenClear = false;
};

LoaderSetup ReadLoaderSetup(App& app);

// A path enclosed in double quotes, nothing escaped inside.
std::string Quoted(const std::string& path);

// Loader head, target and speed come from the setup, then the address piece, the switch options,
// the path options and the action; the pieces carry their own leading blanks.
std::string LoaderCommandLine(const LoaderSetup& setup, const std::string& addressPiece,
                              const std::string& pathOptions, const std::string& actionPiece);

}  // namespace loadergui
