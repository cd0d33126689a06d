// A file handed to the program from outside: its command line, or a second start of it.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "app/PathChecks.h"
#include "app/RecentFiles.h"
#include "app/SubRoutines.h"
#include "ui/Control.h"

namespace loadergui {

namespace frmMain {

// The file is one to upload: in Download the window first returns to the upload mode in force
// before it. A file that is not there is refused now, with the Execute command's words, rather
// than at the next press, which may come from a build script that expects this file to go. A
// refused file leaves the window as it was; a taken one heads the recent files.
bool Form_OpenFile(App& app, const std::string& path) {
  std::string refusal = OutsidePathRefusal(app, path, true);
  if (refusal.empty() && !app.services().files.findFile(path, platform::SearchFor::OrdinaryFiles)) {
    refusal = text::kNoSuchFile;
  }
  MainWindow& main = app.frmMain();
  if (!refusal.empty()) {
    app.services().messages.messageBox(&main.form(), refusal, text::kOops);
    return false;
  }
  ReturnToUploadMode(app);
  main.txtUpload->setText(path);
  RememberUploadFile(app, path);
  return true;
}

}  // namespace frmMain

}  // namespace loadergui
