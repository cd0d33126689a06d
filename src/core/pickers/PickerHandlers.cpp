// The Browse buttons: each fills its text box from a picker, or leaves it alone on cancel.
#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "app/RecentFiles.h"
#include "pickers/BrowseFolder.h"
#include "pickers/FileDialog.h"

namespace loadergui {

namespace frmMain {

// The Browse button's own caption chooses: "&Browse" picks a file to upload, any other caption
// a file to download into.
void cmdBrowse_Click(App& app) {
  MainWindow& main = app.frmMain();
  bool upload = main.cmdBrowse->text() == text::kBrowse;
  auto path = RunFileDialog(app, upload ? kUploadFileUse : kDownloadFileUse);
  if (!path) return;
  (upload ? main.txtUpload : main.txtDownload)->setText(*path);
  if (upload) RememberUploadFile(app, *path);
}

}  // namespace frmMain

namespace frmOptions {

void cmdChroot_Click(App& app) {
  auto path = BrowseForChrootFolder(app);
  if (path) app.frmOptions().txtChroot->setText(*path);
}

void cmdCDFSRedir_Click(App& app) {
  auto path = RunFileDialog(app, kIsoImageUse);
  if (path) app.frmOptions().txtCDFSRedir->setText(*path);
}

}  // namespace frmOptions

}  // namespace loadergui
