// The settings file through the real Windows profile functions, saved through a copy.
#pragma once

#include "platform/SettingsStorage.h"

namespace loadergui::win32 {

class Win32SettingsStorage : public platform::SettingsStorage {
 public:
  std::unique_ptr<platform::SettingsFile> open(const std::string& path) override;
};

}  // namespace loadergui::win32
