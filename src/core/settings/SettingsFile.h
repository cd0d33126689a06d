// The load and save sequences of the settings file.
#pragma once

#include <optional>
#include <string>

namespace loadergui {

class App;

void LoadSettings(App& app);
void SaveSettings(App& app);

// A stored check-box state: a whole number that a check box can hold (0, 1 or 2), or nothing.
std::optional<int> ParseCheckBoxValue(const std::string& text);

}  // namespace loadergui
