// The files kept from one run to the next: the upload file and the download target in force at
// exit, and the recent upload files, in a section of the settings file of their own.
#pragma once

#include "platform/SettingsStorage.h"

namespace loadergui {

class App;

// Read and written within the load and save sequences of the settings file, after its sixteen
// keys, through the same opening of the file.
void LoadKeptFiles(App& app, platform::SettingsFile& file);
void SaveKeptFiles(App& app, platform::SettingsFile& file);

}  // namespace loadergui
