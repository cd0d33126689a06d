// Which handler each control runs: one table per window.
#include "app/Bindings.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/App.h"
#include "app/Handlers.h"

namespace loadergui {

namespace {

struct ClickBinding {
  std::string_view control;
  void (*handler)(App&);
};

const ClickBinding kMainWindowClicks[] = {
    {"cmdBrowse", frmMain::cmdBrowse_Click},
    {"cmdExecute", frmMain::cmdExecute_Click},
    {"mnuBIOS", frmMain::mnuBIOS_Click},
    {"mnuFlash", frmMain::mnuFlash_Click},
    {"mnuFileExit", frmMain::mnuFileExit_Click},
    {"mnuRavlinkSerial", frmMain::mnuRavlinkSerial_Click},
    {"mnuRavlinkIP", frmMain::mnuRavlinkIP_Click},
    {"mnuConfigUpload", frmMain::mnuConfigUpload_Click},
    {"mnuConfigUlexecute", frmMain::mnuConfigUlexecute_Click},
    {"mnuConfigDownload", frmMain::mnuConfigDownload_Click},
    {"mnuConfigOptions", frmMain::mnuConfigOptions_Click},
    {"mnuHelpAbout", frmMain::mnuHelpAbout_Click},
};

const ClickBinding kOptionsDialogClicks[] = {
    {"cmdOK", frmOptions::cmdOK_Click},
    {"cmdCancel", frmOptions::cmdCancel_Click},
    {"cmdDefault", frmOptions::cmdDefault_Click},
    {"cbChroot", frmOptions::cbChroot_Click},
    {"cbCDFSRedir", frmOptions::cbCDFSRedir_Click},
    {"cbARP", frmOptions::cbARP_Click},
    {"cmdChroot", frmOptions::cmdChroot_Click},
    {"cmdCDFSRedir", frmOptions::cmdCDFSRedir_Click},
};

template <std::size_t N>
void BindClicks(App& app, ui::Form& form, const ClickBinding (&table)[N]) {
  for (const auto& binding : table) {
    auto handler = binding.handler;
    form.control(binding.control).onClick = [&app, handler] { handler(app); };
  }
}

}  // namespace

void BindMainWindow(App& app, ui::Form& form) {
  BindClicks(app, form, kMainWindowClicks);
  form.control("cmdExecute").tipText = [&app] { return frmMain::cmdExecute_Tip(app); };
  form.onDropFiles = [&app](const std::vector<std::string>& paths) {
    frmMain::Form_DropFiles(app, paths);
  };
  // Closing the main window by any means is its unload.
  form.onCloseRequest = [&app] { app.unloadMain(); };
}

void BindOptionsDialog(App& app, ui::Form& form) {
  BindClicks(app, form, kOptionsDialogClicks);
  form.control("cmbCOMPort").onDropDown = [&app] { frmOptions::cmbCOMPort_DropDown(app); };
  form.control("cmbBaudrate").onKeyPress = [&app](int& keyAscii) {
    frmOptions::cmbBaudrate_KeyPress(app, keyAscii);
  };
  // The dialog's controls hold the option values for the whole run, so a close request must
  // never unload it.
  form.onCloseRequest = [&app] { frmOptions::QueryClose(app); };
}

}  // namespace loadergui
