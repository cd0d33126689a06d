// modINI: access to single keys of the settings file tools\settings.ini.
#pragma once

#include <string>

#include "platform/Services.h"

namespace loadergui {

// The settings file's full path, and the short form a message names it by ("tools\settings.ini").
std::string SettingsFilePath(const platform::Services& services);
std::string SettingsFileName(const platform::Services& services);

std::string ReadSetting(platform::SettingsFile& file, const std::string& section,
                        const std::string& key);
// A value that may be longer than ReadSetting takes, such as a path: read whole, or read as the
// empty text when it fills even the larger buffer and may have been cut.
std::string ReadWholeSetting(platform::SettingsFile& file, const std::string& section,
                             const std::string& key);
void WriteSetting(platform::SettingsFile& file, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace loadergui
