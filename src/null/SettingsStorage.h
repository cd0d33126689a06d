// Stand-in settings storage: the profile store on the stand-in file system, reads and writes
// counted.
#pragma once

#include <cstddef>
#include <set>
#include <string>

#include "FileSystem.h"
#include "platform/SettingsStorage.h"

namespace loadergui::null {

class NullSettingsStorage : public platform::SettingsStorage {
 public:
  // Settings file paths are mapped onto the disk through the stand-in file system.
  explicit NullSettingsStorage(NullFileSystem& files) : files_(files) {}

  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size, const std::string& file) override;
  bool writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file) override;

  // Files the platform would mark read-only (by program path): every write to them fails.
  void markReadOnly(const std::string& path) { readOnly_.insert(files_.diskPath(path)); }

  int profileReads = 0;
  int profileWrites = 0;

 private:
  NullFileSystem& files_;
  std::set<std::string> readOnly_;
};

}  // namespace loadergui::null
