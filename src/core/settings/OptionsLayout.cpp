// The configuration dialog: one column of fields on the left, OK, Cancel and Default on the right.
#include "settings/OptionsLayout.h"

namespace loadergui {

using ui::ControlKind;

// cmbIP lies on cmbCOMPort's spot, cbARP and txtARP on the baud-rate label's and cmbBaudrate's;
// the loader variant decides which of each pair is visible.
const ui::FormSpec& OptionsDialogLayout() {
  static const ui::FormSpec spec{
      "frmOptions",
      "Ravlink Serial Configuration Options",
      5190,
      5535,
      {
          {"cmdOK", ControlKind::Button, "OK", 3840, 480, 1215, 375, ui::kDefaultButton, {}},
          {"cmdCancel", ControlKind::Button, "Cancel", 3840, 960, 1215, 375, ui::kCancelButton, {}},
          {"cmdDefault", ControlKind::Button, "Default", 3840, 1560, 1215, 375, ui::kNoFlags, {}},
          {"txtAddress", ControlKind::TextBox, "0x8c010000", 120, 480, 3255, 285, ui::kNoFlags, {}},
          {"lblFilesize", ControlKind::Label, "Set filesize (required when downloading)", 120, 960,
           3255, 255, ui::kNoFlags, {}},
          {"txtFilesize", ControlKind::TextBox, "0x0", 120, 1200, 3255, 285, ui::kNoFlags, {}},
          {"lblCOMPort", ControlKind::Label, "Select a device (Default: COM1)", 120, 1680, 2535, 255,
           ui::kNoFlags, {}},
          {"cmbCOMPort", ControlKind::ComboBox, "COM1", 120, 1920, 3255, 315, ui::kNoFlags,
           {"COM1", "COM2", "COM3", "COM4"}},
          {"lblBaudrate", ControlKind::Label, "Set the baudrate (Default: 115200)", 120, 2400, 2535,
           255, ui::kNoFlags, {}},
          {"cmbBaudrate", ControlKind::ComboBox, "115200", 120, 2640, 3255, 315, ui::kNoFlags,
           {"115200", "57600", "38400", "19200", "9600", "4800"}},
          {"cbNoConsole", ControlKind::CheckBox, "No console / fileserver", 120, 4800, 1935, 255,
           ui::kNoFlags, {}},
          {"cbDumbTerminal", ControlKind::CheckBox, "Use dumb terminal", 120, 5160, 1695, 195,
           ui::kNoFlags, {}},
          {"cbNoScreenClear", ControlKind::CheckBox, "No screen clear", 2160, 4800, 1455, 195,
           ui::kNoFlags, {}},
          {"cbChroot", ControlKind::CheckBox, "Chroot to path", 120, 3215, 1455, 255, ui::kNoFlags,
           {}},
          {"cbCDFSRedir", ControlKind::CheckBox, "CDFS Redirection", 120, 4055, 1695, 255,
           ui::kNoFlags, {}},
          {"lblAddress", ControlKind::Label, "Set address location (Default: 0x8c010000)", 120, 240,
           3255, 255, ui::kNoFlags, {}},
          {"txtChroot", ControlKind::TextBox, "Please select a folder...", 120, 3480, 3255, 285,
           ui::kStartsDisabled, {}},
          {"cmdChroot", ControlKind::Button, "Browse", 2160, 3050, 1215, 375, ui::kStartsDisabled,
           {}},
          {"cmdCDFSRedir", ControlKind::Button, "Browse", 2160, 3890, 1215, 375,
           ui::kStartsDisabled, {}},
          {"txtCDFSRedir", ControlKind::TextBox, "Please select an ISO image...", 120, 4320, 3255,
           285, ui::kStartsDisabled, {}},
          {"cmbIP", ControlKind::ComboBox, "192.168.0.0", 120, 1920, 3255, 315, ui::kNoFlags,
           {"192.168.0.0"}},
          {"cbARP", ControlKind::CheckBox, "Use ARP (set DC modem's MAC address)", 120, 2375, 3255,
           255, ui::kNoFlags, {}},
          {"txtARP", ControlKind::TextBox, "Set MAC address", 120, 2640, 3255, 285,
           ui::kStartsDisabled, {}},
      },
      {}};
  return spec;
}

}  // namespace loadergui
