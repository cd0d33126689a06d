// The device list of the configuration dialog: the standard ports, then those present.
#include "settings/SerialDevices.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>
#include <vector>

#include "app/App.h"
#include "app/Handlers.h"
#include "ui/Control.h"

namespace loadergui {

namespace {

constexpr std::size_t kMostDigits = 9;

bool SameLetters(char a, char b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

bool StartsWith(const std::string& name, std::string_view prefix, bool ignoreCase) {
  if (name.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (!SameLetters(name[i], prefix[i], ignoreCase)) return false;
  }
  return true;
}

std::string Spelt(const SerialPortName& port, const platform::PlatformFacts& facts) {
  return std::string(facts.serialPortPrefixes[port.prefix]) + std::to_string(port.number);
}

}  // namespace

// The longest prefix that fits wins, so "/dev/ttyS" never takes a name of another family.
std::optional<SerialPortName> ParseSerialPortName(const std::string& name,
                                                  const platform::PlatformFacts& facts) {
  std::optional<std::size_t> matched;
  for (std::size_t i = 0; i < facts.serialPortPrefixes.size(); ++i) {
    std::string_view prefix = facts.serialPortPrefixes[i];
    if (!StartsWith(name, prefix, facts.serialPortNamesIgnoreCase)) continue;
    if (!matched || prefix.size() > facts.serialPortPrefixes[*matched].size()) matched = i;
  }
  if (!matched) return std::nullopt;
  std::size_t digits = name.size() - facts.serialPortPrefixes[*matched].size();
  if (digits == 0 || digits > kMostDigits) return std::nullopt;
  unsigned long number = 0;
  for (std::size_t i = name.size() - digits; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
    number = number * 10 + static_cast<unsigned long>(name[i] - '0');
  }
  if (number < facts.firstSerialPortNumber) return std::nullopt;
  return SerialPortName{*matched, number};
}

unsigned long SerialPortNumber(const std::string& name) {
  auto port = ParseSerialPortName(name, platform::kWindowsFacts);
  return port ? port->number : 0;
}

std::vector<std::string> SerialDeviceList(const std::vector<std::string>& present,
                                          const platform::PlatformFacts& facts) {
  std::vector<std::string> items(facts.standardSerialPorts.begin(),
                                 facts.standardSerialPorts.end());
  std::vector<SerialPortName> others;
  for (const auto& name : present) {
    auto port = ParseSerialPortName(name, facts);
    if (!port || std::find(items.begin(), items.end(), Spelt(*port, facts)) != items.end()) {
      continue;
    }
    others.push_back(*port);
  }
  auto key = [](const SerialPortName& port) { return std::tie(port.prefix, port.number); };
  std::sort(others.begin(), others.end(),
            [&key](const SerialPortName& a, const SerialPortName& b) { return key(a) < key(b); });
  others.erase(std::unique(others.begin(), others.end(),
                           [&key](const SerialPortName& a, const SerialPortName& b) {
                             return key(a) == key(b);
                           }),
               others.end());
  for (const auto& port : others) items.push_back(Spelt(port, facts));
  return items;
}

namespace frmOptions {

// Runs each time the list drops down, so an adapter plugged in meanwhile appears. The box's
// text is not touched: a typed device still goes to the loader as typed.
void cmbCOMPort_DropDown(App& app) {
  auto& services = app.services();
  app.frmOptions().cmbCOMPort->setItems(
      SerialDeviceList(services.serialPorts.serialPorts(), services.facts));
}

}  // namespace frmOptions

}  // namespace loadergui
