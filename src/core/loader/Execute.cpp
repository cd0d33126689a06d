// The Execute command: check the inputs of the mode, run the ARP step if asked, start the loader.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/SubRoutines.h"
#include "loader/CommandLine.h"
#include "loader/ShellWait.h"
#include "loader/Tools.h"
#include "ui/Control.h"

namespace loadergui {

namespace {

void Refuse(App& app, const std::string& message) {
  app.services().messageBox(&app.frmMain(), message, text::kOops);
}

// The action piece of an upload, or empty when the upload file does not exist.
std::string UploadAction(App& app) {
  ui::Form& main = app.frmMain();
  std::string file = main.control("txtUpload").text();
  if (!app.services().findFile(file, platform::SearchFor::OrdinaryFiles)) {
    Refuse(app, "Sorry, that file does not exist!");
    return {};
  }
  const char* option = main.control("mnuConfigUpload").checked() ? " -u " : " -x ";
  return option + Quoted(file);
}

// The action piece of a download, or empty when the download is refused or not in force.
std::string DownloadAction(App& app) {
  ui::Form& main = app.frmMain();
  if (!main.control("mnuConfigDownload").checked()) return {};
  std::string file = main.control("txtDownload").text();
  if (file.empty() || file == text::kDownloadPrompt) {
    Refuse(app, "You must save a file to download to.");
    return {};
  }
  // The path goes to the loader between double quotes, so a quote of its own would end it early
  // and hand the rest to the loader as further options.
  if (file.find('"') != std::string::npos) {
    Refuse(app, text::kQuoteInFileName);
    return {};
  }
  std::string size = app.frmOptions().control("txtFilesize").text();
  if (size == "0x0") {
    Refuse(app, "You must set the file size before downloading.");
    return {};
  }
  return " -s " + size + " -d " + Quoted(file);
}

std::string PathOptions(App& app) {
  ui::Form& options = app.frmOptions();
  std::string pieces;
  if (options.control("cbChroot").value() == ui::kTicked) {
    pieces += " -c " + Quoted(options.control("txtChroot").text());
  }
  if (options.control("cbCDFSRedir").value() == ui::kTicked) {
    pieces += " -i " + Quoted(options.control("txtCDFSRedir").text());
  }
  return pieces;
}

// Binds the console's IP address to its MAC address before an IP transfer; waited for.
void RunArpStepIfAsked(App& app, const LoaderSetup& setup) {
  ui::Form& options = app.frmOptions();
  if (setup.serial || options.control("cbARP").value() != ui::kTicked) return;
  std::string command =
      std::string(tools::kArp) + " -s " + setup.ip + " " + options.control("txtARP").text();
  ShellAndWait(app.services(), command, tools::kNormalFocus);
}

}  // namespace

void frmMain::cmdExecute_Click(App& app) {
  auto& services = app.services();
  services.setCurrentDirectory(services.programFolder());

  ui::Form& main = app.frmMain();
  bool uploadFamily = main.control("cmdBrowse").text() == text::kBrowse;
  std::string action = uploadFamily ? UploadAction(app) : DownloadAction(app);
  if (action.empty()) return;

  LoaderSetup setup = ReadLoaderSetup(app);
  RunArpStepIfAsked(app, setup);
  std::string address = " -a " + app.frmOptions().control("txtAddress").text();
  StartLoader(app, LoaderCommandLine(setup, address, PathOptions(app), action));
}

}  // namespace loadergui
