// The serial ports present, from the device names that Windows knows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/SerialPorts.h"

namespace loadergui::win32 {

class Win32SerialPorts : public platform::SerialPorts {
 public:
  std::vector<std::string> serialPorts() override;
};

namespace detail {

// The serial ports among the device names of a NUL-separated list (the answer of
// QueryDosDeviceA): "COM" and digits in any case, returned in capitals, in the list's order.
std::vector<std::string> SerialPortNames(const char* list, std::size_t length);

}  // namespace detail

}  // namespace loadergui::win32
