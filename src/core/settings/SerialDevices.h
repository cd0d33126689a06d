// The serial devices: the ports the device list always offers, and what counts as a port's name,
// the one rule the device list and the platform share.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace loadergui {

// COM1 to COM4, first in the device list and in this order, whatever the machine has.
inline const std::vector<std::string_view> kStandardSerialPorts{"COM1", "COM2", "COM3", "COM4"};

unsigned long SerialPortNumber(const std::string& name);

}  // namespace loadergui
