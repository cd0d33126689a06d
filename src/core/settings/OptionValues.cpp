// The table of option values shared by the settings file, the snapshot and the Default button.
#include "settings/OptionValues.h"

#include <cstdlib>

namespace loadergui {

const OptionValue kOptionValues[14] = {
    {"txtAddress", OptionKind::Text, "OPTIONS", "ADDRESS", "0x8c010000"},
    {"txtFilesize", OptionKind::Text, "OPTIONS", "SIZE", "0x0"},
    {"cmbCOMPort", OptionKind::Text, "OPTIONS", "DEVICE", "COM1"},
    {"cmbIP", OptionKind::Text, "OPTIONS", "IP", "192.168.0.0"},
    {"cmbBaudrate", OptionKind::Text, "OPTIONS", "BAUDRATE", "115200"},
    {"cbARP", OptionKind::CheckBox, "OPTIONS", "ARP", "0"},
    {"txtARP", OptionKind::Text, "OPTIONS", "ARPMAC", "Set MAC address"},
    {"cbNoConsole", OptionKind::CheckBox, "OPTIONS", "NOCONSOLE", "0"},
    {"cbDumbTerminal", OptionKind::CheckBox, "OPTIONS", "DUMBTERM", "0"},
    {"cbNoScreenClear", OptionKind::CheckBox, "OPTIONS", "NOCLEAR", "0"},
    {"cbChroot", OptionKind::CheckBox, "OPTIONS", "CHROOT", "0"},
    {"cbCDFSRedir", OptionKind::CheckBox, "OPTIONS", "CDFS", "0"},
    {"txtChroot", OptionKind::Text, "CHROOT", "DIR", "Please select a folder..."},
    {"txtCDFSRedir", OptionKind::Text, "CDFSREDIRECT", "ISO", "Please select an ISO image..."},
};

const std::string_view kSnapshotOrder[14] = {
    "txtAddress", "txtFilesize", "cmbCOMPort",  "cmbIP",          "cmbBaudrate",
    "cbARP",      "txtARP",      "cbNoConsole", "cbDumbTerminal", "cbNoScreenClear",
    "cbChroot",   "txtChroot",   "cbCDFSRedir", "txtCDFSRedir",
};

const OptionValue& OptionFor(std::string_view control) {
  for (const auto& option : kOptionValues) {
    if (option.control == control) return option;
  }
  std::abort();
}

}  // namespace loadergui
