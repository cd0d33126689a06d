// Refused inputs: each message, and that nothing started; and a loader that cannot be started.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Check.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"

namespace e2e {

namespace {

constexpr char kNoSuchFile[] = "Sorry, that file does not exist!";
constexpr char kNoDownloadFile[] = "You must save a file to download to.";
constexpr char kNoSize[] = "You must set the file size before downloading.";
constexpr char kQuoteInName[] = "Sorry, a file name cannot contain a double quote (\").";

struct RefusalRow {
  const char* name;
  Variant variant;
  Mode mode;
  bool arpTicked;  // an ARP step that must not run either
  // Texts set in the options dialog; the file size stays "0x0" unless one sets it.
  std::vector<std::pair<const char*, const char*>> texts;
  // What the user leaves in the mode's file box, given the scenario's folder.
  std::function<void(Program&, const Sandbox&)> fileBox;
  const char* message;
};

void KeepPrompt(Program&, const Sandbox&) {}

// An upload file that exists, typed into the box.
void UploadDemo(Program& app, const Sandbox& box) {
  WriteWholeFile(box.path("demo.elf"), "ELF image");
  app.paste(Form::Main, "txtUpload", box.path("demo.elf"));
}

// clang-format off
const RefusalRow kRefusals[] = {
    {"refuse-upload-prompt", Variant::Serial, Mode::Upload, false, {}, KeepPrompt, kNoSuchFile},
    {"refuse-upload-execute-missing-file", Variant::Serial, Mode::UploadExecute, false, {},
     [](Program& app, const Sandbox& box) {
       app.paste(Form::Main, "txtUpload", box.path("no such file.elf"));
     },
     kNoSuchFile},
    {"refuse-ip-upload-of-a-folder", Variant::IP, Mode::UploadExecute, true, {},
     [](Program& app, const Sandbox& box) { app.paste(Form::Main, "txtUpload", box.tools()); },
     kNoSuchFile},
    {"refuse-download-prompt-before-size", Variant::Serial, Mode::Download, false, {},
     KeepPrompt, kNoDownloadFile},
    {"refuse-download-empty-box", Variant::IP, Mode::Download, true, {{"txtFilesize", "0x400"}},
     [](Program& app, const Sandbox&) { app.paste(Form::Main, "txtDownload", ""); },
     kNoDownloadFile},
    {"refuse-download-size-0x0", Variant::IP, Mode::Download, true, {},
     [](Program& app, const Sandbox& box) {
       app.paste(Form::Main, "txtDownload", box.path("target.bin"));
     },
     kNoSize},
    // A quote would end the quoted target early and hand the rest to the loader as options.
    {"refuse-download-name-with-quote", Variant::IP, Mode::Download, true,
     {{"txtFilesize", "0x400"}},
     [](Program& app, const Sandbox& box) {
       app.paste(Form::Main, "txtDownload", box.path("a\" -u \"b.bin"));
     },
     kQuoteInName},
    // A quote would swallow the pieces after it, the download target among them, into one
    // argument.
    {"refuse-size-with-a-quote", Variant::IP, Mode::Download, true,
     {{"txtFilesize", "0x400 \"-u"}},
     [](Program& app, const Sandbox& box) {
       app.paste(Form::Main, "txtDownload", box.path("target.bin"));
     },
     "Sorry, the file size cannot contain a double quote (\")."},
    // The ARP tool would have been run with a value the quote split.
    {"refuse-mac-address-with-a-quote", Variant::IP, Mode::UploadExecute, true,
     {{"txtARP", "00:11\"22:33"}}, UploadDemo,
     "Sorry, the MAC address cannot contain a double quote (\")."},
    // The loader would match it against the program's folder, or read a file named after the @.
    {"refuse-address-with-a-wildcard", Variant::Serial, Mode::UploadExecute, false,
     {{"txtAddress", "0x8c01*"}}, UploadDemo,
     "Sorry, the address cannot contain *, ?, [, {, }, ( or )."},
    {"refuse-device-word-starting-with-at", Variant::Serial, Mode::Upload, false,
     {{"cmbCOMPort", "COM1 @args.txt"}}, UploadDemo,
     "Sorry, the serial device cannot start with @ or ~, nor can any part of it after a blank."},
};
// clang-format on

void Refusal(const Sandbox& box, const Environment& environment, const RefusalRow& row) {
  Program app(box, environment.probeLibrary);
  Step("choose the loader and the mode");
  ChooseVariant(app, row.variant);
  ChooseMode(app, row.mode);
  if (row.arpTicked || !row.texts.empty()) {
    Step("set the options");
    app.openOptions();
    if (row.arpTicked) SetOptionBox(app, "cbARP", true);
    for (const auto& [control, text] : row.texts) SetOptionText(app, control, text);
    ConfirmOptions(app);
  }
  Step("fill the file box");
  row.fileBox(app, box);
  Step("press the Execute button");
  app.click(Form::Main, "cmdExecute");
  WaitForMessageBox(app);
  Require(!app.takesInput(Form::Main), "the main window takes input behind the message box");
  AnswerMessageBox(app, "Oops!", row.message);
  RequireNothingStarted(app, box, 0);
  Require(app.takesInput(Form::Main), "the main window takes no input afterwards");
  app.exit();
}

// With a loader gone after start-up, the program says so, and why, and keeps running.
void MissingLoader(const Sandbox& box, const Environment& environment) {
  const std::string kNotStarted = "Sorry, tools\\ravlink-serial.exe could not be started!\r\n" +
                                  SystemSays(ERROR_FILE_NOT_FOUND);
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF image");
  Program app(box, environment.probeLibrary);
  Step("delete tools\\ravlink-serial.exe while the program runs");
  app.main();
  DeleteOneFile(box.tools() + "\\ravlink-serial.exe");
  PickUploadFile(app, file);
  Step("press the Execute button");
  app.click(Form::Main, "cmdExecute");
  AnswerMessageBox(app, "Oops!", kNotStarted);
  RequireNothingStarted(app, box, 0);
  Step("dump the BIOS with the serial loader gone: the message comes before the save dialog");
  app.choose("&File", "Download &BIOS");
  AnswerMessageBox(app, "Oops!", kNotStarted);
  RequireNothingStarted(app, box, 0);
  Step("go on working: choose the IP loader and upload");
  ChooseVariant(app, Variant::IP);
  RequireMainWindow(app, {Variant::IP, Mode::UploadExecute, "Upload through IP, 192.168.0.0"});
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("loader command line",
               "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -x \"" + file + "\"",
               loader.commandLine);
  app.exit();
}

}  // namespace

std::vector<Scenario> RefusalScenarios() {
  std::vector<Scenario> scenarios;
  for (const RefusalRow& row : kRefusals) {
    scenarios.push_back({row.name, [&row](const Sandbox& box, const Environment& environment) {
                           Refusal(box, environment, row);
                         }});
  }
  scenarios.push_back({"missing-loader-reported", MissingLoader});
  return scenarios;
}

}  // namespace e2e
