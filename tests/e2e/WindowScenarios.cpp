// The main window itself: the About box, the variant and mode switches, Enter in a file box.
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

// Lines 7 and 8 (the author and the web page) are the program's own; the rest is fixed.
const char* const kAboutLines[] = {
    "This is a GUI for the programming tool Ravlink.",
    "",
    "It supports all of Ravlink's command-line parameters",
    "with support for uploading, uploading then executing,",
    "and downloading.",
    "",
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

void AboutBox(const Sandbox& box, const Environment& environment) {
  Program app(box, environment.probeLibrary);
  Step("choose Help, About");
  app.choose("&Help", "&About ");
  MessageBoxSeen about = WaitForMessageBox(app);
  RequireEqual("title", "About", about.title);
  RequireEqual("buttons", "[OK]", about.buttons);
  Require(!about.icon, "the About box shows an icon");
  Require(!app.takesInput(Form::Main), "the main window takes input behind the About box");
  std::vector<std::string> lines = SplitLines(about.text);
  RequireEqual("lines in the About text", 8, static_cast<long long>(lines.size()));
  for (std::size_t i = 0; i < std::size(kAboutLines); ++i) {
    RequireEqual("About line " + std::to_string(i + 1), kAboutLines[i], lines[i]);
  }
  const std::string& author = lines[6];
  Require(author.find(" (") != std::string::npos && author.find('@') != std::string::npos &&
              author.back() == ')',
          "About line 7 is not a name with an e-mail address in parentheses: '" +
              Printable(author) + "'");
  Require(!lines[7].empty(), "About line 8 (the web page) is empty");
  Step("dismiss the About box");
  PressOk(app, about);
  RequireMainWindow(app, {Variant::Serial, Mode::UploadExecute,
                          "Upload through the serial port, COM1 at 115200bps"});
  app.exit();
}

void VariantAndModeSwitches(const Sandbox& box, const Environment& environment) {
  Program app(box, environment.probeLibrary);
  Step("type a file name into the upload box");
  app.paste(Form::Main, "txtUpload", "first.bin");
  Step("choose Download");
  ChooseMode(app, Mode::Download);
  RequireMainWindow(app, {Variant::Serial, Mode::Download,
                          "Download through the serial port, COM1 at 115200bps"});
  Step("choose Ravlink IP in Download mode");
  ChooseVariant(app, Variant::IP);
  RequireMainWindow(app, {Variant::IP, Mode::Download, "Download through IP, 192.168.0.0"});
  RequireEqual("options dialog title", "Ravlink IP Confirguration Options",
               app.caption(Form::Options));
  Step("choose Ravlink IP again");
  ChooseVariant(app, Variant::IP);
  RequireMainWindow(app, {Variant::IP, Mode::Download, "Download through IP, 192.168.0.0"});
  Step("choose Upload");
  ChooseMode(app, Mode::Upload);
  RequireMainWindow(app, {Variant::IP, Mode::Upload, "Upload through IP, 192.168.0.0"});
  RequireEqual("upload box after Download and back", "first.bin",
               app.text(Form::Main, "txtUpload"));
  Step("choose Upload again");
  ChooseMode(app, Mode::Upload);
  RequireMainWindow(app, {Variant::IP, Mode::Upload, "Upload through IP, 192.168.0.0"});
  Step("choose Ravlink Serial and Upload and Execute");
  ChooseVariant(app, Variant::Serial);
  ChooseMode(app, Mode::UploadExecute);
  RequireMainWindow(app, {Variant::Serial, Mode::UploadExecute,
                          "Upload through the serial port, COM1 at 115200bps"});
  RequireEqual("options dialog title", "Ravlink Serial Confirguration Options",
               app.caption(Form::Options));
  app.exit();
}

// Enter presses the button with the focus, and Execute from a file box.
void EnterKey(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("enter.bin");
  WriteWholeFile(file, "binary");
  Program app(box, environment.probeLibrary);
  Step("press Enter with the focus on Browse, as at start-up");
  RequireEqual("control with the focus", "cmdBrowse", app.focus());
  app.pressKey(VK_RETURN);
  AnswerFileDialog(app, "Open a Dreamcast binary...", file);
  RequireEqual("upload box", file, app.text(Form::Main, "txtUpload"));
  RequireNothingStarted(app, box, 0);
  Step("click into the upload box and press Enter");
  app.clickInto(Form::Main, "txtUpload");
  app.pressKey(VK_RETURN);
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), 1);
  RequireEqual("loader command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + file + "\"",
               starts[0].commandLine);
  app.exit();
}

// Tab walks the controls in their tab order, past hidden and disabled ones.
void TabOrder(const Sandbox& box, const Environment& environment) {
  Program app(box, environment.probeLibrary);
  auto tabTo = [&](const char* expected) { app.tabTo(expected); };
  Step("press Tab around the main window in Upload and Execute mode");
  RequireEqual("control with the focus", "cmdBrowse", app.focus());
  for (const char* control : {"txtUpload", "cmdExecute", "cmdBrowse"}) tabTo(control);
  Step("press Tab around the main window in Download mode");
  ChooseMode(app, Mode::Download);
  for (const char* control : {"cmdExecute", "txtDownload", "cmdBrowse"}) tabTo(control);
  Step("press Tab around the options dialog");
  app.openOptions();
  RequireEqual("control with the focus", "cmdOK", app.focus());
  for (const char* control :
       {"cmdCancel", "cmdDefault", "txtAddress", "txtFilesize", "cmbCOMPort", "cmbBaudrate",
        "cbNoConsole", "cbDumbTerminal", "cbNoScreenClear", "cbChroot", "cbCDFSRedir", "cmdOK"}) {
    tabTo(control);
  }
  Step("press Esc");
  app.pressKey(VK_ESCAPE);
  Require(WaitUntil([&] { return !IsWindowVisible(app.options()); }),
          "Esc did not close the options dialog");
  app.exit();
}

// The access keys of the buttons and the menus, and Space on a check box.
void AccessKeys(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("keys.bin");
  WriteWholeFile(file, "binary");
  Program app(box, environment.probeLibrary);
  Step("Alt+C, I: choose Ravlink IP from the keyboard");
  app.chooseByKeyboard('c', 'i');
  RequireMainWindow(app, {Variant::IP, Mode::UploadExecute, "Upload through IP, 192.168.0.0"});
  Step("Alt+C, D: choose Download; Alt+S: press Save");
  app.chooseByKeyboard('c', 'd');
  RequireMainWindow(app, {Variant::IP, Mode::Download, "Download through IP, 192.168.0.0"});
  app.pressAltKey('s');
  CancelDialog(app, WaitForDialog(app, "Save file as..."));
  Step("Space on the No console box");
  Require(app.bringToFront(Form::Main), "the main window did not come back after Cancel");
  app.openOptions();
  // With the IP loader the device and baud-rate boxes are hidden and Tab passes them by.
  for (const char* control :
       {"cmdCancel", "cmdDefault", "txtAddress", "txtFilesize", "cbNoConsole"}) {
    app.tabTo(control);
  }
  app.pressKey(VK_SPACE);
  Require(WaitUntil([&] { return app.checkState(Form::Options, "cbNoConsole") == 1; }),
          "Space left No console at state " +
              std::to_string(app.checkState(Form::Options, "cbNoConsole")));
  CancelOptions(app);
  // Last, since the loader's window takes the keyboard focus away from the program.
  Step("Alt+C, E: choose Upload and Execute; Alt+E: press the Execute button");
  app.chooseByKeyboard('c', 'e');
  // The menu closes before its command has run; the upload box shows once it has.
  Require(WaitUntil([&] { return app.shown(Form::Main, "txtUpload"); }),
          "Upload and Execute did not show the upload box");
  app.paste(Form::Main, "txtUpload", file);
  app.pressAltKey('e');
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), 1);
  RequireEqual("loader command line",
               "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -x \"" + file + "\"",
               starts[0].commandLine);
  app.exit();
}

}  // namespace

std::vector<Scenario> WindowScenarios() {
  return {
      {"about-box", AboutBox},
      {"variant-and-mode-switches", VariantAndModeSwitches},
      {"enter-in-file-box-executes", EnterKey},
      {"keyboard-tab-order", TabOrder},
      {"keyboard-access-keys", AccessKeys},
  };
}

}  // namespace e2e
