// Files dropped onto the main window: the first one goes into the file box that is showing.
#include <string>
#include <vector>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "ui/Control.h"

namespace loadergui {

namespace frmMain {

// Several files dropped at once: the first is taken, since one transfer moves one file. A
// folder can neither be sent nor written to, so it is refused and the box keeps its text, as it
// does for a path the platform could not write in its 8-bit code page (it comes empty).
void Form_DropFiles(App& app, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  MainWindow& main = app.frmMain();
  bool upload = main.txtUpload->visible();
  const std::string& path = paths.front();
  if (path.empty()) {
    app.services().messages.messageBox(&main.form(), text::kNameNotPassable, text::kOops);
    return;
  }
  if (app.services().files.isFolder(path)) {
    app.services().messages.messageBox(
        &main.form(),
        upload ? "Sorry, a folder cannot be uploaded. Please drop a file."
               : "Sorry, a folder cannot be downloaded to. Please drop a file.",
        text::kOops);
    return;
  }
  (upload ? main.txtUpload : main.txtDownload)->setText(path);
}

}  // namespace frmMain

}  // namespace loadergui
