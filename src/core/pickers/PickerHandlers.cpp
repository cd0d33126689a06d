// The Browse buttons: each fills its text box from a picker, or leaves it alone on cancel.
#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "pickers/BrowseFolder.h"
#include "pickers/FileDialog.h"

namespace loadergui {

namespace frmMain {

// The Browse button's own caption chooses: "&Browse" picks a file to upload, any other caption
// a file to download into.
void cmdBrowse_Click(App& app) {
  ui::Form& main = app.frmMain();
  bool upload = main.control("cmdBrowse").text() == text::kBrowse;
  auto path = RunFileDialog(app, upload ? kUploadFileUse : kDownloadFileUse);
  if (path) main.control(upload ? "txtUpload" : "txtDownload").setText(*path);
}

}  // namespace frmMain

namespace frmOptions {

void cmdChroot_Click(App& app) {
  auto path = BrowseForChrootFolder(app);
  if (path) app.frmOptions().control("txtChroot").setText(*path);
}

void cmdCDFSRedir_Click(App& app) {
  auto path = RunFileDialog(app, kIsoImageUse);
  if (path) app.frmOptions().control("txtCDFSRedir").setText(*path);
}

}  // namespace frmOptions

}  // namespace loadergui
