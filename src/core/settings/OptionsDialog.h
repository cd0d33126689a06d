// The configuration dialog frmOptions: one member for each control of its layout table, named
// as the table names it.
#pragma once

#include <memory>
#include <utility>

#include "ui/TypedForm.h"

namespace loadergui {

class OptionsDialog : public ui::TypedForm {
 public:
  explicit OptionsDialog(std::unique_ptr<ui::Form> form) : TypedForm(std::move(form)) {
    bindMembers();
  }

  ui::Control* cmdOK = nullptr;
  ui::Control* cmdCancel = nullptr;
  ui::Control* cmdDefault = nullptr;
  ui::Control* txtAddress = nullptr;
  ui::Control* lblFilesize = nullptr;
  ui::Control* txtFilesize = nullptr;
  ui::Control* lblCOMPort = nullptr;
  ui::Control* cmbCOMPort = nullptr;
  ui::Control* lblBaudrate = nullptr;
  ui::Control* cmbBaudrate = nullptr;
  ui::Control* cbNoConsole = nullptr;
  ui::Control* cbDumbTerminal = nullptr;
  ui::Control* cbNoScreenClear = nullptr;
  ui::Control* cbChroot = nullptr;
  ui::Control* cbCDFSRedir = nullptr;
  ui::Control* lblAddress = nullptr;
  ui::Control* txtChroot = nullptr;
  ui::Control* cmdChroot = nullptr;
  ui::Control* cmdCDFSRedir = nullptr;
  ui::Control* txtCDFSRedir = nullptr;
  ui::Control* cmbIP = nullptr;
  ui::Control* cbARP = nullptr;
  ui::Control* txtARP = nullptr;
};

}  // namespace loadergui
