// The open, save and folder dialogs: what they offer, cancelling them, and answers that need no
// existing file or extension.
#include <string>

#include "Check.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"
#include "Wait.h"

namespace e2e {

namespace {

void MainWindowPickers(const Sandbox& box, const Environment& environment) {
  std::string existing = box.path("exists.bin");
  WriteWholeFile(existing, "old content");
  Program app(box, environment.probeLibrary);

  Step("type a name, then Browse and Cancel");
  app.paste(Form::Main, "txtUpload", "typed.bin");
  app.click(Form::Main, "cmdBrowse");
  HWND open = WaitForDialog(app, "Open a Dreamcast binary...");
  RequireEqual("file type", "Dreamcast binaries (*.bin, *.elf, *.srec)", FileTypeShown(open));
  CancelDialog(app, open);
  RequireEqual("upload box after Cancel", "typed.bin", app.text(Form::Main, "txtUpload"));
  RequireNoDialog(app);

  Step("Browse and give a file that does not exist yet");
  PickUploadFile(app, box.path("later.elf"));

  Step("in Download mode, Save and Cancel");
  ChooseMode(app, Mode::Download);
  app.click(Form::Main, "cmdBrowse");
  HWND save = WaitForDialog(app, "Save file as...");
  RequireEqual("file type", "All Files (*.*)", FileTypeShown(save));
  CancelDialog(app, save);
  RequireEqual("download box after Cancel", "Please select a file to download to...",
               app.text(Form::Main, "txtDownload"));

  Step("Save a name without an extension");
  PickDownloadFile(app, box.path("no extension"));
  Step("Save over an existing file: no question is asked");
  PickDownloadFile(app, existing);
  RequireNoDialog(app);
  Step("back in Upload mode, the upload box still holds its file");
  ChooseMode(app, Mode::Upload);
  RequireEqual("upload box", box.path("later.elf"), app.text(Form::Main, "txtUpload"));
  app.exit();
}

void OptionsPickers(const Sandbox& box, const Environment& environment) {
  std::string folder = box.path("picked folder");
  MakeFolder(folder);
  Program app(box, environment.probeLibrary);
  app.openOptions();
  SetOptionBox(app, "cbChroot", true);
  SetOptionBox(app, "cbCDFSRedir", true);

  Step("Browse for the chroot folder and Cancel");
  app.click(Form::Options, "cmdChroot");
  HWND browser = WaitForDialog(app, "Browse for Folder");
  Require(WaitUntil([&] { return DialogShowsText(browser, "Select a Chroot folder..."); }),
          "the folder browser does not say \"Select a Chroot folder...\"");
  CancelDialog(app, browser);
  RequireEqual("chroot box after Cancel", "Please select a folder...",
               app.text(Form::Options, "txtChroot"));

  Step("Browse for the ISO image and Cancel");
  app.click(Form::Options, "cmdCDFSRedir");
  HWND open = WaitForDialog(app, "Select an ISO image...");
  RequireEqual("file type", "ISO images (*.iso)", FileTypeShown(open));
  CancelDialog(app, open);
  RequireEqual("ISO box after Cancel", "Please select an ISO image...",
               app.text(Form::Options, "txtCDFSRedir"));
  RequireNoDialog(app);

  Step("pick a chroot folder, then Cancel the options dialog");
  app.click(Form::Options, "cmdChroot");
  AnswerFolderBrowser(app, folder);
  RequireEqual("chroot box", folder, app.text(Form::Options, "txtChroot"));
  CancelOptions(app);
  app.openOptions();
  RequireEqual("chroot box after Cancel", "Please select a folder...",
               app.text(Form::Options, "txtChroot"));
  RequireEqual("Chroot to path after Cancel", 0, app.checkState(Form::Options, "cbChroot"));
  CancelOptions(app);
  app.exit();
}

}  // namespace

std::vector<Scenario> PickerScenarios() {
  return {
      {"main-window-pickers", MainWindowPickers},
      {"options-pickers", OptionsPickers},
  };
}

}  // namespace e2e
