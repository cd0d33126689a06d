// The settings file through the portable profile store.
#pragma once

#include "platform/SettingsStorage.h"

namespace loadergui::qt {

class QtSettingsStorage : public platform::SettingsStorage {
 public:
  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size, const std::string& file) override;
  bool writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file) override;
};

}  // namespace loadergui::qt
