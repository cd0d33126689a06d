// The loader command line, assembled from its seven pieces in their fixed order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace loadergui {

class App;

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
};

LoaderSetup ReadLoaderSetup(App& app);

// A path enclosed in double quotes, nothing escaped inside.
std::string Quoted(const std::string& path);

// A text that reaches a tool unquoted, with the name the user knows it by.
struct UnquotedValue {
  const char* what;  // "the address"
  std::string text;
};

// The unquoted texts of the setup: target and speed of the serial loader, or the IP address.
std::vector<UnquotedValue> SetupValues(const LoaderSetup& setup);

// The refusal for the first value that would not reach the tool as one argument; empty when
// every value is fine.
std::string UnquotedValuesRefusal(const std::vector<UnquotedValue>& values);

bool HoldsQuote(const std::string& path);

// Loader head, target and speed come from the setup, then the address piece, the switch options,
// the path options and the action; the pieces carry their own leading blanks.
std::string LoaderCommandLine(const LoaderSetup& setup, const std::string& addressPiece,
                              const std::string& pathOptions, const std::string& actionPiece);

}  // namespace loadergui
