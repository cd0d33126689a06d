// The Config menu's commands: one procedure call each.
#include "app/App.h"
#include "app/SubRoutines.h"

namespace loadergui {

void frmMain::mnuRavlinkSerial_Click(App& app) {
  SelectSerialLoader(app);
}
void frmMain::mnuRavlinkIP_Click(App& app) {
  SelectIPLoader(app);
}
void frmMain::mnuConfigUpload_Click(App& app) {
  SetUploadMode(app);
}
void frmMain::mnuConfigUlexecute_Click(App& app) {
  SetUploadExecuteMode(app);
}
void frmMain::mnuConfigDownload_Click(App& app) {
  SetDownloadMode(app);
}

// The dialog is shown modally and returns here once OK or Cancel has hidden it.
void frmMain::mnuConfigOptions_Click(App& app) {
  SaveOptionSnapshot(app);
  app.frmOptions().showModal(app.frmMain());
}

}  // namespace loadergui
