// The configuration dialog: one column of fields on the left, OK, Cancel and Default on the right.
#include "settings/OptionsLayout.h"

#include "app/Captions.h"
#include "settings/OptionValues.h"
#include "settings/OptionsDialog.h"

namespace loadergui {

using ui::ControlKind;
using ui::Member;

namespace {

// The caption of a text option's row: its default from the table of option values.
constexpr std::string_view kOptionDefault;

// What the combo boxes list; the device list grows with the ports present when it drops down.
// The rows hold the Windows program's devices; PlatformOptionsLayout puts in another platform's.
const platform::PlatformFacts& kWindows = platform::kWindowsFacts;
const std::vector<std::string_view> kDevices(kWindows.standardSerialPorts.begin(),
                                             kWindows.standardSerialPorts.end());
const std::vector<std::string_view> kBaudRates{"115200", "57600", "38400", "19200", "9600", "4800"};
const std::vector<std::string_view> kAddresses{"192.168.0.0"};

// Every text option starts with its default; the rows leave their captions to this.
ui::FormLayout WithOptionDefaults(ui::FormLayout layout) {
  for (ui::ControlLayout& row : layout.controls) {
    for (const OptionValue& option : kOptionValues) {
      if (option.kind == OptionKind::Text && row.member == ui::Member(option.control)) {
        row.caption = option.defaultValue;
      }
    }
  }
  return layout;
}

}  // namespace

// One row per control, in tab order: x, y, w and h place it in twips from the client area's
// top-left corner; a row ends with the member of OptionsDialog that holds the control. cmbIP lies
// on cmbCOMPort's spot, cbARP and txtARP on the baud-rate label's and cmbBaudrate's; the loader
// variant decides which of each pair is visible. The dialog has no menu; last comes which
// control names each box for a screen reader: the label over it, or the check box that
// switches it on (lblCOMPort, whose caption follows the variant, names both cmbCOMPort and
// cmbIP).
const ui::FormLayout& OptionsDialogLayout() {
  // clang-format off
  static const ui::FormLayout layout = WithOptionDefaults({"frmOptions", "Ravlink Serial Configuration Options", 5190, 5535, {
      // name             kind                   caption                                          x     y     w    h  flags                items       member
      {"cmdOK",           ControlKind::Button,   "OK",                                         3840,  480, 1215, 375, ui::kDefaultButton,  {},         Member(&OptionsDialog::cmdOK)},
      {"cmdCancel",       ControlKind::Button,   "Cancel",                                     3840,  960, 1215, 375, ui::kCancelButton,   {},         Member(&OptionsDialog::cmdCancel)},
      {"cmdDefault",      ControlKind::Button,   "Default",                                    3840, 1560, 1215, 375, ui::kNoFlags,        {},         Member(&OptionsDialog::cmdDefault)},
      {"txtAddress",      ControlKind::TextBox,  kOptionDefault,                                120,  480, 3255, 285, ui::kNoFlags,        {},         Member(&OptionsDialog::txtAddress)},
      {"lblFilesize",     ControlKind::Label,    "Set filesize (required when downloading)",    120,  960, 3255, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::lblFilesize)},
      {"txtFilesize",     ControlKind::TextBox,  kOptionDefault,                                120, 1200, 3255, 285, ui::kNoFlags,        {},         Member(&OptionsDialog::txtFilesize)},
      {"lblCOMPort",      ControlKind::Label,    kWindows.deviceLabel,                          120, 1680, 2535, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::lblCOMPort)},
      {"cmbCOMPort",      ControlKind::ComboBox, kOptionDefault,                                120, 1920, 3255, 315, ui::kNoFlags,        kDevices,   Member(&OptionsDialog::cmbCOMPort)},
      {"lblBaudrate",     ControlKind::Label,    "Set the baudrate (Default: 115200)",          120, 2400, 2535, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::lblBaudrate)},
      {"cmbBaudrate",     ControlKind::ComboBox, kOptionDefault,                                120, 2640, 3255, 315, ui::kNoFlags,        kBaudRates, Member(&OptionsDialog::cmbBaudrate)},
      {"cbNoConsole",     ControlKind::CheckBox, "No console / fileserver",                     120, 4800, 1935, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::cbNoConsole)},
      {"cbDumbTerminal",  ControlKind::CheckBox, "Use dumb terminal",                           120, 5160, 1695, 195, ui::kNoFlags,        {},         Member(&OptionsDialog::cbDumbTerminal)},
      {"cbNoScreenClear", ControlKind::CheckBox, "No screen clear",                            2160, 4800, 1455, 195, ui::kNoFlags,        {},         Member(&OptionsDialog::cbNoScreenClear)},
      {"cbChroot",        ControlKind::CheckBox, "Chroot to path",                              120, 3215, 1455, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::cbChroot)},
      {"cbCDFSRedir",     ControlKind::CheckBox, "CDFS Redirection",                            120, 4055, 1695, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::cbCDFSRedir)},
      {"lblAddress",      ControlKind::Label,    "Set address location (Default: 0x8c010000)",  120,  240, 3255, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::lblAddress)},
      {"txtChroot",       ControlKind::TextBox,  kOptionDefault,                                120, 3480, 3255, 285, ui::kStartsDisabled, {},         Member(&OptionsDialog::txtChroot)},
      {"cmdChroot",       ControlKind::Button,   "Browse",                                     2160, 3050, 1215, 375, ui::kStartsDisabled, {},         Member(&OptionsDialog::cmdChroot)},
      {"cmdCDFSRedir",    ControlKind::Button,   "Browse",                                     2160, 3890, 1215, 375, ui::kStartsDisabled, {},         Member(&OptionsDialog::cmdCDFSRedir)},
      {"txtCDFSRedir",    ControlKind::TextBox,  kOptionDefault,                                120, 4320, 3255, 285, ui::kStartsDisabled, {},         Member(&OptionsDialog::txtCDFSRedir)},
      {"cmbIP",           ControlKind::ComboBox, kOptionDefault,                                120, 1920, 3255, 315, ui::kNoFlags,        kAddresses, Member(&OptionsDialog::cmbIP)},
      {"cbARP",           ControlKind::CheckBox, "Use ARP (set DC modem's MAC address)",        120, 2375, 3255, 255, ui::kNoFlags,        {},         Member(&OptionsDialog::cbARP)},
      {"txtARP",          ControlKind::TextBox,  kOptionDefault,                                120, 2640, 3255, 285, ui::kStartsDisabled, {},         Member(&OptionsDialog::txtARP)},
    }, {}, {
      // box                                  named by
      {Member(&OptionsDialog::txtAddress),   Member(&OptionsDialog::lblAddress)},
      {Member(&OptionsDialog::txtFilesize),  Member(&OptionsDialog::lblFilesize)},
      {Member(&OptionsDialog::cmbCOMPort),   Member(&OptionsDialog::lblCOMPort)},
      {Member(&OptionsDialog::cmbIP),        Member(&OptionsDialog::lblCOMPort)},
      {Member(&OptionsDialog::cmbBaudrate),  Member(&OptionsDialog::lblBaudrate)},
      {Member(&OptionsDialog::txtChroot),    Member(&OptionsDialog::cbChroot)},
      {Member(&OptionsDialog::txtCDFSRedir), Member(&OptionsDialog::cbCDFSRedir)},
      {Member(&OptionsDialog::txtARP),       Member(&OptionsDialog::cbARP)},
    }});
  // clang-format on
  return layout;
}

ui::FormLayout PlatformOptionsLayout(const platform::PlatformFacts& facts) {
  ui::FormLayout layout = OptionsDialogLayout();
  for (ui::ControlLayout& row : layout.controls) {
    if (row.member == Member(&OptionsDialog::lblCOMPort)) row.caption = facts.deviceLabel;
    if (row.member == Member(&OptionsDialog::cmbCOMPort)) {
      row.caption = facts.defaultSerialDevice;
      row.items.assign(facts.standardSerialPorts.begin(), facts.standardSerialPorts.end());
    }
  }
  return layout;
}

}  // namespace loadergui
