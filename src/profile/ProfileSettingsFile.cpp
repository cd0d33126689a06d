// A settings file read once into a document, written back whole when something changed.
#include "profile/ProfileSettingsFile.h"

#include <utility>

#include "profile/ProfileFile.h"

namespace loadergui::profile {

namespace {

ProfileDocument ReadDocument(const std::string& path, std::string& failure) {
  FileText file = ReadFileText(path);
  failure = std::move(file.failure);
  return ProfileDocument(std::move(file.text));
}

}  // namespace

ProfileSettingsFile::ProfileSettingsFile(std::string path)
    : path_(std::move(path)), document_(ReadDocument(path_, readFailure_)) {}

std::size_t ProfileSettingsFile::getPrivateProfileString(const std::string& section,
                                                         const std::string& key,
                                                         const std::string& defaultValue,
                                                         char* buffer, std::size_t size) {
  return document_.read(section, key, defaultValue, buffer, size);
}

void ProfileSettingsFile::writePrivateProfileString(const std::string& section,
                                                    const std::string& key,
                                                    const std::string& value) {
  document_.write(section, key, value);
}

// A file that could not be read is never replaced: what it holds beyond the program's keys
// would be lost. A file that already holds every value is left as it is, so that an unchanged
// run saves nothing even where nothing may be written.
std::string ProfileSettingsFile::save() {
  if (!readFailure_.empty()) return readFailure_;
  if (!document_.changed()) return {};
  return ReplaceFileText(path_, document_);
}

}  // namespace loadergui::profile
