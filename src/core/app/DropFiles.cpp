// Files dropped onto the main window: the first one goes into the file box that is showing.
#include <string>
#include <vector>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "app/PathChecks.h"
#include "app/RecentFiles.h"
#include "ui/Control.h"

namespace loadergui {

namespace frmMain {

// Several files dropped at once: the first is taken, since one transfer moves one file. A
// refused path leaves the box with its text.
void Form_DropFiles(App& app, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  MainWindow& main = app.frmMain();
  bool upload = main.txtUpload->visible();
  const std::string& path = paths.front();
  std::string refusal = OutsidePathRefusal(app, path, upload);
  if (!refusal.empty()) {
    app.services().messages.messageBox(&main.form(), refusal, text::kOops);
    return;
  }
  (upload ? main.txtUpload : main.txtDownload)->setText(path);
  if (upload) RememberUploadFile(app, path);
}

}  // namespace frmMain

}  // namespace loadergui
