// Stand-in settings storage through the portable profile store.
#include "SettingsStorage.h"

#include "profile/ProfileStore.h"

namespace loadergui::null {

std::size_t NullSettingsStorage::getPrivateProfileString(const std::string& section,
                                                         const std::string& key,
                                                         const std::string& defaultValue,
                                                         char* buffer, std::size_t size,
                                                         const std::string& file) {
  ++profileReads;
  return profile::ReadProfileFile(files_.diskPath(file), section, key, defaultValue, buffer, size);
}

bool NullSettingsStorage::writePrivateProfileString(const std::string& section,
                                                    const std::string& key,
                                                    const std::string& value,
                                                    const std::string& file) {
  ++profileWrites;
  if (readOnly_.count(files_.diskPath(file))) return false;
  return profile::WriteProfileFile(files_.diskPath(file), section, key, value);
}

}  // namespace loadergui::null
