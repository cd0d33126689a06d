// modINI: access to single keys of the settings file tools\settings.ini.
#pragma once

#include <string>

#include "platform/Services.h"

namespace loadergui {

std::string SettingsFilePath(platform::Services& services);
std::string ReadSetting(platform::Services& services, const std::string& section,
                        const std::string& key);
void WriteSetting(platform::Services& services, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace loadergui
