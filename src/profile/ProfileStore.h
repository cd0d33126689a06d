// The profile (INI) file rules on a whole text, for tests and comparisons: one read or one write.
#pragma once

#include <cstddef>
#include <string>

namespace loadergui::profile {

// The read of one key from a file's text, with the contract of ProfileDocument::read.
std::size_t ReadProfileText(const std::string& fileText, const std::string& section,
                            const std::string& key, const std::string& defaultValue, char* buffer,
                            std::size_t size);

// Returns the file text with one key's value replaced (ProfileDocument::write).
std::string WriteProfileText(const std::string& fileText, const std::string& section,
                             const std::string& key, const std::string& value);

}  // namespace loadergui::profile
