// The Execute button's tip, shown by resting the mouse pointer on the button: the command line
// a press starts, or the message it refuses with.
#include <string>
#include <vector>

#include "Check.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"
#include "Wait.h"

namespace e2e {

namespace {

struct TipSearch {
  DWORD pid;
  std::string text;
};

// Enumeration callback: keeps the text of the first shown tip window of the program. A named
// function, since the 32-bit build calls it with the stdcall convention, which a lambda lacks.
BOOL CALLBACK KeepShownTip(HWND window, LPARAM parameter) {
  auto& found = *reinterpret_cast<TipSearch*>(parameter);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (pid != found.pid || std::string(className) != "tooltips_class32" ||
      !IsWindowVisible(window)) {
    return TRUE;
  }
  char text[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &length);
  found.text = text;
  return found.text.empty();
}

// The text of a shown tip window of the program, or empty while none shows.
std::string ShownTip(Program& app) {
  TipSearch search{app.pid(), {}};
  EnumWindows(KeepShownTip, reinterpret_cast<LPARAM>(&search));
  return search.text;
}

// Moves the pointer off the window, then onto the middle of the Execute button, and waits for
// the tip to show; its text is what the user reads.
std::string RestPointerOnExecute(Program& app) {
  RECT bounds{};
  GetWindowRect(app.control(Form::Main, "cmdExecute"), &bounds);
  SetCursorPos(0, 0);
  Require(WaitUntil([&] { return ShownTip(app).empty(); }), "the tip stays after the pointer left");
  // Two moves onto the button, one pixel apart: the second is the movement the tip waits for
  // to rest, whatever the first one found.
  int x = (bounds.left + bounds.right) / 2, y = (bounds.top + bounds.bottom) / 2;
  SetCursorPos(x, y);
  app.sync();
  SetCursorPos(x + 1, y);
  std::string tip;
  Require(WaitUntil([&] { return !(tip = ShownTip(app)).empty(); }),
          "no tip shows while the pointer rests on the Execute button");
  return tip;
}

void TipShowsTheNextPress(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "elf");
  Program app(box, environment.probeLibrary);

  Step("choose Download and rest the pointer on the button with no file chosen");
  ChooseMode(app, Mode::Download);
  RequireEqual("tip", "You must save a file to download to.", RestPointerOnExecute(app));

  Step("choose Upload and Execute, pick a file, rest the pointer on the button");
  ChooseMode(app, Mode::UploadExecute);
  PickUploadFile(app, file);
  std::string expected =
      "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + file + "\"";
  RequireEqual("tip", expected, RestPointerOnExecute(app));
  RequireNothingStarted(app, box, 0);

  Step("press the button: the loader gets the line the tip showed");
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("loader command line", expected, loader.commandLine);
  SetCursorPos(0, 0);
  app.exit();
}

// With the IP loader gone, the tip says it cannot be started, and a press says so too without
// running the ARP step first, which would block the window for a loader that cannot follow.
void LoaderGoneRunsNoArp(const Sandbox& box, const Environment& environment) {
  const std::string kNotStarted =
      "Sorry, tools\\ravlink-ip.exe could not be started!\r\n" + SystemSays(ERROR_FILE_NOT_FOUND);
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "elf");
  Program app(box, environment.probeLibrary);
  Step("choose the IP loader and tick ARP with a MAC address");
  ChooseVariant(app, Variant::IP);
  app.openOptions();
  SetOptionBox(app, "cbARP", true);
  SetOptionText(app, "txtARP", "00:11:22:33:44:55");
  ConfirmOptions(app);
  PickUploadFile(app, file);
  Step("delete tools\\ravlink-ip.exe and rest the pointer on the button");
  DeleteOneFile(box.tools() + "\\ravlink-ip.exe");
  RequireEqual("tip", kNotStarted, RestPointerOnExecute(app));
  SetCursorPos(0, 0);
  Step("press the button");
  app.click(Form::Main, "cmdExecute");
  AnswerMessageBox(app, "Oops!", kNotStarted);
  RequireNothingStarted(app, box, 0);
  app.exit();
}

}  // namespace

std::vector<Scenario> TipScenarios() {
  return {{"tip-shows-what-a-press-starts", TipShowsTheNextPress},
          {"loader-gone-runs-no-arp-and-the-tip-says-so", LoaderGoneRunsNoArp}};
}

}  // namespace e2e
