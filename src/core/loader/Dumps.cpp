// BIOS and flash dumps: a fixed memory region saved into a file through the active loader.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "loader/CommandLine.h"
#include "loader/ShellWait.h"
#include "pickers/FileDialog.h"

namespace loadergui {

namespace {

struct Dump {
  const FileDialogUse& saveDialog;
  const char* addressPiece;
  const char* sizeAndTargetPiece;
};

const Dump kBiosDump{kBiosDumpUse, " -a 0x0", " -s 0x200000 -d "};
const Dump kFlashDump{kFlashDumpUse, " -a 0x200000", " -s 0x20000 -d "};

// Only the variant, the target and speed and the three switch boxes enter a dump's command;
// the path options never do.
void RunDump(App& app, const Dump& dump) {
  auto path = RunFileDialog(app, dump.saveDialog);
  if (!path) return;
  // The save dialog normally refuses a name with a quote, but nothing reaches the loader that
  // could split its command line.
  std::string refusal = HoldsQuote(*path) ? text::kQuoteInFileName : "";
  LoaderSetup setup = ReadLoaderSetup(app);
  if (refusal.empty()) refusal = UnquotedValuesRefusal(SetupValues(setup));
  if (!refusal.empty()) {
    app.services().messages.messageBox(&app.frmMain().form(), refusal, text::kOops);
    return;
  }
  StartLoader(app, LoaderCommandLine(setup, dump.addressPiece, "",
                                     dump.sizeAndTargetPiece + Quoted(*path)));
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
