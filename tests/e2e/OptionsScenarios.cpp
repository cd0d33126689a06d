// The options dialog: OK with its two path tests, Default then Cancel, the baud-rate filter, a
// confirmed change reaching the settings file only at exit, and a restart.
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

constexpr char kNoChroot[] = "Sorry, that Chroot folder does not exist!";
constexpr char kNoIso[] = "Sorry, that ISO image does not exist!";

// Controls whose enabled state follows a check box.
const char* const kDependents[] = {"txtChroot", "cmdChroot", "txtCDFSRedir", "cmdCDFSRedir",
                                   "txtARP"};

// Every option value and dependent enabled state of the dialog, as one comparable text.
std::string OptionsOnScreen(Program& app) {
  std::string seen;
  for (const OptionControl& option : kOptionControls) {
    std::string name(option.control);
    seen += name + "=" +
            (option.checkBox ? std::to_string(app.checkState(Form::Options, name))
                             : "'" + Printable(app.text(Form::Options, name)) + "'") +
            " ";
  }
  for (const char* dependent : kDependents) {
    seen += std::string(dependent) +
            (IsWindowEnabled(app.control(Form::Options, dependent)) ? ":enabled " : ":disabled ");
  }
  return seen;
}

void RequireDialogShown(Program& app) {
  Require(IsWindowVisible(app.options()) != FALSE, "the options dialog has closed");
}

void OkPathTests(const Sandbox& box, const Environment& environment) {
  std::string folder = box.path("root folder");
  MakeFolder(folder);
  std::string iso = box.path("image.iso");
  WriteWholeFile(iso, "ISO");
  Program app(box, environment.probeLibrary);
  app.openOptions();
  Step("tick Chroot and CDFS Redirection, keep the prompts, press OK");
  SetOptionBox(app, "cbChroot", true);
  SetOptionBox(app, "cbCDFSRedir", true);
  for (const char* dependent : {"txtChroot", "cmdChroot", "txtCDFSRedir", "cmdCDFSRedir"}) {
    Require(app.usable(Form::Options, dependent), std::string(dependent) + " is not usable");
  }
  Require(!app.takesInput(Form::Main), "the main window takes input behind the options dialog");
  app.click(Form::Options, "cmdOK");
  WaitForMessageBox(app);
  Require(!app.takesInput(Form::Options), "the options dialog takes input behind the message");
  AnswerMessageBox(app, "Oops!", kNoChroot);
  RequireDialogShown(app);
  Step("name an existing folder for Chroot, press OK");
  SetOptionText(app, "txtChroot", folder);
  app.click(Form::Options, "cmdOK");
  AnswerMessageBox(app, "Oops!", kNoIso);
  RequireDialogShown(app);
  Step("name a folder for the ISO image, press OK");
  SetOptionText(app, "txtCDFSRedir", folder);
  app.click(Form::Options, "cmdOK");
  AnswerMessageBox(app, "Oops!", kNoIso);
  RequireDialogShown(app);
  Step("name an existing file for both, press OK");
  SetOptionText(app, "txtChroot", iso);
  SetOptionText(app, "txtCDFSRedir", iso);
  ConfirmOptions(app);
  RequireNoDialog(app);
  Require(!FileExists(box.settings()), "OK wrote the settings file");
  Step("untick both, give paths that do not exist, press OK");
  app.openOptions();
  SetOptionText(app, "txtChroot", box.path("nowhere"));
  SetOptionText(app, "txtCDFSRedir", box.path("nothing.iso"));
  SetOptionBox(app, "cbChroot", false);
  SetOptionBox(app, "cbCDFSRedir", false);
  ConfirmOptions(app);
  RequireNoDialog(app);
  app.exit();
}

// A settings file with a value other than the default for every option.
const char kOwnOptions[] =
    "[SETTINGS]\r\nTYPE=Upload and &Execute\r\nRAVLINK=Serial\r\n"
    "[OPTIONS]\r\nADDRESS=0x8c001000\r\nSIZE=0x2000\r\nDEVICE=COM2\r\nIP=10.0.0.9\r\n"
    "BAUDRATE=9600\r\nARP=1\r\nARPMAC=01:02:03:04:05:06\r\nNOCONSOLE=1\r\nDUMBTERM=1\r\n"
    "NOCLEAR=1\r\nCHROOT=1\r\nCDFS=0\r\n[CHROOT]\r\nDIR=C:\\chroot\r\n"
    "[CDFSREDIRECT]\r\nISO=C:\\game.iso\r\n";

void DefaultThenCancel(const Sandbox& box, const Environment& environment) {
  WriteWholeFile(box.settings(), kOwnOptions);
  Program app(box, environment.probeLibrary);
  app.openOptions();
  RequireCentredFixedWindow(app.options(), "the options dialog");
  RequireEqual("control with the focus", "cmdOK", app.focus());
  std::string opened = OptionsOnScreen(app);
  Step("press Default");
  app.click(Form::Options, "cmdDefault");
  RequireDialogShown(app);
  RequireEqual("options after Default",
               "txtAddress='0x8c010000' txtFilesize='0' cmbCOMPort='COM1' cmbIP='192.168.0.0' "
               "cmbBaudrate='115200' cbARP=0 txtARP='Set MAC address' cbNoConsole=0 "
               "cbDumbTerminal=0 cbNoScreenClear=0 cbChroot=0 cbCDFSRedir=0 "
               "txtChroot='Please select a folder...' "
               "txtCDFSRedir='Please select an ISO image...' txtChroot:disabled "
               "cmdChroot:disabled txtCDFSRedir:disabled cmdCDFSRedir:disabled "
               "txtARP:disabled ",
               OptionsOnScreen(app));
  Step("press Cancel and open the dialog again");
  CancelOptions(app);
  app.openOptions();
  RequireEqual("options after Default and Cancel", opened, OptionsOnScreen(app));
  Step("press Default, then Esc, and open the dialog again");
  app.click(Form::Options, "cmdDefault");
  app.pressKey(VK_ESCAPE);
  Require(WaitUntil([&] { return !IsWindowVisible(app.options()); }),
          "Esc did not close the options dialog");
  app.openOptions();
  RequireEqual("options after Default and Esc", opened, OptionsOnScreen(app));
  Step("press Default, then the dialog's close box, and open the dialog again");
  app.click(Form::Options, "cmdDefault");
  app.closeBox(Form::Options);
  Require(WaitUntil([&] { return !IsWindowVisible(app.options()); }),
          "the close box did not close the options dialog");
  app.openOptions();
  RequireEqual("options after Default and the close box", opened, OptionsOnScreen(app));
  CancelOptions(app);
  RequireMainWindow(app, {Variant::Serial, Mode::UploadExecute,
                          "Upload through the serial port, COM2 at 9600bps"});
  app.exit();
}

void BaudRateFilter(const Sandbox& box, const Environment& environment) {
  Program app(box, environment.probeLibrary);
  app.openOptions();
  Step("clear the baud rate and type \"5a7.6b00\"");
  app.paste(Form::Options, "cmbBaudrate", "");
  app.type(Form::Options, "cmbBaudrate", "5a7.6b00");
  RequireEqual("baud rate", "57600", app.text(Form::Options, "cmbBaudrate"));
  Step("type \"1\" and Backspace");
  app.type(Form::Options, "cmbBaudrate", "1");
  RequireEqual("baud rate", "576001", app.text(Form::Options, "cmbBaudrate"));
  app.type(Form::Options, "cmbBaudrate", "\b");
  RequireEqual("baud rate", "57600", app.text(Form::Options, "cmbBaudrate"));
  Step("type letters into the device box, which has no filter");
  app.paste(Form::Options, "cmbCOMPort", "");
  app.type(Form::Options, "cmbCOMPort", "ttyS0");
  RequireEqual("device", "ttyS0", app.text(Form::Options, "cmbCOMPort"));
  Step("press Enter in the baud-rate box");
  app.clickInto(Form::Options, "cmbBaudrate");
  app.pressKey(VK_RETURN);
  Require(WaitUntil([&] { return !IsWindowVisible(app.options()); }),
          "Enter did not close the options dialog");
  app.sync();
  RequireMainWindow(app, {Variant::Serial, Mode::UploadExecute,
                          "Upload through the serial port, ttyS0 at 57600bps"});
  app.exit();
}

void OkReachesFileAtExit(const Sandbox& box, const Environment& environment) {
  Step("a first run writes the settings file");
  {
    Program first(box, environment.probeLibrary);
    first.exit();
  }
  std::string before = ReadWholeFile(box.settings()).value_or("");
  Program app(box, environment.probeLibrary);
  Step("change the address and tick No console, press OK");
  app.openOptions();
  SetOptionText(app, "txtAddress", "0x8c008000");
  SetOptionBox(app, "cbNoConsole", true);
  ConfirmOptions(app);
  ChooseMode(app, Mode::Download);
  RequireEqual("settings file after OK", before, ReadWholeFile(box.settings()).value_or(""));
  Step("close the main window with its close box");
  app.closeBox(Form::Main);
  app.waitForExit();
  std::vector<IniLine> lines = ReadIni(box.settings());
  RequireSettingsOrder(lines);
  RequireEqual("ADDRESS", "0x8c008000", IniValue(lines, "OPTIONS", "ADDRESS"));
  RequireEqual("NOCONSOLE", "1", IniValue(lines, "OPTIONS", "NOCONSOLE"));
  RequireEqual("TYPE", "&Download", IniValue(lines, "SETTINGS", "TYPE"));
}

void RestartKeepsChoices(const Sandbox& box, const Environment& environment) {
  std::string folder = box.path("chroot");
  MakeFolder(folder);
  std::string chosen;
  {
    Program app(box, environment.probeLibrary);
    Step("choose the IP loader and Download, set options, exit");
    ChooseVariant(app, Variant::IP);
    ChooseMode(app, Mode::Download);
    app.openOptions();
    SetOptionText(app, "txtAddress", "0x8c0a0000");
    SetOptionText(app, "txtFilesize", "0x1234");
    SetOptionText(app, "cmbIP", "10.0.0.7");
    SetOptionBox(app, "cbARP", true);
    SetOptionText(app, "txtARP", "de:ad:be:ef:00:01");
    SetOptionBox(app, "cbNoScreenClear", true);
    SetOptionBox(app, "cbChroot", true);
    app.click(Form::Options, "cmdChroot");
    AnswerFolderBrowser(app, folder);
    ConfirmOptions(app);
    app.openOptions();
    chosen = OptionsOnScreen(app);
    CancelOptions(app);
    app.exit();
  }
  Step("start again");
  Program app(box, environment.probeLibrary);
  RequireMainWindow(app, {Variant::IP, Mode::Download, "Download through IP, 10.0.0.7"});
  app.openOptions();
  RequireEqual("options after the restart", chosen, OptionsOnScreen(app));
  RequireEqual("options dialog title", "Ravlink IP Confirguration Options",
               app.caption(Form::Options));
  RequireEqual("device label", "Set an IP (Default: 192.168.0.0)",
               app.text(Form::Options, "lblCOMPort"));
  for (const char* shown : {"cmbIP", "cbARP", "txtARP"}) {
    Require(app.shown(Form::Options, shown), std::string(shown) + " is hidden");
  }
  for (const char* hidden : {"cmbCOMPort", "cmbBaudrate"}) {
    Require(!app.shown(Form::Options, hidden), std::string(hidden) + " is shown");
  }
  CancelOptions(app);
  app.exit();
}

// The items of a combo box's list, as its drop-down shows them. Asked in UTF-16: Wine hands an
// ANSI request from another process the UTF-16 text.
std::string ListedItems(HWND combo) {
  std::string listed;
  LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    wchar_t item[256] = {};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) >= 256) continue;
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
    listed += listed.empty() ? "" : " ";
    for (const wchar_t* letter = item; *letter; ++letter) listed += static_cast<char>(*letter);
  }
  return listed;
}

// The Wine prefix of the run has a serial port COM7 (scripts/test-e2e.sh): the device list
// offers it after the four standard ports, and picking it sends the loader there.
void DeviceListOffersPortsPresent(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "elf");
  Program app(box, environment.probeLibrary);
  app.openOptions();
  Step("drop the device list down, as a click on its arrow does");
  HWND combo = app.control(Form::Options, "cmbCOMPort");
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  app.sync();
  RequireEqual("device list", "COM1 COM2 COM3 COM4 COM7", ListedItems(combo));
  Step("pick COM7 and press OK");
  SendMessageA(combo, CB_SETCURSEL, 4, 0);
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  app.sync();
  RequireEqual("device", "COM7", app.text(Form::Options, "cmbCOMPort"));
  ConfirmOptions(app);
  Step("upload a file through COM7");
  ChooseMode(app, Mode::Upload);
  PickUploadFile(app, file);
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("loader command line",
               "tools\\ravlink-serial.exe -t COM7 -b 115200 -a 0x8c010000 -u \"" + file + "\"",
               loader.commandLine);
  app.exit();
}

}  // namespace

std::vector<Scenario> OptionsScenarios() {
  return {
      {"options-ok-path-tests", OkPathTests},
      {"options-default-then-cancel", DefaultThenCancel},
      {"options-baud-rate-filter", BaudRateFilter},
      {"options-ok-reaches-file-at-exit", OkReachesFileAtExit},
      {"restart-keeps-choices", RestartKeepsChoices},
      {"device-list-offers-ports-present", DeviceListOffersPortsPresent},
  };
}

}  // namespace e2e
