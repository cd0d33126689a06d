// Stand-in settings storage through the portable profile store, counted.
#include "SettingsStorage.h"

#include "profile/ProfileSettingsFile.h"

namespace loadergui::null {

class NullSettingsStorage::File : public profile::ProfileSettingsFile {
 public:
  File(NullSettingsStorage& storage, std::string diskPath, bool readOnly)
      : ProfileSettingsFile(diskPath), storage_(storage), readOnly_(readOnly) {
    ++storage_.fileOpens;
  }

  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size) override {
    ++storage_.profileReads;
    return ProfileSettingsFile::getPrivateProfileString(section, key, defaultValue, buffer, size);
  }
  void writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value) override {
    ++storage_.profileWrites;
    ProfileSettingsFile::writePrivateProfileString(section, key, value);
  }
  std::string save() override {
    if (readOnly_ && changed()) return kReadOnlyReason;
    std::string failure = ProfileSettingsFile::save();
    if (failure.empty()) ++storage_.fileSaves;
    return failure;
  }

 private:
  NullSettingsStorage& storage_;
  bool readOnly_;
};

std::unique_ptr<platform::SettingsFile> NullSettingsStorage::open(const std::string& path) {
  std::string diskPath = files_.diskPath(path);
  return std::make_unique<File>(*this, diskPath, readOnly_.count(diskPath) > 0);
}

}  // namespace loadergui::null
