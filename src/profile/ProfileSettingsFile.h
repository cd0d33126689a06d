// The settings file of the platforms without profile functions of their own: the profile rules
// on a file read once and replaced in one step.
#pragma once

#include <string>

#include "platform/SettingsStorage.h"
#include "profile/ProfileDocument.h"

namespace loadergui::profile {

class ProfileSettingsFile : public platform::SettingsFile {
 public:
  // Reads the file at path now.
  explicit ProfileSettingsFile(std::string path);

  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size) override;
  void writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value) override;
  std::string save() override;

 protected:
  // Whether the values written differ from what the file held.
  bool changed() const { return document_.changed(); }

 private:
  std::string path_;
  std::string readFailure_;
  ProfileDocument document_;
};

}  // namespace loadergui::profile
