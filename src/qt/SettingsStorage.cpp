// The settings file with the profile-file rules of the Windows program, so that one settings
// file serves both; read once per load or save and replaced in one step.
#include "SettingsStorage.h"

#include "profile/ProfileSettingsFile.h"

namespace loadergui::qt {

std::unique_ptr<platform::SettingsFile> QtSettingsStorage::open(const std::string& path) {
  return std::make_unique<profile::ProfileSettingsFile>(path);
}

}  // namespace loadergui::qt
