// The settings file through the portable profile store.
#pragma once

#include "platform/SettingsStorage.h"

namespace loadergui::qt {

class QtSettingsStorage : public platform::SettingsStorage {
 public:
  std::unique_ptr<platform::SettingsFile> open(const std::string& path) override;
};

}  // namespace loadergui::qt
