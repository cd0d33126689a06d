// Load and save sequences: every setting passes between tools\settings.ini and the controls.
#include "settings/SettingsFile.h"

#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/SubRoutines.h"
#include "settings/Ini.h"
#include "settings/OptionValues.h"

namespace loadergui {

// The variant comes first: selecting it brings the options dialog into existence, hidden, and
// the option values are loaded into its controls after it. A missing or empty key takes its
// default; a check box set from the file runs its click handler, so the controls that depend
// on it follow, and text that names no check-box value counts as a missing key.
void LoadSettings(App& app) {
  auto& services = app.services();
  std::string variant = ReadSetting(services, "SETTINGS", "RAVLINK");
  if (variant.empty() || variant == "Serial") {
    SelectSerialLoader(app);
  } else {
    SelectIPLoader(app);
  }

  std::string mode = ReadSetting(services, "SETTINGS", "TYPE");
  app.frmMain().cmdExecute->setText(mode.empty() ? text::kModeUploadExecute : mode);

  for (const auto& option : kOptionValues) {
    std::string stored =
        ReadSetting(services, std::string(option.section), std::string(option.key));
    SetOptionText(app.frmOptions(), option,
                  stored.empty() ? OptionDefault(option, services.facts) : stored);
  }

  // Turns whatever caption was stored into one of the three modes and brings the captions,
  // check marks, file box and information line into line with the values just loaded.
  RefreshTransferMode(app);
}

// Every key is written, changed or not, in the order of the key table.
void SaveSettings(App& app) {
  auto& services = app.services();
  WriteSetting(services, "SETTINGS", "TYPE", app.frmMain().cmdExecute->text());
  WriteSetting(services, "SETTINGS", "RAVLINK", SerialLoaderSelected(app) ? "Serial" : "IP");
  for (const auto& option : kOptionValues) {
    WriteSetting(services, std::string(option.section), std::string(option.key),
                 OptionText(app.frmOptions(), option));
  }
}

}  // namespace loadergui
