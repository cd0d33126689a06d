// The BIOS and flash dumps through the save dialog, and a cancelled save.
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

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

struct DumpRow {
  const char* name;
  Variant variant;
  const char* menuItem;
  const char* offeredName;  // what the save dialog offers
  bool switchesTicked;      // the three switch boxes, and options the dumps leave out
  const char* commandLine;  // with {file}
  long long size;
  // After the dump: the upload of "demo.elf", named without a folder, found in the program's
  // folder whatever folder the save dialog left current; nullptr to skip.
  const char* relativeUpload;
};

const DumpRow kDumps[] = {
    {"bios-dump-serial", Variant::Serial, "Download &BIOS", "dc_bios.bin", false,
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x0 -s 0x200000 -d \"{file}\"", 0x200000,
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"demo.elf\""},
    {"flash-dump-ip-with-switches", Variant::IP, "Download &Flash", "dc_flash.bin", true,
     "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x200000 -n -p -q -s 0x20000 -d \"{file}\"", 0x20000,
     nullptr},
};

void Dump(const Sandbox& box, const Environment& environment, const DumpRow& row) {
  std::string folder = box.path("dumps");
  MakeFolder(folder);
  std::string file = folder + "\\" + row.offeredName;
  Program app(box, environment.probeLibrary);
  ChooseVariant(app, row.variant);
  if (row.switchesTicked) {
    Step("tick the switches, and options that dumps leave out");
    app.openOptions();
    for (const char* control :
         {"cbNoConsole", "cbDumbTerminal", "cbNoScreenClear", "cbChroot", "cbARP"}) {
      SetOptionBox(app, control, true);
    }
    SetOptionText(app, "txtChroot", box.tools());
    SetOptionText(app, "txtAddress", "0x8c004000");
    ConfirmOptions(app);
  }
  Step(std::string("choose File, ") + row.menuItem);
  app.choose("&File", row.menuItem);
  HWND dialog = WaitForDialog(app, "Save file as...");
  RequireEqual("offered file name", row.offeredName, TrimRight(FileNameField(dialog)));
  RequireEqual("file type", "All Files (*.*)", FileTypeShown(dialog));
  Step("save into another folder");
  AnswerFileDialog(app, "Save file as...", file);
  ToolCall loader = WaitForStarts(box.tools(), 1)[0];
  RequireEqual("dump command line", Fill(row.commandLine, "file", file), loader.commandLine);
  Step("wait for the loader to write the dump");
  Require(WaitUntil([&] { return EndOf(ReadToolLog(box.tools()), loader) != nullptr; }),
          "the loader did not end");
  RequireEqual("size of the dump", row.size, FileSize(file));
  RequireNothingStarted(app, box, 1);
  if (row.relativeUpload) {
    Step("type \"demo.elf\" into the upload box and press Execute");
    WriteWholeFile(box.path("demo.elf"), "ELF image");
    app.paste(Form::Main, "txtUpload", "demo.elf");
    ToolCall upload = ExecuteAndWaitForLoader(app, box, 1, 1);
    RequireEqual("upload command line", row.relativeUpload, upload.commandLine);
  }
  app.exit();
}

void CancelledDumps(const Sandbox& box, const Environment& environment) {
  Program app(box, environment.probeLibrary);
  for (const char* item : {"Download &BIOS", "Download &Flash"}) {
    Step(std::string("choose File, ") + item + ", then Cancel");
    app.choose("&File", item);
    CancelDialog(app, WaitForDialog(app, "Save file as..."));
    RequireNoDialog(app);
    RequireNothingStarted(app, box, 0);
  }
  app.exit();
}

}  // namespace

std::vector<Scenario> DumpScenarios() {
  std::vector<Scenario> scenarios;
  for (const DumpRow& row : kDumps) {
    scenarios.push_back({row.name, [&row](const Sandbox& box, const Environment& environment) {
                           Dump(box, environment, row);
                         }});
  }
  scenarios.push_back({"dumps-cancelled", CancelledDumps});
  return scenarios;
}

}  // namespace e2e
