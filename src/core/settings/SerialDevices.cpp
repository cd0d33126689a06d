// The device list of the configuration dialog: the four standard ports, then those present.
#include "settings/SerialDevices.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/Handlers.h"
#include "ui/Control.h"

namespace loadergui {

// The port number of a name "COM<digits>" in any case (at most nine digits), or 0 for any other
// name, COM0 among them.
unsigned long SerialPortNumber(const std::string& name) {
  if (name.size() < 4 || name.size() > 12) return 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  }
  unsigned long number = 0;
  for (std::size_t i = 3; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    number = number * 10 + static_cast<unsigned long>(name[i] - '0');
  }
  return number;
}

namespace frmOptions {

// Runs each time the list drops down, so an adapter plugged in meanwhile appears. COM1 to COM4
// stay first, in their order, as users know them; the other ports present follow by number.
// The box's text is not touched: a typed device still goes to the loader as typed.
void cmbCOMPort_DropDown(App& app) {
  std::vector<unsigned long> present;
  for (const auto& name : app.services().serialPorts.serialPorts()) {
    unsigned long number = SerialPortNumber(name);
    if (number > kStandardSerialPorts.size()) present.push_back(number);
  }
  std::sort(present.begin(), present.end());
  present.erase(std::unique(present.begin(), present.end()), present.end());

  std::vector<std::string> items(kStandardSerialPorts.begin(), kStandardSerialPorts.end());
  for (unsigned long number : present) items.push_back("COM" + std::to_string(number));
  app.frmOptions().cmbCOMPort->setItems(items);
}

}  // namespace frmOptions

}  // namespace loadergui
