// The settings file with the profile-file rules of the Windows program, so that one settings
// file serves both.
#include "SettingsStorage.h"

#include "profile/ProfileStore.h"

namespace loadergui::qt {

std::size_t QtSettingsStorage::getPrivateProfileString(const std::string& section,
                                                       const std::string& key,
                                                       const std::string& defaultValue,
                                                       char* buffer, std::size_t size,
                                                       const std::string& file) {
  return profile::ReadProfileFile(file, section, key, defaultValue, buffer, size);
}

bool QtSettingsStorage::writePrivateProfileString(const std::string& section,
                                                  const std::string& key, const std::string& value,
                                                  const std::string& file) {
  return profile::WriteProfileFile(file, section, key, value);
}

}  // namespace loadergui::qt
