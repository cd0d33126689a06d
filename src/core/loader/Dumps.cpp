// BIOS and flash dumps: a fixed memory region saved into a file through the active loader.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "app/SubRoutines.h"
#include "loader/CommandLine.h"
#include "loader/RunningLoaders.h"
#include "loader/ShellWait.h"
#include "pickers/FileDialog.h"

namespace loadergui {

namespace {

struct Dump {
  const FileDialogUse& saveDialog;
  const char* address;
  const char* size;
};

const Dump kBiosDump{kBiosDumpUse, "0x0", "0x200000"};
const Dump kFlashDump{kFlashDumpUse, "0x200000", "0x20000"};

// Only the variant, the target and speed and the three switch boxes enter a dump's command;
// the path options never do. A loader that cannot be started is said so before the user
// chooses a file for it; the same loader still running from before is asked about once the
// file is chosen, as the dump is about to start.
void RunDump(App& app, const Dump& dump) {
  const platform::PlatformFacts& facts = app.services().facts;
  std::string cannotStart =
      LoaderStartRefusal(app, SerialLoaderSelected(app) ? facts.serialLoader : facts.ipLoader);
  if (!cannotStart.empty()) {
    app.services().messages.messageBox(&app.frmMain().form(), cannotStart, text::kOops);
    return;
  }
  auto path = RunFileDialog(app, dump.saveDialog);
  if (!path) return;
  LoaderPieces pieces;
  pieces.address = dump.address;
  pieces.size = dump.size;
  pieces.action = "-d";
  pieces.file = *path;
  // The save dialog normally refuses a name with a quote, but nothing reaches the loader that
  // it would not receive as given.
  CommandBuilder command = LoaderCommand(ReadLoaderSetup(app), pieces);
  if (!command.refusal().empty()) {
    app.services().messages.messageBox(&app.frmMain().form(), command.refusal(), text::kOops);
    return;
  }
  if (!MakeWayForLoader(app, command.command())) return;
  StartLoader(app, command.command());
}

}  // namespace

namespace frmMain {

void mnuBIOS_Click(App& app) {
  RunDump(app, kBiosDump);
}
void mnuFlash_Click(App& app) {
  RunDump(app, kFlashDump);
}

}  // namespace frmMain

}  // namespace loadergui
