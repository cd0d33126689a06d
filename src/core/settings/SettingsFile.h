// The load and save sequences of the settings file.
#pragma once

namespace loadergui {

class App;

void LoadSettings(App& app);
void SaveSettings(App& app);

}  // namespace loadergui
