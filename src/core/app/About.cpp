// The About box: eight lines joined by CR LF, shown with the title "About".
#include "app/About.h"

#include <iterator>

#include "app/App.h"
#include "app/Handlers.h"

namespace loadergui {

namespace {
const char* const kAboutLines[] = {
    "This is a GUI for the programming tool Ravlink.",
    "",
    "It supports all of Ravlink's command-line parameters",
    "with support for uploading, uploading then executing,",
    "and downloading.",
    "",
    "Loader GUI Team (loadergui-team@users.noreply.example.org)",
    "https://loadergui.example.org/",
};
}  // namespace

std::string AboutText() {
  std::string text = kAboutLines[0];
  for (std::size_t i = 1; i < std::size(kAboutLines); ++i) {
    text += "\r\n";
    text += kAboutLines[i];
  }
  return text;
}

namespace frmMain {

void mnuHelpAbout_Click(App& app) {
  app.services().messages.messageBox(&app.frmMain().form(), AboutText(), "About");
}

}  // namespace frmMain

}  // namespace loadergui
