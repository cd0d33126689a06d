// Start-up and shutdown of the main window: required files, settings load, unload order.
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"
#include "settings/SettingsFile.h"

namespace loadergui {

namespace {

// The check runs only when the program's own executable is found under its own base name in
// its folder; a renamed copy starts without looking for its tools.
bool RequiredFilesMissing(App& app) {
  auto& files = app.services().files;
  const platform::PlatformFacts& facts = app.services().facts;
  std::string ownFile = files.programBaseName() + std::string(facts.programFileSuffix);
  if (!files.findFile(ownFile, platform::SearchFor::OrdinaryFiles)) return false;
  for (std::string_view file : facts.requiredFiles) {
    if (!files.findFile(std::string(file), platform::SearchFor::OrdinaryFiles)) return true;
  }
  return false;
}

}  // namespace

namespace frmMain {

// Runs while the main window is loaded and still invisible. False ends the program at once,
// before any setting is read.
bool Form_Load(App& app) {
  auto& services = app.services();
  services.files.setCurrentDirectory(services.files.programFolder());
  if (RequiredFilesMissing(app)) {
    services.messages.messageBox(nullptr, "A required file(s) was not found!", text::kOops);
    return false;
  }
  LoadSettings(app);
  return true;
}

// The options dialog's unload writes the settings; the main window itself never does.
void Form_Unload(App& app, int& /*cancel*/) {
  app.unloadOptions();
  app.unloadMain();
}

void mnuFileExit_Click(App& app) {
  int cancel = 0;
  Form_Unload(app, cancel);
}

}  // namespace frmMain

}  // namespace loadergui
