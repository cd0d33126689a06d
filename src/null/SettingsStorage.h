// Stand-in settings storage: the profile store on the stand-in file system, with every opening,
// key read, key write and save counted.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "FileSystem.h"
#include "platform/SettingsStorage.h"

namespace loadergui::null {

class NullSettingsStorage : public platform::SettingsStorage {
 public:
  // Settings file paths are mapped onto the disk through the stand-in file system.
  explicit NullSettingsStorage(NullFileSystem& files) : files_(files) {}

  std::unique_ptr<platform::SettingsFile> open(const std::string& path) override;

  // Files the platform would mark read-only (by program path): a save that would change them
  // fails, as the system says for a read-only file.
  void markReadOnly(const std::string& path) { readOnly_.insert(files_.diskPath(path)); }
  static constexpr const char* kReadOnlyReason = "Access is denied.";

  int fileOpens = 0;
  int profileReads = 0;
  int profileWrites = 0;
  int fileSaves = 0;  // saves that left the file holding every value written

 private:
  class File;
  NullFileSystem& files_;
  std::set<std::string> readOnly_;
};

}  // namespace loadergui::null
