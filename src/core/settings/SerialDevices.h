// The serial devices: what counts as a port's name on a platform, the one rule the device list
// and the platform share, and the order the list offers them in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/PlatformFacts.h"

namespace loadergui {

// A serial port's name taken apart: which of the platform's prefixes it has, and its number.
struct SerialPortName {
  std::size_t prefix;
  unsigned long number;
};

std::optional<SerialPortName> ParseSerialPortName(const std::string& name,
                                                  const platform::PlatformFacts& facts);

// The port number of a Windows port name, "COM<digits>" in any case (at most nine digits), or 0
// for any other name, COM0 among them.
unsigned long SerialPortNumber(const std::string& name);

// The device list: the platform's standard ports in their order, then the other ports present,
// by prefix and number, each once and spelt as the platform spells its ports.
std::vector<std::string> SerialDeviceList(const std::vector<std::string>& present,
                                          const platform::PlatformFacts& facts);

}  // namespace loadergui
