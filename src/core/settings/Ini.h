// modINI: access to single keys of the settings file tools\settings.ini.
#pragma once

#include <string>

#include "platform/Services.h"

namespace loadergui {

std::string SettingsFilePath(const platform::Services& services);
std::string ReadSetting(const platform::Services& services, const std::string& section,
                        const std::string& key);
void WriteSetting(const platform::Services& services, const std::string& section,
                  const std::string& key, const std::string& value);

}  // namespace loadergui
