// The Config menu's commands: one procedure call each.
#include "app/App.h"
#include "app/Handlers.h"
#include "app/SubRoutines.h"

namespace loadergui {

namespace frmMain {

void mnuRavlinkSerial_Click(App& app) {
  SelectSerialLoader(app);
}
void mnuRavlinkIP_Click(App& app) {
  SelectIPLoader(app);
}
void mnuConfigUpload_Click(App& app) {
  SetUploadMode(app);
}
void mnuConfigUlexecute_Click(App& app) {
  SetUploadExecuteMode(app);
}
void mnuConfigDownload_Click(App& app) {
  SetDownloadMode(app);
}

// The dialog is shown modally and returns here once OK or Cancel has hidden it.
void mnuConfigOptions_Click(App& app) {
  SaveOptionSnapshot(app);
  app.frmOptions().form().showModal(app.frmMain().form());
}

}  // namespace frmMain

}  // namespace loadergui
