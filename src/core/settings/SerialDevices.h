// What counts as a serial port's name: the one rule the device list and the platform share.
#pragma once

#include <string>

namespace loadergui {

unsigned long SerialPortNumber(const std::string& name);

}  // namespace loadergui
