// The Execute button's tip, shown by resting the mouse pointer on the button: the command line
// a press starts, or the message it refuses with; and Copy Command Line, which puts that line
// on the clipboard from the button's context menu or with Ctrl+Shift+C.
#include <functional>
#include <string>
#include <vector>

#include "Check.h"
#include "Clipboard.h"
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

bool MenuOpen(Program& app) {
  for (HWND window : app.shownWindows()) {
    if (ClassName(window) == "#32768") return true;
  }
  return false;
}

// The keyboard on the Execute button: into the upload box, then Tab.
void FocusExecute(Program& app) {
  app.clickInto(Form::Main, "txtUpload");
  app.tabTo("cmdExecute");
}

std::wstring InCodePage(const std::string& text) {
  int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

void RequireCopied(const std::string& what, const std::string& expected) {
  RequireEqual("the clipboard's text after " + what, expected,
               ClipboardText().value_or("(no text)"));
  Require(ClipboardWideText() == InCodePage(expected),
          "the clipboard's wide text after " + what + " is not the same line");
}

// Each way to the button's menu opens it; its access key copies the line the tip shows, in both
// the 8-bit and the wide form (the name has an accented letter and two blanks); Ctrl+Shift+C
// copies it from anywhere in the window. A refused press copies nothing and says why.
void CopyCommandLine(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("d" + AccentedLetter() + "mo  1.elf");
  WriteWholeFile(file, "elf");
  Program app(box, environment.probeLibrary);
  Step("put the file's path into the upload box");
  app.paste(Form::Main, "txtUpload", file);
  std::string expected =
      "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + file + "\"";

  struct Way {
    const char* what;
    std::function<void()> openMenu;
  };
  const Way ways[] = {
      {"the right mouse button", [&] { app.rightClick(Form::Main, "cmdExecute"); }},
      {"Shift+F10",
       [&] {
         FocusExecute(app);
         app.pressChord({VK_SHIFT}, VK_F10, "Shift+F10");
       }},
      {"the menu key",
       [&] {
         FocusExecute(app);
         app.pressChord({}, VK_APPS, "the menu key");
       }},
  };
  for (const Way& way : ways) {
    EmptyTheClipboard();
    Step(std::string("open the Execute button's context menu by ") + way.what);
    way.openMenu();
    Require(WaitUntil([&] { return MenuOpen(app); }), std::string(way.what) + " opened no menu");
    Step("choose Copy Command Line by its access key");
    app.typeKey('C');
    Require(WaitUntil([&] { return !MenuOpen(app); }), "the menu stayed open");
    app.sync();
    Require(!MenuOpen(app), "a second menu opened");
    RequireCopied(way.what, expected);
  }

  Step("press Ctrl+Shift+C in the upload box");
  EmptyTheClipboard();
  app.clickInto(Form::Main, "txtUpload");
  app.pressChord({VK_CONTROL, VK_SHIFT}, 'C', "Ctrl+Shift+C");
  app.sync();
  RequireCopied("Ctrl+Shift+C", expected);
  RequireNothingStarted(app, box, 0);

  Step("press Ctrl+Shift+C with a file that is not there");
  app.paste(Form::Main, "txtUpload", box.path("nothere.elf"));
  EmptyTheClipboard();
  app.pressChord({VK_CONTROL, VK_SHIFT}, 'C', "Ctrl+Shift+C");
  AnswerMessageBox(app, "Oops!", "Sorry, that file does not exist!");
  Require(!ClipboardText(), "a refused press put text on the clipboard");
  RequireNothingStarted(app, box, 0);
  app.exit();
}

}  // namespace

std::vector<Scenario> TipScenarios() {
  return {{"tip-shows-what-a-press-starts", TipShowsTheNextPress},
          {"loader-gone-runs-no-arp-and-the-tip-says-so", LoaderGoneRunsNoArp},
          {"copy-command-line", CopyCommandLine}};
}

}  // namespace e2e
