// The Execute command: check the inputs of the mode, run the ARP step if asked, start the loader.
#include <optional>
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "app/RecentFiles.h"
#include "app/SubRoutines.h"
#include "loader/CommandLine.h"
#include "loader/ExecutePlan.h"
#include "loader/RunningLoaders.h"
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

// The action pieces of a mode, or, when the press ends before them, the plan it ends with.
struct Action {
  std::optional<LoaderPieces> pieces;
  ExecutePlan end;
};

Action Ends(ExecutePlan plan) {
  return {std::nullopt, std::move(plan)};
}

Action UploadAction(App& app) {
  MainWindow& main = app.frmMain();
  std::string file = main.txtUpload->text();
  if (!app.services().files.findFile(file, platform::SearchFor::OrdinaryFiles)) {
    return Ends(Refusal(text::kNoSuchFile));
  }
  LoaderPieces pieces;
  pieces.action = main.mnuConfigUpload->checked() ? "-u" : "-x";
  pieces.file = file;
  return {pieces, {}};
}

// Nothing happens when Download is not in force.
Action DownloadAction(App& app) {
  MainWindow& main = app.frmMain();
  if (!main.mnuConfigDownload->checked()) return Ends({});
  std::string file = main.txtDownload->text();
  if (file.empty() || file == text::kDownloadPrompt) {
    return Ends(Refusal("You must save a file to download to."));
  }
  std::string size = app.frmOptions().txtFilesize->text();
  if (size == text::kUnsetFileSize) {
    return Ends(Refusal("You must set the file size before downloading."));
  }
  LoaderPieces pieces;
  pieces.size = size;
  pieces.action = "-d";
  pieces.file = file;
  return {pieces, {}};
}

struct PathOptionBox {
  ui::Control* OptionsDialog::*checkBox;
  ui::Control* OptionsDialog::*textBox;
  const char* option;
};

const PathOptionBox kPathOptions[] = {
    {&OptionsDialog::cbChroot, &OptionsDialog::txtChroot, "-c"},
    {&OptionsDialog::cbCDFSRedir, &OptionsDialog::txtCDFSRedir, "-i"},
};

}  // namespace

// Reads the controls and looks the upload file up from the current directory; starts nothing
// and shows nothing, so the same plan serves the press and the preview of its command line.
// Everything a press needs is settled before it starts anything: the inputs, then whether the
// platform can start the loader at all, so that a press that cannot end in a loader does not
// run the ARP step (and block the window) first.
ExecutePlan PlanExecute(App& app) {
  MainWindow& main = app.frmMain();
  OptionsDialog& options = app.frmOptions();
  bool uploadFamily = main.cmdBrowse->text() == text::kBrowse;
  Action action = uploadFamily ? UploadAction(app) : DownloadAction(app);
  if (!action.pieces) return action.end;

  LoaderPieces& pieces = *action.pieces;
  pieces.address = options.txtAddress->text();
  for (const auto& path : kPathOptions) {
    if ((options.*path.checkBox)->ticked()) {
      pieces.pathOptions.push_back({path.option, (options.*path.textBox)->text()});
    }
  }
  LoaderSetup setup = ReadLoaderSetup(app);
  CommandBuilder loader = LoaderCommand(setup, pieces);
  if (!loader.refusal().empty()) return Refusal(loader.refusal());

  // The ARP step binds the console's IP address to its MAC address before an IP transfer. The
  // MAC address goes as typed: its prompt text still in the box makes the step fail, which
  // never holds up the transfer, and the tool's further arguments choose nothing of ours.
  ExecutePlan plan;
  if (!setup.serial && options.cbARP->ticked()) {
    CommandBuilder arp(app.services().facts.arp, setup.leadBytes);
    arp.option("-s")
        .value("the IP address", setup.ip)
        .value("the MAC address", options.txtARP->text());
    if (!arp.refusal().empty()) return Refusal(arp.refusal());
    plan.arp = arp.command();
  }
  std::string cannotStart = LoaderStartRefusal(app, setup.loader);
  if (!cannotStart.empty()) return Refusal(cannotStart);
  plan.outcome = Outcome::Start;
  plan.loader = loader.command();
  return plan;
}

namespace frmMain {

// A loader of the same kind still running from before is asked about before anything starts,
// so that Cancel leaves out the ARP step too.
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
    case Outcome::Start: {
      // The file the plan was made for: the question below can let a handed-over one in.
      std::string uploaded = UploadOfPress(app);
      if (!MakeWayForLoader(app, plan.loader)) return;
      if (!uploaded.empty()) RememberUploadFile(app, uploaded);
      if (plan.arp) ShellAndWait(services.processes, *plan.arp, tools::kNormalFocus);
      StartLoader(app, plan.loader);
      return;
    }
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
  std::string loaderLine = processes.shellLine(plan.loader);
  if (!plan.arp) return loaderLine;
  return processes.shellLine(*plan.arp) + "\r\n" + loaderLine;
}

}  // namespace frmMain

}  // namespace loadergui
