// The command lines a press must start, assembled from the values it reads, apart from the
// program's own assembly.
#pragma once

#include <optional>
#include <string>

namespace loadergui::fuzzing {

enum class LoaderAction { Upload, UploadExecute, Download };

// What a press reads: the loader variant, the option values it uses and its file.
struct PressInputs {
  bool serial = true;
  std::string device, baudrate, ip, address;
  bool noConsole = false, dumbTerminal = false, noScreenClear = false;
  std::optional<std::string> chroot, iso;  // when ticked (Execute only; the dumps never carry them)
  LoaderAction action = LoaderAction::Upload;
  std::string size;  // downloads
  std::string file;
};

// The loader line: head, target, speed (serial only), address, the switches in the order -n -p
// -q, the path options, the action; every value exactly as it stands, the paths in quotes.
std::string ExpectedLoaderLine(const PressInputs& inputs);

// "tools\arp.exe -s ", the IP address, a blank and the MAC address, as they stand.
std::string ExpectedArpLine(const std::string& ip, const std::string& mac);

// Whether a value that the line carries holds a double quote, which would regroup the tool's
// arguments: such a press must be refused.
bool CarriesAQuote(const PressInputs& inputs);

}  // namespace loadergui::fuzzing
