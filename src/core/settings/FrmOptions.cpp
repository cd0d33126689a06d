// The configuration dialog's handlers: OK with its path tests, Cancel, Default, dependent controls.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "app/SubRoutines.h"
#include "settings/OptionValues.h"
#include "settings/SettingsFile.h"
#include "ui/Control.h"

namespace loadergui {

namespace {

void Refuse(App& app, const std::string& message) {
  app.services().messages.messageBox(&app.frmOptions(), message, text::kOops);
}

// A box that follows its check box: enabled exactly when the box is ticked; its text stays.
void Follow(App& app, const char* checkBox, std::initializer_list<const char*> dependents) {
  bool enabled = app.frmOptions().control(checkBox).ticked();
  for (const char* name : dependents) app.frmOptions().control(name).setEnabled(enabled);
}

// The values the Default button sets; the size is "0" here, unlike the start-up default.
struct DefaultValue {
  const char* control;
  const char* text;  // nullptr for a check box, which is cleared
};

const DefaultValue kDefaults[] = {
    {"txtAddress", "0x8c010000"},
    {"txtFilesize", "0"},
    {"cmbCOMPort", "COM1"},
    {"cmbIP", "192.168.0.0"},
    {"cmbBaudrate", "115200"},
    {"cbARP", nullptr},
    {"txtARP", text::kMacPrompt},
    {"cbNoConsole", nullptr},
    {"cbDumbTerminal", nullptr},
    {"cbNoScreenClear", nullptr},
    {"cbChroot", nullptr},
    {"cbCDFSRedir", nullptr},
    {"txtChroot", text::kChrootPrompt},
    {"txtCDFSRedir", text::kIsoPrompt},
};

}  // namespace

namespace frmOptions {

// Both path tests must pass before the dialog goes; the chroot test comes first and only one
// message is shown. The settings file is not touched here.
void cmdOK_Click(App& app) {
  ui::Form& options = app.frmOptions();
  auto& files = app.services().files;
  if (options.control("cbChroot").ticked() &&
      !files.findFile(options.control("txtChroot").text(), platform::SearchFor::FilesAndFolders)) {
    Refuse(app, "Sorry, that Chroot folder does not exist!");
    return;
  }
  if (options.control("cbCDFSRedir").ticked() &&
      !files.findFile(options.control("txtCDFSRedir").text(), platform::SearchFor::OrdinaryFiles)) {
    Refuse(app, "Sorry, that ISO image does not exist!");
    return;
  }
  options.control("cmdOK").setFocus();
  RefreshTransferMode(app);
  options.hide();
}

// Puts back what the controls held when the dialog was opened; check boxes whose value changes
// run their handlers, so the dependent controls follow.
void cmdCancel_Click(App& app) {
  ui::Form& options = app.frmOptions();
  for (std::size_t i = 0; i < app.snapshot().size(); ++i) {
    const OptionValue& option = OptionFor(kSnapshotOrder[i]);
    const std::string& saved = app.snapshot()[i];
    ui::Control& control = options.control(option.control);
    if (option.kind == OptionKind::Text) {
      control.setText(saved);
    } else {
      control.setValue(ParseCheckBoxValue(saved).value_or(ui::kCleared));
    }
  }
  options.control("cmdOK").setFocus();
  options.hide();
}

void cmdDefault_Click(App& app) {
  ui::Form& options = app.frmOptions();
  for (const auto& value : kDefaults) {
    if (value.text) {
      options.control(value.control).setText(value.text);
    } else {
      options.control(value.control).setValue(ui::kCleared);
    }
  }
}

void cbChroot_Click(App& app) {
  Follow(app, "cbChroot", {"txtChroot", "cmdChroot"});
}
void cbCDFSRedir_Click(App& app) {
  Follow(app, "cbCDFSRedir", {"txtCDFSRedir", "cmdCDFSRedir"});
}
void cbARP_Click(App& app) {
  Follow(app, "cbARP", {"txtARP"});
}

// Digits and Backspace pass; anything else typed is dropped with a beep.
void cmbBaudrate_KeyPress(App& app, int& keyAscii) {
  constexpr int kBackspace = 8;
  if (keyAscii == kBackspace || (keyAscii >= '0' && keyAscii <= '9')) return;
  keyAscii = 0;
  app.services().messages.beep();
}

void Form_Unload(App& app, int& /*cancel*/) {
  SaveSettings(app);
}

// The dialog's controls hold the option values until the program ends, so closing it by its
// close box must not unload it: it acts like Cancel.
void QueryClose(App& app) {
  cmdCancel_Click(app);
}

}  // namespace frmOptions

}  // namespace loadergui
