// One read or one write on a whole text, through a document parsed for it.
#include "profile/ProfileStore.h"

#include "profile/ProfileDocument.h"

namespace loadergui::profile {

std::size_t ReadProfileText(const std::string& fileText, const std::string& section,
                            const std::string& key, const std::string& defaultValue, char* buffer,
                            std::size_t size) {
  return ProfileDocument(fileText).read(section, key, defaultValue, buffer, size);
}

std::string WriteProfileText(const std::string& fileText, const std::string& section,
                             const std::string& key, const std::string& value) {
  ProfileDocument document(fileText);
  document.write(section, key, value);
  return document.text();
}

}  // namespace loadergui::profile
