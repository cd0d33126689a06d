// A loader started before that still runs: a press that would start the same loader asks first;
// Yes ends it (its console closes) and starts the new one, No starts alongside, Cancel starts
// nothing, the ARP step included.
#include <string>
#include <vector>

#include "Check.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"
#include "Wait.h"

namespace e2e {

namespace {

// Longer than any scenario: the loaders run until the program or the driver ends them.
constexpr unsigned kLoadersStay = 60000;

constexpr char kSerialQuestion[] =
    "The serial loader started before is still running and may hold COM1. End it and start the "
    "new one?";
constexpr char kIpQuestion[] =
    "The IP loader started before is still running and may hold the console's connection. End "
    "it and start the new one?";

// The title of a stand-in loader's console window (src/standin/StandIn.h).
std::string ConsoleTitle(const ToolCall& start) {
  return start.tool + " (stand-in) " + start.pid;
}

// The first loader, started by a press and kept running by the sleep file, with its console up.
ToolCall StartStayingLoader(Program& app, const Sandbox& box) {
  Step("press Execute: the loader starts and stays");
  ToolCall first = ExecuteAndWaitForLoader(app, box, 0, 1);
  Require(WaitUntil([&] { return FindWindowA(nullptr, ConsoleTitle(first).c_str()) != nullptr; }),
          "no console window titled " + ConsoleTitle(first));
  return first;
}

// The question, as the user reads it: the main window's caption, the text, three buttons, no
// icon.
MessageBoxSeen WaitForQuestion(Program& app, const std::string& text) {
  MessageBoxSeen box = WaitForMessageBox(app);
  RequireEqual("question title", app.caption(Form::Main), box.title);
  RequireEqual("question text", text, box.text);
  RequireEqual("question buttons", "[&Yes][&No][Cancel]", box.buttons);
  Require(!box.icon, "the question shows an icon");
  return box;
}

void RequireRuns(const ToolCall& loader, const Sandbox& box) {
  Require(!ProcessGone(loader) && !EndOf(ReadToolLog(box.tools()), loader),
          "the loader " + loader.pid + " no longer runs: " + DescribeLog(ReadToolLog(box.tools())));
}

// Yes: the loader started before is ended, its console closes, and only then the new one
// starts.
void YesEndsTheLoaderStartedBefore(const Sandbox& box, const Environment& environment) {
  box.setToolSleep(kLoadersStay);
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF image");
  Program app(box, environment.probeLibrary);
  PickUploadFile(app, file);
  ToolCall first = StartStayingLoader(app, box);
  HWND console = FindWindowA(nullptr, ConsoleTitle(first).c_str());

  Step("press Execute again and answer Yes");
  app.clickWithoutWaiting(Form::Main, "cmdExecute");
  MessageBoxSeen question = WaitForQuestion(app, kSerialQuestion);
  RequireNothingStarted(app, box, 1);
  PressButton(app, question, IDYES);
  ToolCall second = WaitForStarts(box.tools(), 2)[1];
  RequireEqual("the new loader's command line", first.commandLine, second.commandLine);
  Require(ProcessGone(first), "the loader started before still runs beside the new one");
  Require(!EndOf(ReadToolLog(box.tools()), first), "the loader started before ran to its end");
  Require(WaitUntil([&] { return !IsWindow(console) || !IsWindowVisible(console); }),
          "the console of the loader started before stayed open");
  RequireRuns(second, box);
  RequireNoDialog(app);
  EndRunningTools(box.tools());
  app.exit();
}

// No: a dump starts beside the loader still running; both run.
void NoStartsADumpAlongside(const Sandbox& box, const Environment& environment) {
  box.setToolSleep(kLoadersStay);
  std::string file = box.path("demo.elf");
  std::string dump = box.path("bios.bin");
  WriteWholeFile(file, "ELF image");
  Program app(box, environment.probeLibrary);
  PickUploadFile(app, file);
  ToolCall first = StartStayingLoader(app, box);

  Step("choose File, Download BIOS, save, and answer No");
  app.choose("&File", "Download &BIOS");
  AnswerFileDialog(app, "Save file as...", dump);
  MessageBoxSeen question = WaitForQuestion(app, kSerialQuestion);
  RequireNothingStarted(app, box, 1);
  PressButton(app, question, IDNO);
  ToolCall second = WaitForStarts(box.tools(), 2)[1];
  RequireEqual("dump command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x0 -s 0x200000 -d \"" + dump + "\"",
               second.commandLine);
  RequireRuns(first, box);
  RequireRuns(second, box);
  RequireNoDialog(app);
  EndRunningTools(box.tools());
  app.exit();
}

// Cancel: nothing starts, not even the ARP step that the press would run first.
void CancelStartsNothing(const Sandbox& box, const Environment& environment) {
  box.setToolSleep(kLoadersStay);
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF image");
  Program app(box, environment.probeLibrary);
  ChooseVariant(app, Variant::IP);
  PickUploadFile(app, file);
  ToolCall first = StartStayingLoader(app, box);

  Step("tick ARP with a MAC address");
  app.openOptions();
  SetOptionBox(app, "cbARP", true);
  SetOptionText(app, "txtARP", "00:11:22:33:44:55");
  ConfirmOptions(app);
  Step("press Execute again and answer Cancel");
  app.clickWithoutWaiting(Form::Main, "cmdExecute");
  MessageBoxSeen question = WaitForQuestion(app, kIpQuestion);
  PressButton(app, question, IDCANCEL);
  RequireNoDialog(app);
  RequireNothingStarted(app, box, 1);
  RequireRuns(first, box);
  EndRunningTools(box.tools());
  app.exit();
}

}  // namespace

std::vector<Scenario> RunningLoaderScenarios() {
  return {
      {"running-loader-yes-ends-it", YesEndsTheLoaderStartedBefore},
      {"running-loader-no-dump-alongside", NoStartsADumpAlongside},
      {"running-loader-cancel-starts-nothing", CancelStartsNothing},
  };
}

}  // namespace e2e
