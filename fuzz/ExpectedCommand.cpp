// The loaders' command lines as the user's choices dictate them, piece by piece.
#include "ExpectedCommand.h"

namespace loadergui::fuzzing {

namespace {

// A path in quotes, each backslash of a run at its end doubled, so that the loader's Windows
// rules give it back whole.
std::string InQuotes(const std::string& path) {
  std::string quoted = "\"" + path;
  for (auto at = path.rbegin(); at != path.rend() && *at == '\\'; ++at) quoted += '\\';
  return quoted + "\"";
}

bool HasQuote(const std::string& text) {
  return text.find('"') != std::string::npos;
}

}  // namespace

std::string ExpectedLoaderLine(const PressInputs& in) {
  std::string line = in.serial ? "tools\\ravlink-serial.exe -t " + in.device + " -b " + in.baudrate
                               : "tools\\ravlink-ip.exe -t " + in.ip;
  line += " -a " + in.address;
  if (in.noConsole) line += " -n";
  if (in.dumbTerminal) line += " -p";
  if (in.noScreenClear) line += " -q";
  if (in.chroot) line += " -c " + InQuotes(*in.chroot);
  if (in.iso) line += " -i " + InQuotes(*in.iso);
  switch (in.action) {
    case LoaderAction::Upload:
      return line + " -u " + InQuotes(in.file);
    case LoaderAction::UploadExecute:
      return line + " -x " + InQuotes(in.file);
    case LoaderAction::Download:
      return line + " -s " + in.size + " -d " + InQuotes(in.file);
  }
  return line;
}

std::string ExpectedArpLine(const std::string& ip, const std::string& mac) {
  return "tools\\arp.exe -s " + ip + " " + mac;
}

bool CarriesAQuote(const PressInputs& in) {
  bool target = in.serial ? HasQuote(in.device) || HasQuote(in.baudrate) : HasQuote(in.ip);
  bool size = in.action == LoaderAction::Download && HasQuote(in.size);
  return target || size || HasQuote(in.address) || HasQuote(in.file) ||
         (in.chroot && HasQuote(*in.chroot)) || (in.iso && HasQuote(*in.iso));
}

}  // namespace loadergui::fuzzing
