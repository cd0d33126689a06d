// The arguments a press must hand the tools, built from the values it reads apart from the
// program's own assembly, and whether the press must be refused instead.
#pragma once

#include <bitset>
#include <optional>
#include <string>
#include <vector>

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
  std::optional<std::string> mac;  // when the ARP step is due
};

// The bytes that begin a two-byte character of the command lines' code page.
using LeadBytes = std::bitset<256>;

// The loader's arguments: the loader, "-t" and the target, "-b" and the speed (serial only),
// "-a" and the address, the switches in the order -n -p -q, the path options, the action; each
// typed value as the words its blanks and tabs separate, each path one argument.
std::vector<std::string> ExpectedLoaderArguments(const PressInputs& inputs);

// "tools\arp.exe", "-s", the IP address's words and the MAC address's.
std::vector<std::string> ExpectedArpArguments(const PressInputs& inputs);

// Why the press must be refused: a value the line carries that a loader would not take as
// typed, or a path it would not receive whole in any form; nullptr when none.
const char* RefusalReason(const PressInputs& inputs, const LeadBytes& leadBytes);

}  // namespace loadergui::fuzzing
