// The open, save and folder dialogs: what they offer, cancelling them, and answers that need no
// existing file or extension; and files dropped onto the main window.
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

// Files dragged from Explorer onto the window: the program reads the drop through shell32,
// which it loads only then.
void DroppedFiles(const Sandbox& box, const Environment& environment) {
  std::string first = box.path("dropped first.elf");
  std::string second = box.path("dropped second.elf");
  WriteWholeFile(first, "ELF image");
  WriteWholeFile(second, "ELF image");
  std::string folder = box.path("a folder");
  MakeFolder(folder);
  Program app(box, environment.probeLibrary);

  Step("drop two files: the first goes into the upload box");
  app.dropFiles({first, second});
  RequireEqual("upload box", first, app.text(Form::Main, "txtUpload"));
  RequireNoDialog(app);

  Step("drop a folder: refused, and the box keeps its file");
  app.dropFiles({folder});
  AnswerMessageBox(app, "Oops!", "Sorry, a folder cannot be uploaded. Please drop a file.");
  RequireEqual("upload box after the refusal", first, app.text(Form::Main, "txtUpload"));

  Step("in Download mode a dropped file goes into the download box");
  ChooseMode(app, Mode::Download);
  app.dropFiles({second});
  RequireEqual("download box", second, app.text(Form::Main, "txtDownload"));
  RequireEqual("upload box", first, app.text(Form::Main, "txtUpload"));

  Step("back in Upload and Execute mode, the dropped file is what Execute sends");
  ChooseMode(app, Mode::UploadExecute);
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("loader command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + first + "\"",
               loader.commandLine);
  app.exit();
}

// A file named in letters of no 8-bit Western code page (Japanese "nihon"): the 8-bit dialogs
// would give its name back with "?" in their place. The program hands the loader the file's
// short name instead, which names the same file; a name to be written that has no short name
// yet is refused, and the box keeps its text.
void NamesOutsideTheCodePage(const Sandbox& box, const Environment& environment) {
  const std::wstring kNihon = L"\x65E5\x672C";
  std::wstring upload = Wide(box.folder()) + L"\\" + kNihon + L" demo.elf";
  HANDLE file = CreateFileW(upload.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  Require(file != INVALID_HANDLE_VALUE, "cannot create the file with the Japanese name");
  DWORD written = 0;
  WriteFile(file, "the one file", 12, &written, nullptr);
  CloseHandle(file);
  Program app(box, environment.probeLibrary);

  Step("Browse and choose the file with the Japanese name");
  app.click(Form::Main, "cmdBrowse");
  AnswerFileDialog(app, "Open a Dreamcast binary...", upload);
  RequireNoDialog(app);
  std::string shown = app.text(Form::Main, "txtUpload");
  Require(shown.find('?') == std::string::npos, "the upload box holds " + Printable(shown));
  RequireEqual("the file the upload box names", "the one file",
               ReadWholeFile(shown).value_or("(no such file)"));

  Step("press Upload and Execute: the loader gets that name");
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("loader command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + shown + "\"",
               loader.commandLine);

  Step("in Download mode, Save as a new file with a Japanese name");
  ChooseMode(app, Mode::Download);
  app.click(Form::Main, "cmdBrowse");
  AnswerFileDialog(app, "Save file as...", Wide(box.folder()) + L"\\" + kNihon + L".bin");
  AnswerMessageBox(app, "Oops!",
                   "Sorry, the path of that file or folder holds characters that cannot be "
                   "handed to the loader. Please rename it, or choose another.");
  RequireEqual("download box", "Please select a file to download to...",
               app.text(Form::Main, "txtDownload"));
  app.exit();
}

}  // namespace

std::vector<Scenario> PickerScenarios() {
  return {
      {"main-window-pickers", MainWindowPickers},
      {"options-pickers", OptionsPickers},
      {"dropped-files", DroppedFiles},
      {"names-outside-the-code-page", NamesOutsideTheCodePage},
  };
}

}  // namespace e2e
