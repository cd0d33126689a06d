// The Execute command: check the inputs of the mode, run the ARP step if asked, start the loader.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "app/SubRoutines.h"
#include "loader/CommandLine.h"
#include "loader/ExecutePlan.h"
#include "loader/ShellWait.h"
#include "loader/Tools.h"
#include "ui/Control.h"

namespace loadergui {

namespace {

using Outcome = ExecutePlan::Outcome;

ExecutePlan Refusal(std::string message) {
  ExecutePlan plan;
  plan.outcome = Outcome::Refused;
  plan.refusal = std::move(message);
  return plan;
}

// The action piece of a mode, or, when the press ends before it, the plan it ends with.
struct Action {
  std::string piece;
  ExecutePlan end;
};

Action Ends(ExecutePlan plan) {
  return {{}, std::move(plan)};
}

Action UploadAction(App& app) {
  MainWindow& main = app.frmMain();
  std::string file = main.txtUpload->text();
  if (!app.services().files.findFile(file, platform::SearchFor::OrdinaryFiles)) {
    return Ends(Refusal(text::kNoSuchFile));
  }
  if (HoldsQuote(file)) return Ends(Refusal(text::kQuoteInFileName));
  const char* option = main.mnuConfigUpload->checked() ? " -u " : " -x ";
  return {option + Quoted(file), {}};
}

// Nothing happens when Download is not in force.
Action DownloadAction(App& app) {
  MainWindow& main = app.frmMain();
  if (!main.mnuConfigDownload->checked()) return Ends({});
  std::string file = main.txtDownload->text();
  if (file.empty() || file == text::kDownloadPrompt) {
    return Ends(Refusal("You must save a file to download to."));
  }
  if (HoldsQuote(file)) return Ends(Refusal(text::kQuoteInFileName));
  std::string size = app.frmOptions().txtFilesize->text();
  if (size == text::kUnsetFileSize) {
    return Ends(Refusal("You must set the file size before downloading."));
  }
  std::string refusal = UnquotedValuesRefusal({{"the file size", size}});
  if (!refusal.empty()) return Ends(Refusal(refusal));
  return {" -s " + size + " -d " + Quoted(file), {}};
}

struct PathOption {
  ui::Control* OptionsDialog::*checkBox;
  ui::Control* OptionsDialog::*textBox;
  const char* option;
};

const PathOption kPathOptions[] = {
    {&OptionsDialog::cbChroot, &OptionsDialog::txtChroot, " -c "},
    {&OptionsDialog::cbCDFSRedir, &OptionsDialog::txtCDFSRedir, " -i "},
};

}  // namespace

// Reads the controls and looks the upload file up from the current directory; starts nothing
// and shows nothing, so the same plan serves the press and the preview of its command line.
ExecutePlan PlanExecute(App& app) {
  MainWindow& main = app.frmMain();
  OptionsDialog& options = app.frmOptions();
  bool uploadFamily = main.cmdBrowse->text() == text::kBrowse;
  Action action = uploadFamily ? UploadAction(app) : DownloadAction(app);
  if (action.piece.empty()) return action.end;

  std::string pathOptions;
  for (const auto& path : kPathOptions) {
    if (!(options.*path.checkBox)->ticked()) continue;
    std::string folderOrImage = (options.*path.textBox)->text();
    if (HoldsQuote(folderOrImage)) return Refusal(text::kQuoteInFileName);
    pathOptions += path.option + Quoted(folderOrImage);
  }

  LoaderSetup setup = ReadLoaderSetup(app);
  std::string address = options.txtAddress->text();
  std::vector<UnquotedValue> values = SetupValues(setup);
  values.push_back({"the address", address});
  std::string refusal = UnquotedValuesRefusal(values);
  if (!refusal.empty()) return Refusal(refusal);

  // The ARP step binds the console's IP address to its MAC address before an IP transfer. The
  // MAC address goes as typed: its prompt text still in the box makes the step fail, which
  // never holds up the transfer, and the tool's further arguments choose nothing of ours.
  ExecutePlan plan;
  plan.outcome = Outcome::Start;
  if (!setup.serial && options.cbARP->ticked()) {
    plan.arpCommand =
        std::string(app.services().facts.arp) + " -s " + setup.ip + " " + options.txtARP->text();
  }
  plan.loaderCommand = LoaderCommandLine(setup, " -a " + address, pathOptions, action.piece);
  return plan;
}

namespace frmMain {

void cmdExecute_Click(App& app) {
  auto& services = app.services();
  services.files.setCurrentDirectory(services.files.programFolder());
  ExecutePlan plan = PlanExecute(app);
  switch (plan.outcome) {
    case Outcome::Nothing:
      return;
    case Outcome::Refused:
      services.messages.messageBox(&app.frmMain().form(), plan.refusal, text::kOops);
      return;
    case Outcome::Start:
      if (!plan.arpCommand.empty()) {
        ShellAndWait(services.processes, plan.arpCommand, tools::kNormalFocus);
      }
      StartLoader(app, plan.loaderCommand);
      return;
  }
}

// What a press would start now, the ARP step's line first, or the message it would refuse
// with. The plan is made from the program's folder, as the press makes it, and the current
// directory is put back afterwards.
std::string cmdExecute_Tip(App& app) {
  auto& files = app.services().files;
  std::string previous = files.currentDirectory();
  files.setCurrentDirectory(files.programFolder());
  ExecutePlan plan = PlanExecute(app);
  files.setCurrentDirectory(previous);
  switch (plan.outcome) {
    case Outcome::Nothing:
      return {};
    case Outcome::Refused:
      return plan.refusal;
    case Outcome::Start:
      break;
  }
  auto& processes = app.services().processes;
  std::string loaderLine = processes.shellLine(plan.loaderCommand);
  if (plan.arpCommand.empty()) return loaderLine;
  return processes.shellLine(plan.arpCommand) + "\r\n" + loaderLine;
}

}  // namespace frmMain

}  // namespace loadergui
