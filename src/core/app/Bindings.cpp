// Which handler each control runs: one table per window.
#include "app/Bindings.h"

#include <string>
#include <vector>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"

namespace loadergui {

namespace {

template <typename Window>
struct ClickBinding {
  ui::Control* Window::*control;
  void (*handler)(App&);
};

const ClickBinding<MainWindow> kMainWindowClicks[] = {
    {&MainWindow::cmdBrowse, frmMain::cmdBrowse_Click},
    {&MainWindow::cmdExecute, frmMain::cmdExecute_Click},
    {&MainWindow::mnuBIOS, frmMain::mnuBIOS_Click},
    {&MainWindow::mnuFlash, frmMain::mnuFlash_Click},
    {&MainWindow::mnuFileExit, frmMain::mnuFileExit_Click},
    {&MainWindow::mnuRavlinkSerial, frmMain::mnuRavlinkSerial_Click},
    {&MainWindow::mnuRavlinkIP, frmMain::mnuRavlinkIP_Click},
    {&MainWindow::mnuConfigUpload, frmMain::mnuConfigUpload_Click},
    {&MainWindow::mnuConfigUlexecute, frmMain::mnuConfigUlexecute_Click},
    {&MainWindow::mnuConfigDownload, frmMain::mnuConfigDownload_Click},
    {&MainWindow::mnuConfigOptions, frmMain::mnuConfigOptions_Click},
    {&MainWindow::mnuHelpAbout, frmMain::mnuHelpAbout_Click},
};

const ClickBinding<OptionsDialog> kOptionsDialogClicks[] = {
    {&OptionsDialog::cmdOK, frmOptions::cmdOK_Click},
    {&OptionsDialog::cmdCancel, frmOptions::cmdCancel_Click},
    {&OptionsDialog::cmdDefault, frmOptions::cmdDefault_Click},
    {&OptionsDialog::cbChroot, frmOptions::cbChroot_Click},
    {&OptionsDialog::cbCDFSRedir, frmOptions::cbCDFSRedir_Click},
    {&OptionsDialog::cbARP, frmOptions::cbARP_Click},
    {&OptionsDialog::cmdChroot, frmOptions::cmdChroot_Click},
    {&OptionsDialog::cmdCDFSRedir, frmOptions::cmdCDFSRedir_Click},
};

// The recent files' entries share one handler, which takes the entry's place in the list.
struct RecentBinding {
  ui::Control* MainWindow::*control;
  int index;
};

const RecentBinding kRecentFileClicks[] = {
    {&MainWindow::mnuRecent1, 0}, {&MainWindow::mnuRecent2, 1}, {&MainWindow::mnuRecent3, 2},
    {&MainWindow::mnuRecent4, 3}, {&MainWindow::mnuRecent5, 4}, {&MainWindow::mnuRecent6, 5},
    {&MainWindow::mnuRecent7, 6}, {&MainWindow::mnuRecent8, 7},
};

template <typename Window, std::size_t N>
void BindClicks(App& app, Window& window, const ClickBinding<Window> (&table)[N]) {
  for (const auto& binding : table) {
    auto handler = binding.handler;
    (window.*binding.control)->onClick = [&app, handler] { handler(app); };
  }
}

}  // namespace

void BindMainWindow(App& app, MainWindow& window) {
  BindClicks(app, window, kMainWindowClicks);
  for (const auto& binding : kRecentFileClicks) {
    int index = binding.index;
    (window.*binding.control)->onClick = [&app, index] { frmMain::mnuRecent_Click(app, index); };
  }
  window.cmdExecute->tipText = [&app] { return frmMain::cmdExecute_Tip(app); };
  window.cmdExecute->setContextCommands({{text::kCopyCommandLine,
                                          {ui::kCtrl | ui::kShift, 'C'},
                                          [&app] { frmMain::cmdExecute_CopyCommandLine(app); }}});
  window.form().onDropFiles = [&app](const std::vector<std::string>& paths) {
    frmMain::Form_DropFiles(app, paths);
  };
  // Closing the main window by any means is its unload, the end of the session included, when
  // no close request comes and the process simply ends: the run's settings are saved from the
  // controls as they stand, the options dialog's too if it is open.
  window.form().onCloseRequest = [&app] { app.unloadMain(); };
  window.form().onEndSession = [&app] { app.endSession(); };
}

void BindOptionsDialog(App& app, OptionsDialog& dialog) {
  BindClicks(app, dialog, kOptionsDialogClicks);
  dialog.cmbCOMPort->onDropDown = [&app] { frmOptions::cmbCOMPort_DropDown(app); };
  dialog.cmbBaudrate->onKeyPress = [&app](int& keyAscii) {
    frmOptions::cmbBaudrate_KeyPress(app, keyAscii);
  };
  // The dialog's controls hold the option values for the whole run, so a close request must
  // never unload it.
  dialog.form().onCloseRequest = [&app] { frmOptions::QueryClose(app); };
}

}  // namespace loadergui
