// A file handed to the program on its command line, as Explorer, a build script or an IDE's
// tool entry hands it: into the upload box, refused, executed at once, or handed by a second
// start to the program already running from the same folder.
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

const char kUploadPrompt[] = "Please select a file to upload...";
const char kSerialHead[] = "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000";
const MainState kUploadExecute{Variant::Serial, Mode::UploadExecute,
                               "Upload through the serial port, COM1 at 115200bps"};

StartOptions StartedWith(std::vector<std::wstring> arguments, std::string currentDirectory = {}) {
  StartOptions options;
  options.arguments = std::move(arguments);
  options.currentDirectory = std::move(currentDirectory);
  return options;
}

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && GetMenu(window) && ClassName(window) == "LoaderGuiForm") {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  }
  return TRUE;
}

// Main windows of the program shown on the screen, whichever process they belong to.
std::size_t MainWindowsShown() {
  std::vector<HWND> found;
  EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&found));
  return found.size();
}

// A second start that hands its file over ends by itself, having shown no window.
void RequireHandedOver(Program& second) {
  second.waitForExit();
  RequireEqual("the second start's exit code", 0, second.exitCode());
  RequireEqual("main windows on the screen", 1, static_cast<long long>(MainWindowsShown()));
}

// Started from the folder build\ beside the program, as a build script in it starts the program,
// with the settings of a last run in Download mode: the relative name is taken from build\ and
// goes into the upload box in full, and the window shows the upload mode.
void FileOnTheCommandLine(const Sandbox& box, const Environment& environment) {
  MakeFolder(box.path("build"));
  WriteWholeFile(box.path("build\\demo.elf"), "ELF");
  WriteWholeFile(box.settings(), "[SETTINGS]\r\nTYPE=&Download\r\nRAVLINK=Serial\r\n");
  Step("start the program from build\\ with the argument demo.elf");
  Program app(box, environment.probeLibrary, StartedWith({L"demo.elf"}, box.path("build")));
  RequireMainWindow(app, kUploadExecute);
  RequireEqual("upload box", box.path("build\\demo.elf"), app.text(Form::Main, "txtUpload"));
  RequireNoDialog(app);
  RequireNothingStarted(app, box, 0);
  app.exit();
}

// A name of no 8-bit Western code page (Japanese "nihon") reaches the box, and the loader, as
// the file's short name.
void NameOutsideTheCodePage(const Sandbox& box, const Environment& environment) {
  std::wstring file = Wide(box.folder()) + L"\\\x65E5\x672C demo.elf";
  HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  Require(created != INVALID_HANDLE_VALUE, "cannot create the file with the Japanese name");
  CloseHandle(created);
  wchar_t shortName[MAX_PATH] = {};
  Require(GetShortPathNameW(file.c_str(), shortName, MAX_PATH) > 0, "the file has no short name");
  Step("start the program with --execute and the Japanese name");
  Program app(box, environment.probeLibrary, StartedWith({L"--execute", file}));
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), 1);
  std::string passed = app.text(Form::Main, "txtUpload");
  Require(passed.find('?') == std::string::npos, "the box shows '" + Printable(passed) + "'");
  Require(Wide(passed) == shortName,
          "the box shows '" + Printable(passed) + "', not the short name");
  RequireEqual("loader command line", std::string(kSerialHead) + " -x \"" + passed + "\"",
               starts.back().commandLine);
  app.exit();
}

void ExecuteOnTheCommandLine(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("demo build.elf");
  WriteWholeFile(file, "ELF");
  Step("start the program with --execute and a file");
  Program app(box, environment.probeLibrary, StartedWith({L"--execute", Wide(file)}));
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), 1);
  RequireEqual("the loader's current directory", box.folder(), starts.back().currentDirectory);
  RequireEqual("loader command line", std::string(kSerialHead) + " -x \"" + file + "\"",
               starts.back().commandLine);
  RequireEqual("upload box", file, app.text(Form::Main, "txtUpload"));
  app.exit();
}

struct RefusedLine {
  const char* name;
  std::vector<std::wstring> arguments;  // "{box}" stands for the scenario's folder
  const char* message;
};

const RefusedLine kRefusedLines[] = {
    {"command-line-folder-refused",
     {L"--execute", L"{box}\\tools"},
     "Sorry, a folder cannot be uploaded. Please drop a file."},
    {"command-line-missing-file-refused",
     {L"--execute", L"{box}\\gone.elf"},
     "Sorry, that file does not exist!"},
    {"command-line-two-files-refused",
     {L"--execute", L"{box}\\a.elf", L"{box}\\b.elf"},
     "Sorry, only one file can be handed to the program at a time."},
    {"command-line-unknown-option-refused",
     {L"--run", L"{box}\\a.elf"},
     "Sorry, the option \"--run\" is not known. The program takes the name of one file, and "
     "--execute to upload and execute it at once."},
};

// The refusal shows over the main window; once dismissed, the program runs on with its box as
// it was, and nothing has been started, --execute or not.
void RefusedCommandLine(const Sandbox& box, const Environment& environment,
                        const RefusedLine& line) {
  WriteWholeFile(box.path("a.elf"), "ELF");
  WriteWholeFile(box.path("b.elf"), "ELF");
  std::vector<std::wstring> arguments;
  for (std::wstring argument : line.arguments) {
    std::size_t at = argument.find(L"{box}");
    if (at != std::wstring::npos) argument.replace(at, 5, Wide(box.folder()));
    arguments.push_back(argument);
  }
  Step("start the program with a line it cannot follow");
  Program app(box, environment.probeLibrary, StartedWith(arguments));
  AnswerMessageBox(app, "Oops!", line.message);
  Step("look at the program after the refusal");
  RequireMainWindow(app, kUploadExecute);
  RequireEqual("upload box", kUploadPrompt, app.text(Form::Main, "txtUpload"));
  RequireNothingStarted(app, box, 0);
  app.exit();
}

// The required-file check ends the program before the file is looked at.
void MissingLoaderFirst(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF");
  DeleteOneFile(box.tools() + "\\ravlink-serial.exe");
  Step("start the program without its serial loader, with --execute and a file");
  Program app(box, environment.probeLibrary, StartedWith({L"--execute", Wide(file)}));
  AnswerMessageBox(app, "Oops!", "A required file(s) was not found!");
  app.waitForExit();
  Require(!FileExists(box.settings()), "a settings file was written");
}

// Each later start with a file ends at once and the running program takes the file: the
// relative name is taken from where that start was made, the window comes to the front, and
// Download gives way to the upload mode chosen before it. With --execute the running program
// starts the loader.
void SecondStartHandsOver(const Sandbox& box, const Environment& environment) {
  MakeFolder(box.path("build"));
  WriteWholeFile(box.path("build\\first.elf"), "ELF");
  WriteWholeFile(box.path("build\\second.elf"), "ELF");
  Step("start the program, choose Upload, then Download");
  Program first(box, environment.probeLibrary);
  ChooseMode(first, Mode::Upload);
  ChooseMode(first, Mode::Download);

  Step("start it again from build\\ with first.elf");
  Program second(box, environment.probeLibrary, StartedWith({L"first.elf"}, box.path("build")));
  RequireHandedOver(second);
  Require(WaitUntil(
              [&] { return first.text(Form::Main, "txtUpload") == box.path("build\\first.elf"); }),
          "the running program's upload box shows '" + first.text(Form::Main, "txtUpload") + "'");
  RequireMainWindow(
      first, {Variant::Serial, Mode::Upload, "Upload through the serial port, COM1 at 115200bps"});
  Require(WaitUntil([&] { return GetForegroundWindow() == first.main(); }),
          "the running program did not come to the front: " + first.front());
  RequireNothingStarted(first, box, 0);
  Require(!FileExists(box.settings()), "a settings file exists while the first program runs");

  Step("start it again with --execute and second.elf");
  Program third(box, environment.probeLibrary,
                StartedWith({L"--execute", Wide(box.path("build\\second.elf"))}));
  RequireHandedOver(third);
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), 1);
  RequireEqual("loader command line",
               std::string(kSerialHead) + " -u \"" + box.path("build\\second.elf") + "\"",
               starts.back().commandLine);
  first.exit();
}

// A hand-over while the options dialog is open: the file reaches the box at once, and Execute
// waits until the dialog has closed, so that it sends with the options as they end up.
void HandOverWhileOptionsOpen(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF");
  Program first(box, environment.probeLibrary);
  first.openOptions();
  Step("start it again with --execute and demo.elf while the options dialog is open");
  Program second(box, environment.probeLibrary, StartedWith({L"--execute", Wide(file)}));
  RequireHandedOver(second);
  Require(WaitUntil([&] { return first.text(Form::Main, "txtUpload") == file; }),
          "the upload box shows '" + first.text(Form::Main, "txtUpload") + "'");
  Require(IsWindowVisible(first.options()), "the options dialog has closed");
  RequireNothingStarted(first, box, 0);
  Step("tick No console and press OK: the loader starts with it");
  SetOptionBox(first, "cbNoConsole", true);
  first.click(Form::Options, "cmdOK");
  std::vector<ToolCall> starts = WaitForStarts(box.tools(), 1);
  RequireEqual("loader command line", std::string(kSerialHead) + " -n -x \"" + file + "\"",
               starts.back().commandLine);
  first.exit();
}

// Longer than a running program may take to take a file, shorter than a start waits for it.
constexpr unsigned kBusyFor = 6000;

// A running program busy with the ARP step past the time a hand-over may take: the new start
// opens a window of its own with the file, and the busy program, once free, turns the late
// message away and keeps its box.
void BusyProgramKeepsItsBox(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("first.elf");
  std::string later = box.path("second.elf");
  WriteWholeFile(file, "ELF");
  WriteWholeFile(later, "ELF");
  WriteWholeFile(box.settings(),
                 "[SETTINGS]\r\nTYPE=&Upload\r\nRAVLINK=IP\r\n[OPTIONS]\r\nIP=192.168.0.77\r\n"
                 "ARP=1\r\nARPMAC=00:11:22:33:44:55\r\n");
  box.setToolSleep(kBusyFor);
  Program busy(box, environment.probeLibrary, StartedWith({Wide(file)}));
  RequireEqual("upload box", file, busy.text(Form::Main, "txtUpload"));
  Step("press Execute and wait for ARP to start");
  busy.clickWithoutWaiting(Form::Main, "cmdExecute");
  ToolCall arp = WaitForStarts(box.tools(), 1)[0];
  RequireEqual("first tool", "arp", arp.tool);
  Step("start the program again with second.elf while ARP runs");
  Program second(box, environment.probeLibrary, StartedWith({Wide(later)}));
  RequireEqual("the new program's upload box", later, second.text(Form::Main, "txtUpload"));
  Step("wait for the busy program's loader");
  ToolCall loader = WaitForStarts(box.tools(), 2)[1];
  RequireEqual("loader command line",
               "tools\\ravlink-ip.exe -t 192.168.0.77 -a 0x8c010000 -u \"" + file + "\"",
               loader.commandLine);
  RequireEqual("the busy program's upload box", file, busy.text(Form::Main, "txtUpload"));
  second.exit();
  busy.exit();
}

// Without a file a start is a program of its own, beside the first, as always; once it has
// ended, the first still takes the files of later starts.
void SecondStartWithoutFile(const Sandbox& box, const Environment& environment) {
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF");
  Program first(box, environment.probeLibrary);
  first.main();
  Step("start the program again without arguments");
  Program second(box, environment.probeLibrary);
  second.main();
  RequireEqual("main windows on the screen", 2, static_cast<long long>(MainWindowsShown()));
  second.exit();
  Step("start it again with demo.elf");
  Program third(box, environment.probeLibrary, StartedWith({Wide(file)}));
  RequireHandedOver(third);
  Require(WaitUntil([&] { return first.text(Form::Main, "txtUpload") == file; }),
          "the upload box shows '" + first.text(Form::Main, "txtUpload") + "'");
  first.exit();
}

// A copy of the program in another folder is another program: a start of it with a file opens
// its own window, and the first keeps its box.
void CopyInAnotherFolder(const Sandbox& box, const Environment& environment) {
  std::string copy = box.path("copy");
  MakeFolder(copy);
  MakeFolder(copy + "\\tools");
  for (const char* file : {"ravlinkgui.exe", "tools\\ravlink-serial.exe", "tools\\ravlink-ip.exe",
                           "tools\\arp.exe", "tools\\cygwin1.dll", "tools\\cygintl.dll"}) {
    CopyOneFile(box.path(file), copy + "\\" + file);
  }
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF");
  Program first(box, environment.probeLibrary);
  first.main();
  Step("start the copy in copy\\ with demo.elf");
  StartOptions options = StartedWith({Wide(file)});
  options.executable = "copy\\ravlinkgui.exe";
  Program second(box, environment.probeLibrary, options);
  RequireEqual("the copy's upload box", file, second.text(Form::Main, "txtUpload"));
  RequireEqual("the first program's upload box", kUploadPrompt,
               first.text(Form::Main, "txtUpload"));
  RequireEqual("main windows on the screen", 2, static_cast<long long>(MainWindowsShown()));
  second.exit();
  first.exit();
}

}  // namespace

std::vector<Scenario> HandOffScenarios() {
  std::vector<Scenario> scenarios = {
      {"command-line-file-fills-the-box", FileOnTheCommandLine},
      {"command-line-name-outside-the-code-page", NameOutsideTheCodePage},
      {"command-line-execute", ExecuteOnTheCommandLine},
  };
  for (const RefusedLine& line : kRefusedLines) {
    scenarios.push_back({line.name, [&line](const Sandbox& box, const Environment& environment) {
                           RefusedCommandLine(box, environment, line);
                         }});
  }
  scenarios.push_back({"command-line-no-loader", MissingLoaderFirst});
  scenarios.push_back({"second-start-hands-over", SecondStartHandsOver});
  scenarios.push_back({"hand-over-while-options-open", HandOverWhileOptionsOpen});
  scenarios.push_back({"busy-program-keeps-its-box", BusyProgramKeepsItsBox});
  scenarios.push_back({"second-start-without-file", SecondStartWithoutFile});
  scenarios.push_back({"copy-in-another-folder", CopyInAnotherFolder});
  return scenarios;
}

}  // namespace e2e
