// The settings file through the real Windows profile functions.
#pragma once

#include "platform/SettingsStorage.h"

namespace loadergui::win32 {

class Win32SettingsStorage : public platform::SettingsStorage {
 public:
  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size, const std::string& file) override;
  bool writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file) override;
};

}  // namespace loadergui::win32
