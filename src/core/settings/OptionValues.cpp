// The one table of option values: the settings file, the snapshot, the Default button and the
// dialog's initial texts all come from it.
#include "settings/OptionValues.h"

#include <cstdlib>

#include "app/Captions.h"

namespace loadergui {

using Dialog = OptionsDialog;

namespace {
// The serial device's default is the platform's; the table holds the Windows program's, and
// OptionDefault gives every platform its own.
constexpr std::string_view kWindowsDevice = platform::kWindowsFacts.defaultSerialDevice;
}  // namespace

// clang-format off
const OptionValue kOptionValues[14] = {
    // control                 kind                  section         key          default
    {&Dialog::txtAddress,      OptionKind::Text,     "OPTIONS",      "ADDRESS",   "0x8c010000"},
    {&Dialog::txtFilesize,     OptionKind::Text,     "OPTIONS",      "SIZE",      text::kUnsetFileSize},
    {&Dialog::cmbCOMPort,      OptionKind::Text,     "OPTIONS",      "DEVICE",    kWindowsDevice},
    {&Dialog::cmbIP,           OptionKind::Text,     "OPTIONS",      "IP",        "192.168.0.0"},
    {&Dialog::cmbBaudrate,     OptionKind::Text,     "OPTIONS",      "BAUDRATE",  "115200"},
    {&Dialog::cbARP,           OptionKind::CheckBox, "OPTIONS",      "ARP",       "0"},
    {&Dialog::txtARP,          OptionKind::Text,     "OPTIONS",      "ARPMAC",    text::kMacPrompt},
    {&Dialog::cbNoConsole,     OptionKind::CheckBox, "OPTIONS",      "NOCONSOLE", "0"},
    {&Dialog::cbDumbTerminal,  OptionKind::CheckBox, "OPTIONS",      "DUMBTERM",  "0"},
    {&Dialog::cbNoScreenClear, OptionKind::CheckBox, "OPTIONS",      "NOCLEAR",   "0"},
    {&Dialog::cbChroot,        OptionKind::CheckBox, "OPTIONS",      "CHROOT",    "0"},
    {&Dialog::cbCDFSRedir,     OptionKind::CheckBox, "OPTIONS",      "CDFS",      "0"},
    {&Dialog::txtChroot,       OptionKind::Text,     "CHROOT",       "DIR",       text::kChrootPrompt},
    {&Dialog::txtCDFSRedir,    OptionKind::Text,     "CDFSREDIRECT", "ISO",       text::kIsoPrompt},
};
// clang-format on

const OptionControl kSnapshotOrder[14] = {
    &Dialog::txtAddress,     &Dialog::txtFilesize,     &Dialog::cmbCOMPort, &Dialog::cmbIP,
    &Dialog::cmbBaudrate,    &Dialog::cbARP,           &Dialog::txtARP,     &Dialog::cbNoConsole,
    &Dialog::cbDumbTerminal, &Dialog::cbNoScreenClear, &Dialog::cbChroot,   &Dialog::txtChroot,
    &Dialog::cbCDFSRedir,    &Dialog::txtCDFSRedir,
};

const OptionValue& OptionFor(OptionControl control) {
  for (const auto& option : kOptionValues) {
    if (option.control == control) return option;
  }
  std::abort();
}

std::string OptionDefault(const OptionValue& option, const platform::PlatformFacts& facts) {
  if (option.control == &Dialog::cmbCOMPort) return std::string(facts.defaultSerialDevice);
  return std::string(option.defaultValue);
}

std::string OptionText(OptionsDialog& dialog, const OptionValue& option) {
  ui::Control& control = *(dialog.*option.control);
  if (option.kind == OptionKind::Text) return control.text();
  return std::to_string(control.value());
}

void SetOptionText(OptionsDialog& dialog, const OptionValue& option, const std::string& text) {
  ui::Control& control = *(dialog.*option.control);
  if (option.kind == OptionKind::Text) {
    control.setText(text);
  } else {
    control.setValue(ParseCheckBoxValue(text).value_or(ui::kCleared));
  }
}

// Only the texts the program writes name a value: "0", "1" and "2". Anything else ("01", "+1",
// "1.0", a word) names none, as a missing key does.
std::optional<int> ParseCheckBoxValue(const std::string& text) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '0' + ui::kGreyed) return std::nullopt;
  return text[0] - '0';
}

}  // namespace loadergui
