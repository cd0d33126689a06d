// The USB and ACM serial devices present.
#pragma once

#include <string>

#include "platform/SerialPorts.h"

namespace loadergui::qt {

class QtSerialPorts : public platform::SerialPorts {
 public:
  // devices is the folder the device files are in; tests give one of their own.
  explicit QtSerialPorts(std::string devices = "/dev") : devices_(std::move(devices)) {}

  std::vector<std::string> serialPorts() override;

 private:
  std::string devices_;
};

}  // namespace loadergui::qt
