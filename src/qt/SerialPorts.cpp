// USB serial adapters (ttyUSB) and USB modems and boards (ttyACM) appear as device files while
// they are plugged in; the built-in ports (ttyS) exist whether or not there is hardware behind
// them, so the list offers only the standard four of those.
#include "SerialPorts.h"

#include <filesystem>
#include <system_error>

namespace loadergui::qt {

namespace fs = std::filesystem;

namespace {

const char* const kPluggedInFamilies[] = {"ttyUSB", "ttyACM"};

bool IsPluggedInPort(const std::string& name) {
  for (const char* family : kPluggedInFamilies) {
    std::string prefix = family;
    if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

}  // namespace

// Named by their full path, as the loader takes them; the device list sorts and checks them.
std::vector<std::string> QtSerialPorts::serialPorts() {
  std::vector<std::string> ports;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(devices_, error)) {
    std::string name = entry.path().filename().string();
    std::error_code statusError;
    if (IsPluggedInPort(name) && fs::is_character_file(entry.path(), statusError)) {
      ports.push_back(entry.path().string());
    }
  }
  return ports;
}

}  // namespace loadergui::qt
