// The settings file: a hand-edited one, one the program wrote itself, and a read-only one.
#include <windows.h>

#include <string>

#include "Check.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"

namespace e2e {

namespace {

// Names in odd case, quotes, blanks, empty and over-long values, a greyed check box (2) and a
// check box that holds no number. RAVLINK in lower case is not "Serial", so it means IP.
std::string HandEditedSettings(const std::string& longFolder) {
  return "[settings]\r\n"
         "type = upload\r\n"
         "Ravlink=serial\r\n"
         "\r\n"
         "[Options]\r\n"
         "address=\"0x8c030000\"\r\n"
         "  SIZE =   0x800  \r\n"
         "DEVICE=\r\n"
         "Ip='10.1.2.3'\r\n"
         "BAUDRATE=38400\r\n"
         "arp=1\r\n"
         "ARPMAC=  aa:bb:cc:dd:ee:ff\r\n"
         "NOCONSOLE=2\r\n"
         "DUMBTERM=yes\r\n"
         "NOCLEAR=1\r\n"
         "CHROOT=1\r\n"
         "CDFS=0\r\n"
         "[chroot]\r\n"
         "dir=" +
         longFolder +
         "\r\n"
         "[CDFSREDIRECT]\r\n"
         "ISO=\r\n";
}

void HandEdited(const Sandbox& box, const Environment& environment) {
  std::string longFolder = "C:\\" + std::string(297, 'd');  // 300 characters
  std::string shortened = longFolder.substr(0, 254);
  WriteWholeFile(box.settings(), HandEditedSettings(longFolder));
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF image");
  Program app(box, environment.probeLibrary);
  Step("look at the main window");
  RequireMainWindow(app, {Variant::IP, Mode::UploadExecute, "Upload through IP, 10.1.2.3"});
  Step("look at the options dialog");
  app.openOptions();
  struct Shown {
    const char* control;
    std::string text;  // the text, or the check box's state in decimal
  };
  const Shown expected[] = {
      {"txtAddress", "0x8c030000"},
      {"txtFilesize", "0x800"},
      {"cmbCOMPort", "COM1"},
      {"cmbIP", "10.1.2.3"},
      {"cmbBaudrate", "38400"},
      {"cbARP", "1"},
      {"txtARP", "aa:bb:cc:dd:ee:ff"},
      {"cbNoConsole", "2"},
      {"cbDumbTerminal", "0"},
      {"cbNoScreenClear", "1"},
      {"cbChroot", "1"},
      {"cbCDFSRedir", "0"},
      {"txtChroot", shortened},
      {"txtCDFSRedir", "Please select an ISO image..."},
  };
  for (const Shown& value : expected) {
    bool checkBox = std::string(value.control).rfind("cb", 0) == 0;
    RequireEqual(value.control, value.text,
                 checkBox ? std::to_string(app.checkState(Form::Options, value.control))
                          : app.text(Form::Options, value.control));
  }
  Require(app.usable(Form::Options, "txtChroot"), "the chroot box is not usable");
  Require(app.usable(Form::Options, "txtARP"), "the MAC address box is not usable");
  Require(!IsWindowEnabled(app.control(Form::Options, "txtCDFSRedir")), "the ISO box is enabled");
  CancelOptions(app);

  Step("upload: the greyed No console box adds no -n");
  PickUploadFile(app, file);
  app.click(Form::Main, "cmdExecute");
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), 2);
  RequireEqual("ARP command line", "tools\\arp.exe -s 10.1.2.3 aa:bb:cc:dd:ee:ff",
               starts[0].commandLine);
  RequireEqual("loader command line",
               "tools\\ravlink-ip.exe -t 10.1.2.3 -a 0x8c030000 -q -c \"" + shortened + "\" -x \"" +
                   file + "\"",
               starts[1].commandLine);

  Step("choose File, Exit, and read what was saved");
  app.exit();
  std::vector<IniLine> lines = ReadIni(box.settings());
  struct Saved {
    const char* section;
    const char* key;
    std::string value;
  };
  const Saved saved[] = {
      {"SETTINGS", "TYPE", "Upload and &Execute"},
      {"SETTINGS", "RAVLINK", "IP"},
      {"OPTIONS", "ADDRESS", "0x8c030000"},
      {"OPTIONS", "SIZE", "0x800"},
      {"OPTIONS", "DEVICE", "COM1"},
      {"OPTIONS", "IP", "10.1.2.3"},
      {"OPTIONS", "BAUDRATE", "38400"},
      {"OPTIONS", "ARP", "1"},
      {"OPTIONS", "ARPMAC", "aa:bb:cc:dd:ee:ff"},
      {"OPTIONS", "NOCONSOLE", "2"},
      {"OPTIONS", "DUMBTERM", "0"},
      {"OPTIONS", "NOCLEAR", "1"},
      {"OPTIONS", "CHROOT", "1"},
      {"OPTIONS", "CDFS", "0"},
      {"CHROOT", "DIR", shortened},
      {"CDFSREDIRECT", "ISO", "Please select an ISO image..."},
  };
  for (const Saved& value : saved) {
    RequireEqual(value.key, value.value, IniValue(lines, value.section, value.key));
  }
}

// What the program wrote, it reads back as it was and writes again unchanged.
void SelfWrittenSurvives(const Sandbox& box, const Environment& environment) {
  std::string folder = box.path("chroot folder " + AccentedLetter());
  MakeFolder(folder);
  {
    Program app(box, environment.probeLibrary);
    Step("choose the IP loader and Upload, set options, exit");
    ChooseVariant(app, Variant::IP);
    ChooseMode(app, Mode::Upload);
    app.openOptions();
    SetOptionText(app, "txtAddress", "0x8c050000");
    SetOptionText(app, "cmbIP", "172.16.0.5");
    SetOptionBox(app, "cbNoConsole", true);
    SetOptionBox(app, "cbChroot", true);
    SetOptionText(app, "txtChroot", folder);
    ConfirmOptions(app);
    app.exit();
  }
  std::string written = ReadWholeFile(box.settings()).value_or("(none)");
  Require(written.find("DIR=" + folder + "\r\n") != std::string::npos,
          "the settings file does not hold the chroot folder in the system code page: " +
              Printable(written));
  Step("start again and exit at once");
  {
    Program app(box, environment.probeLibrary);
    RequireMainWindow(app, {Variant::IP, Mode::Upload, "Upload through IP, 172.16.0.5"});
    app.exit();
  }
  RequireEqual("settings file after a start and an exit", written,
               ReadWholeFile(box.settings()).value_or("(none)"));
}

// A read-only settings file keeps its values; a run that changed something is told at its end
// that they could not be saved, and why, and still ends; a run that changed nothing is not.
void ReadOnlySettings(const Sandbox& box, const Environment& environment) {
  Step("a first run writes the settings file; make it read-only");
  {
    Program app(box, environment.probeLibrary);
    app.exit();
  }
  std::string written = ReadWholeFile(box.settings()).value_or("(none)");
  SetReadOnly(box.settings(), true);
  Step("start, change nothing, exit: nothing to say");
  {
    Program app(box, environment.probeLibrary);
    app.exit();
  }
  Step("start, choose the IP loader, exit: the save fails and says so");
  {
    Program app(box, environment.probeLibrary);
    ChooseVariant(app, Variant::IP);
    app.choose("&File", "E&xit");
    AnswerMessageBox(app, "Oops!",
                     "Sorry, the settings could not be saved to tools\\settings.ini.\r\n" +
                         SystemSays(ERROR_ACCESS_DENIED));
    app.waitForExit();
  }
  RequireEqual("read-only settings file", written,
               ReadWholeFile(box.settings()).value_or("(none)"));
  RequireEqual("the tools folder's files",
               "arp.exe, cygintl.dll, cygwin1.dll, ravlink-ip.exe, "
               "ravlink-serial.exe, settings.ini",
               NamesIn(box.tools(), "*"));
}

// Logging off with the program open, even with the options dialog open and changed: the run's
// choices are saved as they stand, as at any close.
void EndOfSession(const Sandbox& box, const Environment& environment) {
  Program app(box, environment.probeLibrary);
  Step("choose the IP loader and Download, change options and leave the dialog open");
  ChooseVariant(app, Variant::IP);
  ChooseMode(app, Mode::Download);
  app.openOptions();
  SetOptionText(app, "txtAddress", "0x8c070000");
  SetOptionBox(app, "cbDumbTerminal", true);
  Step("the session ends");
  app.endSession();
  app.waitForExit();
  std::vector<IniLine> lines = ReadIni(box.settings());
  RequireSettingsOrder(lines);
  RequireEqual("TYPE", "&Download", IniValue(lines, "SETTINGS", "TYPE"));
  RequireEqual("RAVLINK", "IP", IniValue(lines, "SETTINGS", "RAVLINK"));
  RequireEqual("ADDRESS", "0x8c070000", IniValue(lines, "OPTIONS", "ADDRESS"));
  RequireEqual("DUMBTERM", "1", IniValue(lines, "OPTIONS", "DUMBTERM"));
}

}  // namespace

std::vector<Scenario> SettingsScenarios() {
  return {
      {"hand-edited-settings", HandEdited},
      {"self-written-settings-survive", SelfWrittenSurvives},
      {"read-only-settings-at-exit", ReadOnlySettings},
      {"end-of-session-saves", EndOfSession},
  };
}

}  // namespace e2e
