// The serial ports present on the machine.
#pragma once

#include <string>
#include <vector>

namespace loadergui::platform {

class SerialPorts {
 public:
  virtual ~SerialPorts() = default;

  // Names of the serial ports present ("COM7"), in any order.
  virtual std::vector<std::string> serialPorts() = 0;
};

}  // namespace loadergui::platform
