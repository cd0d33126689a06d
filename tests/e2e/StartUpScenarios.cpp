// Start-up and shutdown: the first run, the required-file check, a renamed program, a start
// from another drive.
#include <string>

#include "Check.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"

namespace e2e {

namespace {

const MainState kFirstRun{Variant::Serial, Mode::UploadExecute,
                          "Upload through the serial port, COM1 at 115200bps"};

// A settings file the required-file check must leave alone: it is neither read nor written.
const char kOwnSettings[] =
    "[SETTINGS]\r\nTYPE=&Download\r\nRAVLINK=IP\r\n[OPTIONS]\r\nADDRESS=0x8c000100\r\n";

void FirstRun(const Sandbox& box, const Environment& environment) {
  Step("start the program in a folder without settings");
  Program app(box, environment.probeLibrary);
  Step("look at the main window");
  RequireMainWindow(app, kFirstRun);
  RequireEqual("upload box", "Please select a file to upload...",
               app.text(Form::Main, "txtUpload"));
  RequireEqual("download box", "Please select a file to download to...",
               app.text(Form::Main, "txtDownload"));
  RequireEqual("control with the focus", "cmdBrowse", app.focus());
  RequireCentredFixedWindow(app.main(), "the main window");
  RequireClientSize(app.main(), "main window", 4455, 2085);
  RequireClientSize(app.options(), "options dialog", 5190, 5535);
  Require(!IsWindowVisible(app.options()), "the options dialog is shown at start-up");
  RequireEqual("options dialog title", "Ravlink Serial Confirguration Options",
               app.caption(Form::Options));
  Require(!FileExists(box.settings()), "a settings file exists before the first exit");

  Step("choose File, Exit");
  app.exit();
  Step("read the settings file the exit wrote");
  std::vector<IniLine> lines = ReadIni(box.settings());
  RequireSettingsOrder(lines);
  RequireEqual("TYPE", "Upload and &Execute", IniValue(lines, "SETTINGS", "TYPE"));
  RequireEqual("RAVLINK", "Serial", IniValue(lines, "SETTINGS", "RAVLINK"));
  for (const OptionControl& option : kOptionControls) {
    RequireEqual(std::string(option.key), std::string(option.startDefault),
                 IniValue(lines, std::string(option.section), std::string(option.key)));
  }
}

struct MissingFileRow {
  const char* name;
  const char* file;  // in the tools folder
  enum { Deleted, Folder, Hidden } how;
};

const MissingFileRow kMissingFiles[] = {
    {"missing-cygintl", "cygintl.dll", MissingFileRow::Deleted},
    {"missing-cygwin1", "cygwin1.dll", MissingFileRow::Deleted},
    {"missing-serial-loader", "ravlink-serial.exe", MissingFileRow::Deleted},
    {"missing-ip-loader", "ravlink-ip.exe", MissingFileRow::Deleted},
    {"cygintl-is-a-folder", "cygintl.dll", MissingFileRow::Folder},
    {"hidden-ip-loader", "ravlink-ip.exe", MissingFileRow::Hidden},
};

void RequiredFileMissing(const Sandbox& box, const Environment& environment,
                         const MissingFileRow& row) {
  Step(std::string("take away tools\\") + row.file);
  WriteWholeFile(box.settings(), kOwnSettings);
  std::string path = box.tools() + "\\" + row.file;
  if (row.how == MissingFileRow::Hidden) {
    SetHidden(path);
  } else {
    DeleteOneFile(path);
    if (row.how == MissingFileRow::Folder) MakeFolder(path);
  }
  Step("start the program");
  Program app(box, environment.probeLibrary);
  MessageBoxSeen message = WaitForMessageBox(app);
  for (HWND window : app.shownWindows()) {
    Require(ClassName(window) != "LoaderGuiForm",
            "a program window is shown: '" + Printable(WindowText(window)) + "'");
  }
  Step("read and dismiss the message");
  AnswerMessageBox(app, "Oops!", "A required file(s) was not found!");
  app.waitForExit();
  RequireEqual("settings file", kOwnSettings, ReadWholeFile(box.settings()).value_or("(none)"));
}

void ArpMissing(const Sandbox& box, const Environment& environment) {
  Step("take away tools\\arp.exe and start the program");
  DeleteOneFile(box.tools() + "\\arp.exe");
  Program app(box, environment.probeLibrary);
  RequireMainWindow(app, kFirstRun);
  Step("choose File, Exit");
  app.exit();
}

// The check looks for the running program's own base name with ".exe"; under another name it
// is skipped and the program starts even without its tools folder.
void RenamedProgram(const Sandbox& box, const Environment& environment) {
  Step("rename the program to loader-gui.bin and take away the tools folder");
  CopyOneFile(box.program(), box.path("loader-gui.bin"));
  DeleteOneFile(box.program());
  Require(RemoveTree(box.tools()), "cannot remove the tools folder");
  Step("start loader-gui.bin");
  StartOptions options;
  options.executable = "loader-gui.bin";
  Program app(box, environment.probeLibrary, options);
  RequireMainWindow(app, kFirstRun);
  Step("choose File, Exit, with nowhere to write the settings: the program says so and ends");
  app.choose("&File", "E&xit");
  MessageBoxSeen said = WaitForMessageBox(app);
  const std::string kNotSaved =
      "Sorry, the settings could not be saved to tools\\settings.ini.\r\n";
  RequireEqual("title", "Oops!", said.title);
  Require(said.text.rfind(kNotSaved, 0) == 0 && said.text.size() > kNotSaved.size(),
          "the message is not that the settings could not be saved, with a reason: " +
              Printable(said.text));
  PressOk(app, said);
  app.waitForExit();
  Require(!FolderExists(box.tools()), "the exit created a tools folder");
}

// The program makes its own folder the current directory: the check finds its tools and a
// loader runs there, whatever directory it was started from.
void StartFromOtherDrive(const Sandbox& box, const Environment& environment) {
  Require(!environment.otherDrive.empty(), "there is no second drive to start from");
  Step("start the program with the current directory " + environment.otherDrive);
  StartOptions options;
  options.currentDirectory = environment.otherDrive;
  Program app(box, environment.probeLibrary, options);
  RequireMainWindow(app, kFirstRun);
  Step("pick a file and press Upload and Execute");
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF");
  PickUploadFile(app, file);
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("loader command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + file + "\"",
               loader.commandLine);
  Step("choose File, Exit");
  app.exit();
}

// A portable tool often lives on a stick: the program in a drive's root, started from another
// folder of that drive. Its folder becomes current as the root, so the required-file check,
// a relative file name and the loader all work from there, and the settings land beside it.
void ProgramOnADriveRoot(const Sandbox&, const Environment& environment) {
  Require(!environment.rootDrive.empty(),
          "no drive letter is mapped to a folder of its own for this scenario (--root-drive)");
  Sandbox root(environment.layout, environment.rootDrive);
  std::string elsewhere = root.path("elsewhere");
  MakeFolder(elsewhere);
  WriteWholeFile(root.path("demo.elf"), "ELF image");
  StartOptions options;
  options.currentDirectory = elsewhere;

  Step("take away tools\\cygintl.dll and start from " + elsewhere);
  DeleteOneFile(root.tools() + "\\cygintl.dll");
  {
    Program app(root, environment.probeLibrary, options);
    AnswerMessageBox(app, "Oops!", "A required file(s) was not found!");
    app.waitForExit();
  }
  Step("put it back, start again from " + elsewhere + " and upload demo.elf by that name");
  WriteWholeFile(root.tools() + "\\cygintl.dll", "placeholder\r\n");
  Program app(root, environment.probeLibrary, options);
  RequireMainWindow(app, kFirstRun);
  app.paste(Form::Main, "txtUpload", "demo.elf");
  app.click(Form::Main, "cmdExecute");
  ToolCall loader = WaitForStarts(root.tools(), 1).back();
  RequireEqual("the loader's current directory", root.folder() + "\\", loader.currentDirectory);
  RequireEqual("loader command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"demo.elf\"",
               loader.commandLine);
  Step("choose File, Exit: the settings go beside the program");
  app.exit();
  Require(FileExists(root.settings()), "no settings file in " + root.tools());
  Require(!FileExists(elsewhere + "\\tools\\settings.ini"), "the settings went to " + elsewhere);
  root.finish(false);
}

}  // namespace

std::vector<Scenario> StartUpScenarios() {
  std::vector<Scenario> scenarios = {{"first-run-defaults", FirstRun}};
  for (const MissingFileRow& row : kMissingFiles) {
    scenarios.push_back({row.name, [row](const Sandbox& box, const Environment& environment) {
                           RequiredFileMissing(box, environment, row);
                         }});
  }
  scenarios.push_back({"missing-arp-starts-normally", ArpMissing});
  scenarios.push_back({"renamed-program-skips-check", RenamedProgram});
  scenarios.push_back({"start-from-other-drive", StartFromOtherDrive});
  scenarios.push_back({"program-on-a-drive-root", ProgramOnADriveRoot});
  return scenarios;
}

}  // namespace e2e
