// Where the settings file is kept: profile (INI) access by section and key.
#pragma once

#include <cstddef>
#include <string>

namespace loadergui::platform {

class SettingsStorage {
 public:
  virtual ~SettingsStorage() = default;

  // Profile (INI) file access with the platform's rules: copies at most size-1 characters of
  // the value (or of the default) into buffer, NUL-terminated, and returns the count copied.
  virtual std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, char* buffer,
                                              std::size_t size, const std::string& file) = 0;
  // False when the value could not be stored.
  virtual bool writePrivateProfileString(const std::string& section, const std::string& key,
                                         const std::string& value, const std::string& file) = 0;
};

}  // namespace loadergui::platform
