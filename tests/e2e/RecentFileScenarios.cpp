// The files kept across a restart and the recent files of the File menu: the last upload file
// ready at the next start, a gone one leaving the prompt, the list filling up to eight in its
// order from every way into the upload box, an entry chosen in Download, a gone entry refused
// and dropped, a program folder moved to a stick, and a settings file the Linux program wrote.
#include <string>
#include <vector>

#include "Check.h"
#include "Controls.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"

namespace e2e {

namespace {

const char kUploadPrompt[] = "Please select a file to upload...";
const char kDownloadPrompt[] = "Please select a file to download to...";
const char kNoSuchFile[] = "Sorry, that file does not exist!";
const MainState kUploadExecute{Variant::Serial, Mode::UploadExecute,
                               "Upload through the serial port, COM1 at 115200bps"};

// A file to upload in files\ of the scenario's folder; its full path.
std::string MakeFile(const Sandbox& box, const std::string& name) {
  MakeFolder(box.path("files"));
  std::string path = box.path("files\\" + name);
  WriteWholeFile(path, "ELF image " + name);
  return path;
}

std::string Joined(const std::vector<std::string>& captions) {
  std::string joined;
  for (const std::string& caption : captions) joined += (joined.empty() ? "" : " | ") + caption;
  return joined;
}

void RequireFileMenu(Program& app, const std::vector<std::string>& recentFiles) {
  RequireEqual("the File menu", Joined(FileMenuWith(recentFiles)), Joined(FileMenu(app)));
}

void RequireKept(const Sandbox& box, const std::vector<std::pair<const char*, std::string>>& keys) {
  std::vector<IniLine> lines = ReadIni(box.settings());
  RequireSettingsOrder(lines);
  for (const auto& [key, value] : keys) RequireEqual(key, value, IniValue(lines, "FILES", key));
}

std::string LoaderLine(const std::string& file) {
  return "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + file + "\"";
}

// The upload file and the download target at exit are there at the next start, so one press of
// Execute uploads the file again; once the file or the target's folder is gone, the prompt is.
void KeptAcrossARestart(const Sandbox& box, const Environment& environment) {
  std::string file = MakeFile(box, "demo.elf");
  MakeFolder(box.path("dumps"));
  std::string target = box.path("dumps\\out.bin");
  {
    Program app(box, environment.probeLibrary);
    Step("pick the upload file and the download target, exit");
    PickUploadFile(app, file);
    ChooseMode(app, Mode::Download);
    PickDownloadFile(app, target);
    ChooseMode(app, Mode::UploadExecute);
    app.exit();
  }
  RequireKept(box, {{"UPLOAD", "files/demo.elf"},
                    {"DOWNLOAD", "dumps/out.bin"},
                    {"RECENT1", "files/demo.elf"},
                    {"RECENT2", ""}});
  {
    Program app(box, environment.probeLibrary);
    Step("start again: both boxes hold the files, Execute uploads at once");
    RequireMainWindow(app, kUploadExecute);
    RequireEqual("upload box", file, app.text(Form::Main, "txtUpload"));
    RequireEqual("download box", target, app.text(Form::Main, "txtDownload"));
    ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
    RequireEqual("loader command line", LoaderLine(file), loader.commandLine);
    app.exit();
  }
  Step("take the file and the target's folder away, start again");
  DeleteOneFile(file);
  Require(RemoveTree(box.path("dumps")), "the dumps folder stayed");
  Program app(box, environment.probeLibrary);
  RequireEqual("upload box", kUploadPrompt, app.text(Form::Main, "txtUpload"));
  RequireEqual("download box", kDownloadPrompt, app.text(Form::Main, "txtDownload"));
  RequireFileMenu(app, {file});
  app.exit();
}

// Browse, a drop, a typed name that Execute uploads and a file on the command line all head the
// list; the ninth file pushes the oldest out; a file again moves to the top.
void FillUpToEight(const Sandbox& box, const Environment& environment) {
  std::vector<std::string> files;
  for (int n = 1; n <= 10; ++n) files.push_back(MakeFile(box, "f" + std::to_string(n) + ".elf"));
  {
    Program app(box, environment.probeLibrary);
    RequireFileMenu(app, {});
    Step("Browse f1, drop f2 and f3, type f4 and press Execute");
    PickUploadFile(app, files[0]);
    app.dropFiles({files[1]});
    app.dropFiles({files[2]});
    app.paste(Form::Main, "txtUpload", "files\\f4.elf");
    ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
    RequireEqual("loader command line", LoaderLine("files\\f4.elf"), loader.commandLine);
    RequireFileMenu(app, {files[3], files[2], files[1], files[0]});
    Step("Browse f5 to f9: f1 falls off");
    for (int n = 5; n <= 9; ++n) PickUploadFile(app, files[static_cast<std::size_t>(n - 1)]);
    RequireFileMenu(
        app, {files[8], files[7], files[6], files[5], files[4], files[3], files[2], files[1]});
    app.exit();
  }
  Step("start with f10 on the command line: f2 falls off");
  StartOptions options;
  options.arguments = {Wide(files[9])};
  Program app(box, environment.probeLibrary, options);
  RequireEqual("upload box", files[9], app.text(Form::Main, "txtUpload"));
  RequireFileMenu(app,
                  {files[9], files[8], files[7], files[6], files[5], files[4], files[3], files[2]});
  Step("choose the sixth entry, f5: it moves to the top");
  app.choose("&File", RecentEntry(6, files[4]));
  RequireEqual("upload box", files[4], app.text(Form::Main, "txtUpload"));
  RequireFileMenu(app,
                  {files[4], files[9], files[8], files[7], files[6], files[5], files[3], files[2]});
  app.exit();
  RequireKept(box, {{"RECENT1", "files/f5.elf"}, {"RECENT8", "files/f3.elf"}});
}

// In Download the entry returns the window to the upload mode chosen before it.
void ChosenInDownload(const Sandbox& box, const Environment& environment) {
  std::string a = MakeFile(box, "a.elf"), b = MakeFile(box, "b.elf");
  Program app(box, environment.probeLibrary);
  PickUploadFile(app, a);
  PickUploadFile(app, b);
  ChooseMode(app, Mode::Upload);
  ChooseMode(app, Mode::Download);
  Step("choose the entry of a.elf in Download");
  app.choose("&File", RecentEntry(2, a));
  RequireMainWindow(
      app, {Variant::Serial, Mode::Upload, "Upload through the serial port, COM1 at 115200bps"});
  RequireEqual("upload box", a, app.text(Form::Main, "txtUpload"));
  RequireFileMenu(app, {a, b});
  app.exit();
}

// The entry of a file that is gone is refused with the Execute command's words and leaves the
// list; the upload box keeps what it held.
void GoneEntryRefused(const Sandbox& box, const Environment& environment) {
  std::string a = MakeFile(box, "a.elf"), b = MakeFile(box, "b&c.elf"), c = MakeFile(box, "c.elf");
  Program app(box, environment.probeLibrary);
  for (const std::string& file : {a, b, c}) PickUploadFile(app, file);
  DeleteOneFile(b);
  Step("choose the entry of the deleted b&c.elf");
  app.choose("&File", RecentEntry(2, b));
  AnswerMessageBox(app, "Oops!", kNoSuchFile);
  RequireEqual("upload box", c, app.text(Form::Main, "txtUpload"));
  RequireFileMenu(app, {c, a});
  app.exit();
  RequireKept(box, {{"RECENT1", "files/c.elf"}, {"RECENT2", "files/a.elf"}, {"RECENT3", ""}});
}

// The program's folder copied to a stick that shows as another drive: the files below it come
// along, named from the new place.
void MovedToAStick(const Sandbox& box, const Environment& environment) {
  Require(!environment.rootDrive.empty(),
          "no drive letter is mapped to a folder of its own for this scenario (--root-drive)");
  std::string a = MakeFile(box, "a.elf"), b = MakeFile(box, "b.elf");
  {
    Program app(box, environment.probeLibrary);
    PickUploadFile(app, a);
    PickUploadFile(app, b);
    app.exit();
  }
  Step("copy the program's folder to the root of " + environment.rootDrive);
  Sandbox stick(environment.layout, environment.rootDrive);
  MakeFolder(stick.path("files"));
  for (const char* file : {"files\\a.elf", "files\\b.elf", "tools\\settings.ini"}) {
    CopyOneFile(box.path(file), stick.path(file));
  }
  Program app(stick, environment.probeLibrary);
  std::string movedA = stick.path("files\\a.elf"), movedB = stick.path("files\\b.elf");
  RequireEqual("upload box", movedB, app.text(Form::Main, "txtUpload"));
  RequireFileMenu(app, {movedB, movedA});
  Step("choose a.elf from the list and press Execute");
  app.choose("&File", RecentEntry(2, movedA));
  app.click(Form::Main, "cmdExecute");
  ToolCall loader = WaitForStarts(stick.tools(), 1).back();
  RequireEqual("loader command line", LoaderLine(movedA), loader.commandLine);
  app.exit();
  stick.finish(false);
}

// The file as the Linux program leaves it: its own serial device, the kept files below the
// folder with "/", one of its own absolute paths. The relative ones name the files here; the
// other is listed, and refused and dropped when chosen.
void LinuxWrittenFile(const Sandbox& box, const Environment& environment) {
  std::string file = MakeFile(box, "demo.elf");
  MakeFolder(box.path("dumps"));
  WriteWholeFile(box.settings(),
                 "[SETTINGS]\r\nTYPE=Upload and &Execute\r\nRAVLINK=Serial\r\n[OPTIONS]\r\n"
                 "ADDRESS=0x8c010000\r\nSIZE=0x0\r\nDEVICE=/dev/ttyS0\r\nIP=192.168.0.0\r\n"
                 "BAUDRATE=115200\r\nARP=0\r\nARPMAC=Set MAC address\r\nNOCONSOLE=0\r\n"
                 "DUMBTERM=0\r\nNOCLEAR=0\r\nCHROOT=0\r\nCDFS=0\r\n[CHROOT]\r\n"
                 "DIR=Please select a folder...\r\n[CDFSREDIRECT]\r\n"
                 "ISO=Please select an ISO image...\r\n[FILES]\r\nUPLOAD=files/demo.elf\r\n"
                 "DOWNLOAD=dumps/out.bin\r\nRECENT1=/home/someone/dc/other.elf\r\n"
                 "RECENT2=files/demo.elf\r\nRECENT3=\r\nRECENT4=\r\nRECENT5=\r\nRECENT6=\r\n"
                 "RECENT7=\r\nRECENT8=\r\n");
  Program app(box, environment.probeLibrary);
  RequireEqual("upload box", file, app.text(Form::Main, "txtUpload"));
  RequireEqual("download box", box.path("dumps\\out.bin"), app.text(Form::Main, "txtDownload"));
  RequireFileMenu(app, {"/home/someone/dc/other.elf", file});
  Step("choose the Linux path");
  app.choose("&File", RecentEntry(1, "/home/someone/dc/other.elf"));
  AnswerMessageBox(app, "Oops!", kNoSuchFile);
  RequireFileMenu(app, {file});
  app.exit();
  RequireKept(box, {{"UPLOAD", "files/demo.elf"},
                    {"DOWNLOAD", "dumps/out.bin"},
                    {"RECENT1", "files/demo.elf"},
                    {"RECENT2", ""}});
}

}  // namespace

std::vector<Scenario> RecentFileScenarios() {
  return {
      {"kept-files-across-a-restart", KeptAcrossARestart},
      {"recent-files-fill-up-to-eight", FillUpToEight},
      {"recent-file-chosen-in-download", ChosenInDownload},
      {"recent-file-gone-is-refused", GoneEntryRefused},
      {"recent-files-moved-to-a-stick", MovedToAStick},
      {"recent-files-linux-written", LinuxWrittenFile},
  };
}

}  // namespace e2e
