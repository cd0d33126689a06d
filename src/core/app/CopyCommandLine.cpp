// Copy Command Line: the Execute button's tip, the line a press would start now, put on the
// clipboard for the user to paste into a terminal.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "loader/ExecutePlan.h"

namespace loadergui::frmMain {

// The copy is exactly the tip's text. A press that would start nothing copies nothing; one that
// would be refused copies no refusal for a command line but shows why, as the press would, and
// the clipboard keeps what it held.
void cmdExecute_CopyCommandLine(App& app) {
  auto& services = app.services();
  auto& files = services.files;
  std::string previous = files.currentDirectory();
  files.setCurrentDirectory(files.programFolder());
  ExecutePlan plan = PlanExecute(app);
  files.setCurrentDirectory(previous);
  const ui::Form* owner = &app.frmMain().form();
  switch (plan.outcome) {
    case ExecutePlan::Outcome::Nothing:
      return;
    case ExecutePlan::Outcome::Refused:
      services.messages.messageBox(owner, plan.refusal, text::kOops);
      return;
    case ExecutePlan::Outcome::Start:
      break;
  }
  std::string line = cmdExecute_Tip(app);
  if (line.empty()) return;
  if (!services.clipboard.putText(owner, line)) {
    services.messages.messageBox(owner, text::kClipboardRefused, text::kOops);
  }
}

}  // namespace loadergui::frmMain
