// The program's windows and their controls as the driver addresses them: each child control's
// identifier is 100 plus its place in its window's tab order.
#pragma once

#include <string_view>

namespace e2e {

enum class Form { Main, Options };

struct ControlName {
  Form form;
  std::string_view name;
  int id;
  std::string_view windowClass;  // what the control must be, checked before it is used
};

constexpr ControlName kControls[] = {
    {Form::Main, "cmdBrowse", 100, "Button"},
    {Form::Main, "txtUpload", 101, "Edit"},
    {Form::Main, "lblFilename", 102, "Static"},
    {Form::Main, "lblInformation", 103, "Static"},
    {Form::Main, "cmdExecute", 104, "Button"},
    {Form::Main, "txtDownload", 105, "Edit"},
    {Form::Options, "cmdOK", 100, "Button"},
    {Form::Options, "cmdCancel", 101, "Button"},
    {Form::Options, "cmdDefault", 102, "Button"},
    {Form::Options, "txtAddress", 103, "Edit"},
    {Form::Options, "lblFilesize", 104, "Static"},
    {Form::Options, "txtFilesize", 105, "Edit"},
    {Form::Options, "lblCOMPort", 106, "Static"},
    {Form::Options, "cmbCOMPort", 107, "ComboBox"},
    {Form::Options, "lblBaudrate", 108, "Static"},
    {Form::Options, "cmbBaudrate", 109, "ComboBox"},
    {Form::Options, "cbNoConsole", 110, "Button"},
    {Form::Options, "cbDumbTerminal", 111, "Button"},
    {Form::Options, "cbNoScreenClear", 112, "Button"},
    {Form::Options, "cbChroot", 113, "Button"},
    {Form::Options, "cbCDFSRedir", 114, "Button"},
    {Form::Options, "lblAddress", 115, "Static"},
    {Form::Options, "txtChroot", 116, "Edit"},
    {Form::Options, "cmdChroot", 117, "Button"},
    {Form::Options, "cmdCDFSRedir", 118, "Button"},
    {Form::Options, "txtCDFSRedir", 119, "Edit"},
    {Form::Options, "cmbIP", 120, "ComboBox"},
    {Form::Options, "cbARP", 121, "Button"},
    {Form::Options, "txtARP", 122, "Edit"},
};

// The fourteen option values of the options dialog, in the order the settings file keeps them.
struct OptionControl {
  std::string_view control;
  bool checkBox;
  std::string_view section;
  std::string_view key;
  std::string_view startDefault;  // the value a first run shows
};

constexpr OptionControl kOptionControls[] = {
    {"txtAddress", false, "OPTIONS", "ADDRESS", "0x8c010000"},
    {"txtFilesize", false, "OPTIONS", "SIZE", "0x0"},
    {"cmbCOMPort", false, "OPTIONS", "DEVICE", "COM1"},
    {"cmbIP", false, "OPTIONS", "IP", "192.168.0.0"},
    {"cmbBaudrate", false, "OPTIONS", "BAUDRATE", "115200"},
    {"cbARP", true, "OPTIONS", "ARP", "0"},
    {"txtARP", false, "OPTIONS", "ARPMAC", "Set MAC address"},
    {"cbNoConsole", true, "OPTIONS", "NOCONSOLE", "0"},
    {"cbDumbTerminal", true, "OPTIONS", "DUMBTERM", "0"},
    {"cbNoScreenClear", true, "OPTIONS", "NOCLEAR", "0"},
    {"cbChroot", true, "OPTIONS", "CHROOT", "0"},
    {"cbCDFSRedir", true, "OPTIONS", "CDFS", "0"},
    {"txtChroot", false, "CHROOT", "DIR", "Please select a folder..."},
    {"txtCDFSRedir", false, "CDFSREDIRECT", "ISO", "Please select an ISO image..."},
};

}  // namespace e2e
