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
  app.services().messages.messageBox(&app.frmOptions().form(), message, text::kOops);
}

// A box that follows its check box: enabled exactly when the box is ticked; its text stays.
void Follow(ui::Control* checkBox, std::initializer_list<ui::Control*> dependents) {
  bool enabled = checkBox->ticked();
  for (ui::Control* dependent : dependents) dependent->setEnabled(enabled);
}

// The Default button puts back each option's default, but for the size: "0" here, not the "0x0"
// that the program starts with.
constexpr const char* kDefaultButtonSize = "0";

}  // namespace

namespace frmOptions {

// Both path tests must pass before the dialog goes; the chroot test comes first and only one
// message is shown. The settings file is not touched here.
void cmdOK_Click(App& app) {
  OptionsDialog& options = app.frmOptions();
  auto& files = app.services().files;
  if (options.cbChroot->ticked() &&
      !files.findFile(options.txtChroot->text(), platform::SearchFor::FilesAndFolders)) {
    Refuse(app, "Sorry, that Chroot folder does not exist!");
    return;
  }
  if (options.cbCDFSRedir->ticked() &&
      !files.findFile(options.txtCDFSRedir->text(), platform::SearchFor::OrdinaryFiles)) {
    Refuse(app, "Sorry, that ISO image does not exist!");
    return;
  }
  options.cmdOK->setFocus();
  RefreshTransferMode(app);
  options.form().hide();
}

// Puts back what the controls held when the dialog was opened; check boxes whose value changes
// run their handlers, so the dependent controls follow.
void cmdCancel_Click(App& app) {
  OptionsDialog& options = app.frmOptions();
  for (std::size_t i = 0; i < app.snapshot().size(); ++i) {
    SetOptionText(options, OptionFor(kSnapshotOrder[i]), app.snapshot()[i]);
  }
  options.cmdOK->setFocus();
  options.form().hide();
}

// Nothing is written and the snapshot stays, so a later Cancel still puts the values back.
void cmdDefault_Click(App& app) {
  for (const OptionValue& option : kOptionValues) {
    bool size = option.control == &OptionsDialog::txtFilesize;
    SetOptionText(app.frmOptions(), option,
                  size ? kDefaultButtonSize : OptionDefault(option, app.services().facts));
  }
}

void cbChroot_Click(App& app) {
  OptionsDialog& options = app.frmOptions();
  Follow(options.cbChroot, {options.txtChroot, options.cmdChroot});
}
void cbCDFSRedir_Click(App& app) {
  OptionsDialog& options = app.frmOptions();
  Follow(options.cbCDFSRedir, {options.txtCDFSRedir, options.cmdCDFSRedir});
}
void cbARP_Click(App& app) {
  OptionsDialog& options = app.frmOptions();
  Follow(options.cbARP, {options.txtARP});
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
