// Load and save sequences: every setting passes between tools\settings.ini and the controls.
#include "settings/SettingsFile.h"

#include <string>

#include "app/App.h"
#include "app/SubRoutines.h"
#include "settings/Ini.h"
#include "settings/OptionValues.h"
#include "ui/Control.h"

namespace loadergui {

namespace {

void ApplyOption(App& app, const OptionValue& option, const std::string& stored) {
  ui::Control& control = app.frmOptions().control(option.control);
  if (option.kind == OptionKind::Text) {
    control.setText(stored.empty() ? std::string(option.defaultValue) : stored);
    return;
  }
  // Setting the value runs the box's click handler, so the controls that depend on it follow.
  control.setValue(ParseCheckBoxValue(stored).value_or(ui::kCleared));
}

std::string StoredForm(App& app, const OptionValue& option) {
  ui::Control& control = app.frmOptions().control(option.control);
  if (option.kind == OptionKind::Text) return control.text();
  return std::to_string(control.value());
}

}  // namespace

// Text that is no whole number, or a number no check box can hold, counts as a missing key.
std::optional<int> ParseCheckBoxValue(const std::string& text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  int value = std::stoi(text);
  if (value > ui::kGreyed) return std::nullopt;
  return value;
}

// The variant comes first: selecting it brings the options dialog into existence, hidden, and
// the option values are loaded into its controls after it.
void LoadSettings(App& app) {
  auto& services = app.services();
  std::string variant = ReadSetting(services, "SETTINGS", "RAVLINK");
  if (variant.empty() || variant == "Serial") {
    SelectSerialLoader(app);
  } else {
    SelectIPLoader(app);
  }

  std::string mode = ReadSetting(services, "SETTINGS", "TYPE");
  app.frmMain().control("cmdExecute").setText(mode.empty() ? "Upload and &Execute" : mode);

  for (const auto& option : kOptionValues) {
    ApplyOption(app, option,
                ReadSetting(services, std::string(option.section), std::string(option.key)));
  }

  // Turns whatever caption was stored into one of the three modes and brings the captions,
  // check marks, file box and information line into line with the values just loaded.
  RefreshTransferMode(app);
}

// Every key is written, changed or not, in the order of the key table.
void SaveSettings(App& app) {
  auto& services = app.services();
  WriteSetting(services, "SETTINGS", "TYPE", app.frmMain().control("cmdExecute").text());
  WriteSetting(services, "SETTINGS", "RAVLINK", SerialLoaderSelected(app) ? "Serial" : "IP");
  for (const auto& option : kOptionValues) {
    WriteSetting(services, std::string(option.section), std::string(option.key),
                 StoredForm(app, option));
  }
}

}  // namespace loadergui
