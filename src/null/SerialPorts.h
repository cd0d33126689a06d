// Stand-in serial ports: whichever the test says are present.
#pragma once

#include <string>
#include <vector>

#include "platform/SerialPorts.h"

namespace loadergui::null {

class NullSerialPorts : public platform::SerialPorts {
 public:
  std::vector<std::string> serialPorts() override { return presentSerialPorts; }

  std::vector<std::string> presentSerialPorts;
};

}  // namespace loadergui::null
