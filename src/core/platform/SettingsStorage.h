// Where the settings file is kept: the whole file opened once, read and written by section and
// key, and saved in one go.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace loadergui::platform {

// The settings file as one load or one save sees it.
class SettingsFile {
 public:
  virtual ~SettingsFile() = default;

  // Profile (INI) read with the platform's rules: copies at most size-1 characters of the value
  // (or of the default) into buffer, NUL-terminated, and returns the count copied.
  virtual std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, char* buffer,
                                              std::size_t size) = 0;
  // Profile write with the platform's rules; nothing reaches the disk before save().
  virtual void writePrivateProfileString(const std::string& section, const std::string& key,
                                         const std::string& value) = 0;
  // Puts every value written into the file at once. Empty when the file holds them now (or
  // already did); otherwise the system's reason, and the file is as it was before.
  virtual std::string save() = 0;
};

class SettingsStorage {
 public:
  virtual ~SettingsStorage() = default;

  // Reads the file at that path once; a missing file opens empty.
  virtual std::unique_ptr<SettingsFile> open(const std::string& path) = 0;
};

}  // namespace loadergui::platform
