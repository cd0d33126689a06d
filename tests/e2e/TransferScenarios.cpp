// The transfers: all six variant and mode combinations, the ARP step, and paths with blanks and
// a letter outside ASCII, each checked in the loader's own command line; and the arguments a
// loader reads from it.
#include <string>
#include <utility>
#include <vector>

#include "Check.h"
#include "Controls.h"
#include "CygwinReader.h"
#include "Dialogs.h"
#include "Files.h"
#include "Scenario.h"
#include "Support.h"
#include "Wait.h"

namespace e2e {

namespace {

namespace cygwin = loadergui::cygwin;

// What the user sets in the options dialog before a transfer.
struct OptionChoices {
  std::vector<std::pair<std::string, std::string>> texts;
  std::vector<std::string> ticked;
  bool chrootFolder = false;  // ticks "Chroot to path" and picks {dir} with the folder browser
  bool isoImage = false;      // ticks "CDFS Redirection" and picks {iso} with the open dialog
};

struct TransferRow {
  const char* name;
  Variant variant;
  Mode mode;
  OptionChoices options;
  const char* information;  // the information line after OK
  const char* commandLine;  // with {file}, {dir} and {iso} for the picked paths
  long long dumpSize;       // bytes the loader writes for a download
};

const TransferRow kTransfers[] = {
    {"serial-upload",
     Variant::Serial,
     Mode::Upload,
     {},
     "Upload through the serial port, COM1 at 115200bps",
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -u \"{file}\"",
     0},
    {"serial-upload-execute",
     Variant::Serial,
     Mode::UploadExecute,
     {{}, {"cbNoConsole"}},
     "Upload through the serial port, COM1 at 115200bps",
     "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -n -x \"{file}\"",
     0},
    {"serial-download",
     Variant::Serial,
     Mode::Download,
     {{{"cmbCOMPort", "COM3"}, {"cmbBaudrate", "57600"}, {"txtFilesize", "0x400"}},
      {"cbDumbTerminal", "cbNoScreenClear"}},
     "Download through the serial port, COM3 at 57600bps",
     "tools\\ravlink-serial.exe -t COM3 -b 57600 -a 0x8c010000 -p -q -s 0x400 -d \"{file}\"",
     0x400},
    {"ip-upload",
     Variant::IP,
     Mode::Upload,
     {{{"cmbIP", "192.168.1.50"}},
      {"cbNoConsole", "cbDumbTerminal", "cbNoScreenClear"},
      true,
      true},
     "Upload through IP, 192.168.1.50",
     "tools\\ravlink-ip.exe -t 192.168.1.50 -a 0x8c010000 -n -p -q -c \"{dir}\" -i \"{iso}\" "
     "-u \"{file}\"",
     0},
    {"ip-upload-execute",
     Variant::IP,
     Mode::UploadExecute,
     {},
     "Upload through IP, 192.168.0.0",
     "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c010000 -x \"{file}\"",
     0},
    {"ip-download",
     Variant::IP,
     Mode::Download,
     {{{"txtAddress", "0x8c020000"}, {"txtFilesize", "0x10000"}}, {}, true},
     "Download through IP, 192.168.0.0",
     "tools\\ravlink-ip.exe -t 192.168.0.0 -a 0x8c020000 -c \"{dir}\" -s 0x10000 -d \"{file}\"",
     0x10000},
};

struct PickedPaths {
  std::string dir;
  std::string iso;
};

PickedPaths SetOptions(Program& app, const Sandbox& box, const OptionChoices& choices) {
  PickedPaths picked;
  Step("open Ravlink Configuration and set the options");
  app.openOptions();
  for (const auto& [control, text] : choices.texts) SetOptionText(app, control, text);
  for (const std::string& box : choices.ticked) SetOptionBox(app, box, true);
  if (choices.chrootFolder) {
    picked.dir = box.path("chroot root");
    MakeFolder(picked.dir);
    SetOptionBox(app, "cbChroot", true);
    Step("pick the chroot folder with its Browse button");
    app.click(Form::Options, "cmdChroot");
    AnswerFolderBrowser(app, picked.dir);
    RequireEqual("chroot folder", picked.dir, app.text(Form::Options, "txtChroot"));
  }
  if (choices.isoImage) {
    picked.iso = box.path("game image.iso");
    WriteWholeFile(picked.iso, "ISO");
    SetOptionBox(app, "cbCDFSRedir", true);
    Step("pick the ISO image with its Browse button");
    app.click(Form::Options, "cmdCDFSRedir");
    AnswerFileDialog(app, "Select an ISO image...", picked.iso);
    RequireEqual("ISO image", picked.iso, app.text(Form::Options, "txtCDFSRedir"));
  }
  Step("press OK in the options dialog");
  ConfirmOptions(app);
  return picked;
}

std::string ExpectedLine(const char* pattern, const std::string& file, const PickedPaths& picked) {
  return Fill(Fill(Fill(pattern, "file", file), "dir", picked.dir), "iso", picked.iso);
}

// The tool has written its end line and its process has gone, so that the next start of the
// same loader finds none running.
void WaitForEnd(const Sandbox& box, const ToolCall& start) {
  bool ended = WaitUntil(
      [&] { return EndOf(ReadToolLog(box.tools()), start) != nullptr && ProcessGone(start); });
  Require(ended, start.tool + " did not end: " + DescribeLog(ReadToolLog(box.tools())));
}

// Picks the file the mode needs: an existing one to upload, a new one to download into.
std::string PickTransferFile(Program& app, const Sandbox& box, Mode mode) {
  Step("pick the file with Browse");
  if (mode == Mode::Download) {
    std::string file = box.path("download.bin");
    PickDownloadFile(app, file);
    return file;
  }
  std::string file = box.path("demo.elf");
  WriteWholeFile(file, "ELF image");
  PickUploadFile(app, file);
  return file;
}

void Transfer(const Sandbox& box, const Environment& environment, const TransferRow& row) {
  Program app(box, environment.probeLibrary);
  Step("choose the loader and the mode in the Config menu");
  ChooseVariant(app, row.variant);
  ChooseMode(app, row.mode);
  PickedPaths picked = SetOptions(app, box, row.options);
  RequireMainWindow(app, {row.variant, row.mode, row.information});
  std::string file = PickTransferFile(app, box, row.mode);

  Step("press the Execute button");
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("loader command line", ExpectedLine(row.commandLine, file, picked),
               loader.commandLine);
  RequireMainWindow(app, {row.variant, row.mode, row.information});
  if (row.mode == Mode::Download) {
    Step("wait for the loader to write the download");
    WaitForEnd(box, loader);
    RequireEqual("size of the downloaded file", row.dumpSize, FileSize(file));
  }
  Step("choose File, Exit");
  app.exit();
}

struct ArpRow {
  const char* name;
  Mode mode;
  const char* commandLine;
};

const ArpRow kArpTransfers[] = {
    {"ip-upload-with-arp", Mode::Upload,
     "tools\\ravlink-ip.exe -t 192.168.0.77 -a 0x8c010000 -u \"{file}\""},
    {"ip-upload-execute-with-arp", Mode::UploadExecute,
     "tools\\ravlink-ip.exe -t 192.168.0.77 -a 0x8c010000 -x \"{file}\""},
    {"ip-download-with-arp", Mode::Download,
     "tools\\ravlink-ip.exe -t 192.168.0.77 -a 0x8c010000 -s 0x800 -d \"{file}\""},
};

constexpr unsigned kArpRunsFor = 2000;  // milliseconds each stand-in tool stays alive
constexpr DWORD kQuickAnswer = 250;     // what a window that reacts needs to answer, at most

// The ARP step runs first and is waited for: the window answers nothing until it has ended, and
// the loader starts only after that.
void TransferWithArp(const Sandbox& box, const Environment& environment, const ArpRow& row) {
  box.setToolSleep(kArpRunsFor);
  Program app(box, environment.probeLibrary);
  ChooseVariant(app, Variant::IP);
  ChooseMode(app, row.mode);
  OptionChoices choices{{{"cmbIP", "192.168.0.77"}}, {"cbARP"}};
  if (row.mode == Mode::Download) choices.texts.push_back({"txtFilesize", "0x800"});
  SetOptions(app, box, choices);
  Step("type the MAC address");
  app.openOptions();
  Require(app.usable(Form::Options, "txtARP"), "the MAC address box is not usable with ARP ticked");
  SetOptionText(app, "txtARP", "00:11:22:33:44:55");
  ConfirmOptions(app);
  std::string file = PickTransferFile(app, box, row.mode);

  Step("press the Execute button and wait for ARP to start");
  app.clickWithoutWaiting(Form::Main, "cmdExecute");
  ToolCall arp = WaitForStarts(box.tools(), 1)[0];
  RequireEqual("first tool", "arp", arp.tool);
  RequireEqual("ARP command line", "tools\\arp.exe -s 192.168.0.77 00:11:22:33:44:55",
               arp.commandLine);
  RequireEqual("ARP's current directory", box.folder(), arp.currentDirectory);

  Step("send the main window a message while ARP runs");
  DWORD_PTR ignored = 0;
  bool answered =
      SendMessageTimeoutA(app.main(), WM_NULL, 0, 0, SMTO_NORMAL, kQuickAnswer, &ignored) != 0;
  unsigned long long askedUntil = Now();
  const ToolCall* arpEnd = EndOf(ReadToolLog(box.tools()), arp);
  Require(!answered || (arpEnd && arpEnd->stamp <= askedUntil),
          "the main window answered while ARP was still running");
  Step("wait for the main window to answer");
  Require(SendMessageTimeoutA(app.main(), WM_NULL, 0, 0, SMTO_NORMAL, kPatience, &ignored) != 0,
          "the main window did not answer after ARP");
  unsigned long long answeredAt = Now();
  std::vector<ToolCall> calls = ReadToolLog(box.tools());
  arpEnd = EndOf(calls, arp);
  Require(arpEnd && arpEnd->stamp <= answeredAt,
          "the main window answered before ARP ended: " + DescribeLog(calls));

  Step("wait for the loader");
  ToolCall loader = WaitForStarts(box.tools(), 2)[1];
  calls = ReadToolLog(box.tools());
  arpEnd = EndOf(calls, arp);
  Require(arpEnd && arpEnd->stamp <= loader.stamp,
          "the loader started before ARP ended: " + DescribeLog(calls));
  RequireEqual("loader command line", Fill(row.commandLine, "file", file), loader.commandLine);
  RequireEqual("the loader's current directory", box.folder(), loader.currentDirectory);
  app.exit();
}

// The serial loader never runs the ARP step, whatever the ARP box holds; each press of Execute
// starts one more loader.
void SerialIgnoresArp(const Sandbox& box, const Environment& environment) {
  Program app(box, environment.probeLibrary);
  Step("tick ARP with the IP loader, then choose the serial loader");
  ChooseVariant(app, Variant::IP);
  SetOptions(app, box, {{}, {"cbARP"}});
  ChooseVariant(app, Variant::Serial);
  std::string file = PickTransferFile(app, box, Mode::UploadExecute);
  std::string expected =
      "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + file + "\"";
  Step("press Execute twice");
  ToolCall first = ExecuteAndWaitForLoader(app, box, 0, 1);
  ToolCall second = ExecuteAndWaitForLoader(app, box, 1, 1);
  for (const ToolCall& loader : {first, second}) {
    RequireEqual("tool", "ravlink-serial", loader.tool);
    RequireEqual("loader command line", expected, loader.commandLine);
  }
  Require(first.pid != second.pid, "both presses reported the same loader process");
  app.exit();
}

// Paths with blanks and a letter of the system code page outside ASCII reach the loader whole,
// and the loader writes the files under those names.
void PathsWithBlanksAndAccents(const Sandbox& box, const Environment& environment) {
  std::string e = AccentedLetter();
  std::string folder = box.path("my files " + e);
  MakeFolder(folder);
  std::string upload = folder + "\\d" + e + "mo file.elf";
  std::string download = folder + "\\dump " + e + " file.bin";
  std::string bios = folder + "\\bios " + e + " dump.bin";
  WriteWholeFile(upload, "ELF image");
  Program app(box, environment.probeLibrary);

  Step("upload a file whose path has blanks and an accented letter");
  PickUploadFile(app, upload);
  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  RequireEqual("upload command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -x \"" + upload + "\"",
               loader.commandLine);

  Step("download into such a path");
  ChooseMode(app, Mode::Download);
  SetOptions(app, box, {{{"txtFilesize", "0x100"}}, {}});
  PickDownloadFile(app, download);
  loader = ExecuteAndWaitForLoader(app, box, 1, 1);
  RequireEqual(
      "download command line",
      "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -s 0x100 -d \"" + download + "\"",
      loader.commandLine);
  WaitForEnd(box, loader);
  RequireEqual("size of the downloaded file", 0x100, FileSize(download));

  Step("dump the BIOS into such a path");
  app.choose("&File", "Download &BIOS");
  AnswerFileDialog(app, "Save file as...", bios);
  loader = WaitForStarts(box.tools(), 3)[2];
  RequireEqual("dump command line",
               "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x0 -s 0x200000 -d \"" + bios + "\"",
               loader.commandLine);
  WaitForEnd(box, loader);
  RequireEqual("size of the BIOS dump", 0x200000, FileSize(bios));
  app.exit();
}

// Only the exact size "0x0" is refused; every other size and address goes to the loader as
// typed, empty, option-like and blank-holding ones included.
void SizesAndAddressesAsTyped(const Sandbox& box, const Environment& environment) {
  struct Typed {
    const char* size;
    const char* address;
    const char* commandLine;  // with {file}
  };
  const Typed rows[] = {
      {"0X0", "0x8c010000",
       "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -s 0X0 -d \"{file}\""},
      {"00x0", "", "tools\\ravlink-serial.exe -t COM1 -b 115200 -a  -s 00x0 -d \"{file}\""},
      {"0", "-n", "tools\\ravlink-serial.exe -t COM1 -b 115200 -a -n -s 0 -d \"{file}\""},
      {"", "0x8c010000",
       "tools\\ravlink-serial.exe -t COM1 -b 115200 -a 0x8c010000 -s  -d \"{file}\""},
      // A blank typed in front, and a further option: each goes to the loader as typed.
      {"0x100 ", " 0x8c010000 -q",
       "tools\\ravlink-serial.exe -t COM1 -b 115200 -a  0x8c010000 -q -s 0x100  -d \"{file}\""},
  };
  Program app(box, environment.probeLibrary);
  ChooseMode(app, Mode::Download);
  std::string file = box.path("target.bin");
  PickDownloadFile(app, file);
  std::size_t started = 0;
  for (const Typed& row : rows) {
    Step(std::string("set the size '") + row.size + "' and the address '" + row.address +
         "', press Download");
    SetOptions(app, box, {{{"txtFilesize", row.size}, {"txtAddress", row.address}}, {}});
    ToolCall loader = ExecuteAndWaitForLoader(app, box, started++, 1);
    RequireEqual("loader command line", Fill(row.commandLine, "file", file), loader.commandLine);
  }
  app.exit();
}

// Arguments in brackets, one after the other, for comparing lists in one check.
std::string Joined(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) text += "[" + argument + "]";
  return text;
}

// The loader's command line read as the Windows loaders, Cygwin programs, read theirs: a chroot
// at a drive's root, a relative upload name, an image path with blanks and a typed address with
// a blank reach it as the arguments chosen.
void ArgumentsAsTheLoaderReadsThem(const Sandbox& box, const Environment& environment) {
  std::string root = box.folder().substr(0, 3);
  std::string iso = box.path("game image.iso");
  WriteWholeFile(iso, "ISO");
  WriteWholeFile(box.path("demo.elf"), "ELF image");
  Program app(box, environment.probeLibrary);
  Step("chroot to the drive's root " + root + ", an image with blanks, an address with a blank");
  app.openOptions();
  SetOptionBox(app, "cbChroot", true);
  SetOptionText(app, "txtChroot", root);
  SetOptionBox(app, "cbCDFSRedir", true);
  SetOptionText(app, "txtCDFSRedir", iso);
  SetOptionText(app, "txtAddress", "0x8c010000 -q");
  ConfirmOptions(app);
  Step("type the upload file's name, relative to the program's folder");
  app.paste(Form::Main, "txtUpload", "demo.elf");

  ToolCall loader = ExecuteAndWaitForLoader(app, box, 0, 1);
  cygwin::LeadBytes leadBytes;
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (IsDBCSLeadByte(static_cast<BYTE>(byte))) leadBytes.set(byte);
  }
  const std::vector<std::string> expected{"tools\\ravlink-serial.exe",
                                          "-t",
                                          "COM1",
                                          "-b",
                                          "115200",
                                          "-a",
                                          "0x8c010000",
                                          "-q",
                                          "-c",
                                          root,
                                          "-i",
                                          iso,
                                          "-x",
                                          "demo.elf"};
  for (cygwin::Reader reader : {cygwin::Reader::Bytes, cygwin::Reader::Wide}) {
    cygwin::Reading reading = cygwin::ReadCommandLine(loader.commandLine, reader, leadBytes);
    std::string which = reader == cygwin::Reader::Bytes ? "a byte reader" : "a wide reader";
    Require(reading.verdict == cygwin::Verdict::Whole,
            which + " finds " + Printable(loader.commandLine) + " " +
                cygwin::VerdictName(reading.verdict) + ": " + reading.why);
    RequireEqual("arguments, as " + which + " reads them", Joined(expected),
                 Joined(reading.arguments));
  }
  app.exit();
}

}  // namespace

std::vector<Scenario> TransferScenarios() {
  std::vector<Scenario> scenarios;
  for (const TransferRow& row : kTransfers) {
    scenarios.push_back({row.name, [&row](const Sandbox& box, const Environment& environment) {
                           Transfer(box, environment, row);
                         }});
  }
  for (const ArpRow& row : kArpTransfers) {
    scenarios.push_back({row.name, [&row](const Sandbox& box, const Environment& environment) {
                           TransferWithArp(box, environment, row);
                         }});
  }
  scenarios.push_back({"serial-ignores-arp-and-starts-per-press", SerialIgnoresArp});
  scenarios.push_back({"paths-with-blanks-and-accents", PathsWithBlanksAndAccents});
  scenarios.push_back({"download-size-and-address-as-typed", SizesAndAddressesAsTyped});
  scenarios.push_back({"arguments-as-the-loader-reads-them", ArgumentsAsTheLoaderReadsThem});
  return scenarios;
}

}  // namespace e2e
