// Runs the program on one settings file and checks what it reads, starts and writes back.
#include "SettingsChecks.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "CygwinReader.h"
#include "ExpectedCommand.h"
#include "Printable.h"
#include "app/App.h"
#include "app/SubRoutines.h"
#include "null/Services.h"
#include "null/Toolkit.h"
#include "profile/ProfileStore.h"
#include "settings/Ini.h"
#include "settings/OptionValues.h"
#include "ui/Control.h"

namespace loadergui::fuzzing {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLongestValue = 254;
// Each pass peels at most one pair of enclosing quotes off a value, so a value of 254 characters
// settles after at most 127 passes; a value that reads back empty takes its default once more.
constexpr int kMostPasses = 130;

const char* const kUploadFile = "upload me.elf";
const char* const kDefaultDownload = "C:\\dumps\\out file.bin";
const char* const kDefaultDump = "C:\\My Dumps\\dc dump.bin";
// What the profile rules take away around a value.
const std::string kBlanks(" \t\r\n\v\f\x1a");

// The program's folder with everything start-up asks for, made once per process.
class Workspace {
 public:
  // A repeatable run names the folder itself: a random name would steer every run differently.
  Workspace() {
    if (const char* fixed = std::getenv("LOADERGUI_FUZZ_FOLDER")) {
      folder_ = fixed;
      fs::remove_all(folder_);
      fs::create_directories(folder_);
    } else {
      std::string pattern = (fs::temp_directory_path() / "loadergui-fuzz-XXXXXX").string();
      if (mkdtemp(pattern.data()) == nullptr) std::abort();
      folder_ = pattern;
    }
    for (const char* file :
         {"ravlinkgui.exe", "tools/cygintl.dll", "tools/cygwin1.dll", "tools/ravlink-serial.exe",
          "tools/ravlink-ip.exe", "tools/arp.exe", kUploadFile}) {
      Write(file, "x");
    }
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  void Write(const std::string& relativePath, const std::string& content) {
    fs::path path = folder_ / relativePath;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
  }
  std::string Read(const std::string& relativePath) const {
    std::ifstream in(folder_ / relativePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string folder() const { return folder_.string(); }

 private:
  fs::path folder_;
};

Workspace& TheWorkspace() {
  static Workspace workspace;
  return workspace;
}

// One run of the program on the workspace as it stands.
struct Run {
  Run() : services(TheWorkspace().folder(), "ravlinkgui"), app(services.interfaces(), toolkit) {}
  null::NullServices services;
  null::NullToolkit toolkit;
  App app;
};

// What the load sequence left in the controls: the variant, the mode caption and the fourteen
// option values (check boxes as decimal text), in the order of the option table.
struct LoadedState {
  bool serial = true;
  std::string caption;
  std::array<std::string, 14> values;
  bool operator==(const LoadedState& other) const {
    return serial == other.serial && caption == other.caption && values == other.values;
  }
};

LoadedState ReadState(App& app) {
  LoadedState state;
  state.serial = SerialLoaderSelected(app);
  state.caption = app.frmMain().cmdExecute->text();
  for (std::size_t i = 0; i < std::size(kOptionValues); ++i) {
    ui::Control& control = *(app.frmOptions().*kOptionValues[i].control);
    state.values[i] = kOptionValues[i].kind == OptionKind::Text ? control.text()
                                                                : std::to_string(control.value());
  }
  return state;
}

class Failures {
 public:
  void Add(const std::string& what) { list_.push_back(what); }
  std::vector<std::string> Take() { return std::move(list_); }

 private:
  std::vector<std::string> list_;
};

bool HasSurroundingBlanks(const std::string& text) {
  return !text.empty() && (kBlanks.find(text.front()) != std::string::npos ||
                           kBlanks.find(text.back()) != std::string::npos);
}

bool HasEnclosingQuotes(const std::string& text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
         text.back() == text.front();
}

bool OnlyBlanksAndQuotes(const std::string& text) {
  return text.find_first_not_of(kBlanks + "\"'") == std::string::npos;
}

// Every key the program reads, read back through the store the way the program reads it.
void CheckReadBack(Run& run, Failures& failures) {
  std::vector<std::pair<std::string, std::string>> keys = {{"SETTINGS", "RAVLINK"},
                                                           {"SETTINGS", "TYPE"}};
  for (const auto& option : kOptionValues) {
    keys.emplace_back(std::string(option.section), std::string(option.key));
  }
  auto services = run.services.interfaces();
  auto file = services.settings.open(SettingsFilePath(services));
  for (const auto& [section, key] : keys) {
    std::string value = ReadSetting(*file, section, key);
    if (value.size() > kLongestValue) {
      failures.Add(section + "/" + key + " read back with " + std::to_string(value.size()) +
                   " characters");
    }
  }
}

// What the controls may hold after a load, whatever the file said.
void CheckLoadedState(const LoadedState& state, Failures& failures) {
  if (state.caption != "&Upload" && state.caption != "Upload and &Execute" &&
      state.caption != "&Download") {
    failures.Add("mode caption after load is " + Visible(state.caption));
  }
  for (std::size_t i = 0; i < state.values.size(); ++i) {
    const std::string& value = state.values[i];
    const auto& option = kOptionValues[i];
    if (option.kind == OptionKind::CheckBox) {
      if (value != "0" && value != "1" && value != "2") {
        failures.Add(std::string(option.key) + " check box loaded as " + value);
      }
    } else if (value.empty() || value.size() > kLongestValue) {
      failures.Add(std::string(option.key) + " loaded as " + Visible(value) + " (" +
                   std::to_string(value.size()) + " characters)");
    }
  }
}

// ---- Presses ----

// What a press reads from the controls: the variant, the options and, for Execute, the path
// options that are ticked and the MAC address when the ARP step is due. The action, size and
// file are the caller's.
PressInputs ReadInputs(Run& run, bool execute) {
  OptionsDialog& options = run.app.frmOptions();
  PressInputs in;
  in.serial = SerialLoaderSelected(run.app);
  in.device = options.cmbCOMPort->text();
  in.baudrate = options.cmbBaudrate->text();
  in.ip = options.cmbIP->text();
  in.address = options.txtAddress->text();
  in.noConsole = options.cbNoConsole->value() == ui::kTicked;
  in.dumbTerminal = options.cbDumbTerminal->value() == ui::kTicked;
  in.noScreenClear = options.cbNoScreenClear->value() == ui::kTicked;
  if (execute && options.cbChroot->value() == ui::kTicked) in.chroot = options.txtChroot->text();
  if (execute && options.cbCDFSRedir->value() == ui::kTicked) {
    in.iso = options.txtCDFSRedir->text();
  }
  if (execute && !in.serial && options.cbARP->value() == ui::kTicked) {
    in.mac = options.txtARP->text();
  }
  return in;
}

std::string Listed(const std::vector<std::string>& arguments) {
  std::string list;
  for (const std::string& argument : arguments)
    list += (list.empty() ? "" : " ") + Visible(argument);
  return "[" + list + "]";
}

// One started tool against the arguments it must receive: the list the Linux program starts it
// with, and its Windows command line as both kinds of Cygwin reader split it.
void CheckStarted(const null::StartedProcess& started, const std::vector<std::string>& wanted,
                  const cygwin::LeadBytes& leadBytes, const std::string& what, Failures& failures) {
  if (started.arguments != wanted) {
    failures.Add(what + ": the argument list is " + Listed(started.arguments) +
                 ", the inputs make " + Listed(wanted));
  }
  for (auto reader : {cygwin::Reader::Bytes, cygwin::Reader::Wide}) {
    cygwin::Reading reading = cygwin::ReadCommandLine(started.commandLine, reader, leadBytes);
    const char* name = reader == cygwin::Reader::Bytes ? "byte" : "wide";
    if (reading.verdict != cygwin::Verdict::Whole) {
      failures.Add(what + ": the " + name + " reader finds the line " +
                   Visible(started.commandLine) + " " + cygwin::VerdictName(reading.verdict) +
                   ": " + Visible(reading.why));
    } else if (reading.arguments != wanted) {
      failures.Add(what + ": the " + name + " reader reads the line " +
                   Visible(started.commandLine) + " as " + Listed(reading.arguments) +
                   ", the inputs make " + Listed(wanted));
    }
  }
}

// Clicks one control and checks what the click did against what it had to do: refuse with a
// message and start nothing when the inputs give a reason to, or start the ARP step when it is
// due and the loader, each with exactly the arguments the inputs dictate.
void Press(Run& run, ui::Control& control, const PressInputs& in, const char* refusal,
           const std::string& press, Failures& failures) {
  auto& services = run.services;
  services.processes.clear();
  services.messages.clear();
  control.click();
  if (refusal || !services.messages.empty()) {
    if (!refusal) {
      failures.Add(press + ": refused with " + Visible(services.messages.front().text) +
                   " although nothing calls for it");
    } else if (services.messages.size() != 1 || services.messages.front().title != "Oops!") {
      failures.Add(press + ": not refused in one Oops! box although " + refusal);
    }
    if (!services.processes.empty()) {
      failures.Add(press + ": " + std::to_string(services.processes.size()) +
                   " process(es) started although it was refused");
    }
    return;
  }
  std::size_t wanted = in.mac ? 2 : 1;
  if (services.processes.size() != wanted) {
    failures.Add(press + ": " + std::to_string(services.processes.size()) +
                 " processes started, expected " + std::to_string(wanted));
    return;
  }
  if (in.mac) {
    const auto& arp = services.processes.front();
    if (!arp.waited) failures.Add(press + ": the ARP step was not waited for");
    CheckStarted(arp, ExpectedArpArguments(in), services.leadBytes, press + " ARP", failures);
  }
  const auto& loader = services.processes.back();
  if (loader.waited) failures.Add(press + ": the loader was waited for");
  CheckStarted(loader, ExpectedLoaderArguments(in), services.leadBytes, press + " loader",
               failures);
}

// A value of the [FUZZ] section, or the fallback when it is missing or empty.
std::string FuzzValue(const std::string& content, const char* key, const char* fallback) {
  std::string buffer(kLongestValue + 1, '\0');
  std::size_t count =
      profile::ReadProfileText(content, "FUZZ", key, "", buffer.data(), buffer.size());
  std::string value = buffer.substr(0, count);
  return value.empty() ? fallback : value;
}

std::string TrimSpaces(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void PressEverything(Run& run, const std::string& content, Failures& failures) {
  // A text box and the save dialog's answer are C strings; the program trims the answer's spaces.
  std::string download = FuzzValue(content, "DOWNLOAD", kDefaultDownload);
  download = download.substr(0, download.find('\0'));
  std::string dump = FuzzValue(content, "DUMP", kDefaultDump);
  dump = dump.substr(0, dump.find('\0'));
  ui::Form& main = run.app.frmMain().form();

  struct Mode {
    const char* menu;
    LoaderAction action;
  };
  const Mode kModes[] = {{"mnuConfigUpload", LoaderAction::Upload},
                         {"mnuConfigUlexecute", LoaderAction::UploadExecute},
                         {"mnuConfigDownload", LoaderAction::Download}};
  struct DumpPress {
    const char* menu;
    const char* address;
    const char* size;
  };
  const DumpPress kDumps[] = {{"mnuBIOS", "0x0", "0x200000"}, {"mnuFlash", "0x200000", "0x20000"}};

  // A code page of one byte per character, and the Japanese one, whose second bytes may look
  // like backslashes and brackets; a file without a byte of 0x80 or more holds no lead byte
  // of it and would only press the same again.
  bool mayHoldLeadBytes =
      std::any_of(content.begin(), content.end(), [](char c) { return (c & 0x80) != 0; });
  for (const auto& [codePage, leadBytes] :
       {std::pair("", cygwin::LeadBytes()), std::pair(" (code page 932)", cygwin::CodePage932())}) {
    if (leadBytes.any() && !mayHoldLeadBytes) continue;
    run.services.leadBytes = leadBytes;
    for (const char* variant : {"mnuRavlinkSerial", "mnuRavlinkIP"}) {
      main.control(variant).click();
      for (const auto& mode : kModes) {
        main.control(mode.menu).click();
        main.control("txtUpload").setText(kUploadFile);
        main.control("txtDownload").setText(download);
        PressInputs in = ReadInputs(run, true);
        in.action = mode.action;
        in.size = run.app.frmOptions().txtFilesize->text();
        in.file = mode.action == LoaderAction::Download ? download : kUploadFile;
        const char* refusal = nullptr;
        if (mode.action == LoaderAction::Download &&
            (download.empty() || download == "Please select a file to download to...")) {
          refusal = "the download box holds no file";
        } else if (mode.action == LoaderAction::Download && in.size == "0x0") {
          refusal = "the size is 0x0";
        } else {
          refusal = RefusalReason(in, leadBytes);
        }
        Press(run, main.control("cmdExecute"), in, refusal,
              std::string(variant) + "/" + mode.menu + " Execute" + codePage, failures);
      }
      for (const auto& dumpPress : kDumps) {
        run.services.dialogAnswers = {dump};
        PressInputs in = ReadInputs(run, false);
        in.action = LoaderAction::Download;
        in.address = dumpPress.address;
        in.size = dumpPress.size;
        in.file = TrimSpaces(dump);
        Press(run, main.control(dumpPress.menu), in, RefusalReason(in, leadBytes),
              std::string(variant) + " " + dumpPress.menu + codePage, failures);
      }
    }
  }
  run.services.leadBytes = {};
}

// ---- Save and load passes ----

const char* ModeMenu(const std::string& caption) {
  if (caption == "&Upload") return "mnuConfigUpload";
  if (caption == "&Download") return "mnuConfigDownload";
  return "mnuConfigUlexecute";
}

void ComparePass(const LoadedState& before, const LoadedState& after, int pass,
                 Failures& failures) {
  std::string where = "pass " + std::to_string(pass) + ": ";
  if (after.serial != before.serial) failures.Add(where + "loader variant changed");
  if (after.caption != before.caption) {
    failures.Add(where + "mode caption " + Visible(before.caption) + " became " +
                 Visible(after.caption));
  }
  for (std::size_t i = 0; i < before.values.size(); ++i) {
    const auto& option = kOptionValues[i];
    const std::string& was = before.values[i];
    const std::string& now = after.values[i];
    std::string change =
        where + std::string(option.key) + " " + Visible(was) + " became " + Visible(now);
    if (option.kind == OptionKind::CheckBox) {
      if (now != was) failures.Add(change);
      continue;
    }
    // A value is kept up to its first line break, which a line of the file cannot hold; one
    // that reads back empty takes its default, which may well be longer.
    const std::string kept = was.substr(0, was.find_first_of("\r\n"));
    bool becameDefault = now == option.defaultValue && OnlyBlanksAndQuotes(kept);
    if (now.size() > kept.size() && !becameDefault) failures.Add(change + ": lengthened");
    if (!HasSurroundingBlanks(kept) && !HasEnclosingQuotes(kept) && now != kept) {
      failures.Add(change + ": a plain value was not kept");
    }
  }
}

void SaveAndLoadUntilSettled(const std::string& content, Failures& failures) {
  Workspace& workspace = TheWorkspace();
  workspace.Write("tools/settings.ini", content);
  LoadedState before;
  {
    Run first;
    if (!first.app.start()) {
      failures.Add("start-up ended the program");
      return;
    }
    before = ReadState(first.app);
    CheckReadBack(first, failures);
    CheckLoadedState(before, failures);
    PressEverything(first, content, failures);
    // The presses change nothing but the variant and the mode; with those put back, the save
    // writes what was loaded.
    ui::Form& main = first.app.frmMain().form();
    main.control(before.serial ? "mnuRavlinkSerial" : "mnuRavlinkIP").click();
    main.control(ModeMenu(before.caption)).click();
    if (!(ReadState(first.app) == before)) failures.Add("the presses changed an option value");
    main.control("mnuFileExit").click();
  }
  for (int pass = 1; pass <= kMostPasses; ++pass) {
    Run run;
    if (!run.app.start()) {
      failures.Add("start-up ended the program after a save");
      return;
    }
    LoadedState after = ReadState(run.app);
    CheckLoadedState(after, failures);
    ComparePass(before, after, pass, failures);
    if (after == before) return;
    run.app.frmMain().mnuFileExit->click();
    before = after;
  }
  failures.Add("values still change after " + std::to_string(kMostPasses) +
               " save and load passes");
}

}  // namespace

std::vector<std::string> CheckSettingsFile(const std::string& content) {
  Failures failures;
  SaveAndLoadUntilSettled(content, failures);
  return failures.Take();
}

}  // namespace loadergui::fuzzing
