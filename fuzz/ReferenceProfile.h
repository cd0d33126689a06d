// The profile rules as a plain reference model, for the fuzz property and the tests.
#pragma once

#include <cstddef>
#include <string>

namespace loadergui::fuzzing::reference {

// The read and write of the profile store, each on a whole text.
std::size_t ReadProfileText(const std::string& fileText, const std::string& section,
                            const std::string& key, const std::string& defaultValue, char* buffer,
                            std::size_t size);
std::string WriteProfileText(const std::string& fileText, const std::string& section,
                             const std::string& key, const std::string& value);

}  // namespace loadergui::fuzzing::reference
