// Load and save sequences: every setting passes between tools\settings.ini and the controls,
// and the kept files between it and the file boxes and recent files.
#include "settings/SettingsFile.h"

#include <memory>
#include <string>

#include "app/App.h"
#include "app/Captions.h"
#include "app/SubRoutines.h"
#include "settings/Ini.h"
#include "settings/KeptFiles.h"
#include "settings/OptionValues.h"

namespace loadergui {

// The variant comes first: selecting it brings the options dialog into existence, hidden, and
// the option values are loaded into its controls after it. A missing or empty key takes its
// default; a check box set from the file runs its click handler, so the controls that depend
// on it follow, and text that names no check-box value counts as a missing key. The file is
// read once for all of them.
void LoadSettings(App& app) {
  auto& services = app.services();
  std::unique_ptr<platform::SettingsFile> file = services.settings.open(SettingsFilePath(services));
  std::string variant = ReadSetting(*file, "SETTINGS", "RAVLINK");
  if (variant.empty() || variant == "Serial") {
    SelectSerialLoader(app);
  } else {
    SelectIPLoader(app);
  }

  std::string mode = ReadSetting(*file, "SETTINGS", "TYPE");
  app.frmMain().cmdExecute->setText(mode.empty() ? text::kModeUploadExecute : mode);

  for (const auto& option : kOptionValues) {
    std::string stored = ReadSetting(*file, std::string(option.section), std::string(option.key));
    SetOptionText(app.frmOptions(), option,
                  stored.empty() ? OptionDefault(option, services.facts) : stored);
  }

  // Turns whatever caption was stored into one of the three modes and brings the captions,
  // check marks, file box and information line into line with the values just loaded.
  RefreshTransferMode(app);
  LoadKeptFiles(app, *file);
}

// Every key is written, changed or not, in the order of the key table, and the file takes them
// all at once: a save cut short (the program killed, the disk full) leaves the file of the run
// before. A save that fails is said, with the system's reason, unless the session is ending and
// nobody is there to read it; either way the program ends as it would have.
void SaveSettings(App& app) {
  auto& services = app.services();
  std::unique_ptr<platform::SettingsFile> file = services.settings.open(SettingsFilePath(services));
  WriteSetting(*file, "SETTINGS", "TYPE", app.frmMain().cmdExecute->text());
  WriteSetting(*file, "SETTINGS", "RAVLINK", SerialLoaderSelected(app) ? "Serial" : "IP");
  for (const auto& option : kOptionValues) {
    WriteSetting(*file, std::string(option.section), std::string(option.key),
                 OptionText(app.frmOptions(), option));
  }
  // After the sixteen keys, so that a file made from nothing starts with their four sections.
  SaveKeptFiles(app, *file);
  std::string failure = file->save();
  if (failure.empty() || app.sessionEnding()) return;
  std::string message =
      "Sorry, the settings could not be saved to " + SettingsFileName(services) + ".\r\n" + failure;
  services.messages.messageBox(app.mainLoaded() ? &app.frmMain().form() : nullptr, message,
                               text::kOops);
}

}  // namespace loadergui
