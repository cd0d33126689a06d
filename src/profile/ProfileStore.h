// The profile (INI) file rules, for platforms without profile functions of their own.
#pragma once

#include <cstddef>
#include <string>

namespace loadergui::profile {

// Same contract as the platform's profile read: copies at most size-1 characters of the value
// (or of the default when the section or key is missing) into buffer, NUL-terminated, and
// returns the number copied. Section and key names match without regard to case; the value
// loses the blanks around it and one pair of enclosing quotation marks.
std::size_t ReadProfileString(const std::string& fileText, const std::string& section,
                              const std::string& key, const std::string& defaultValue, char* buffer,
                              std::size_t size);

// Returns the file text with one key's value replaced; a missing key is added at the end of
// its section, a missing section at the end of the file. Everything else stays as it was.
std::string WriteProfileString(const std::string& fileText, const std::string& section,
                               const std::string& key, const std::string& value);

// The same two operations on a file on disk; a missing file reads as empty. The write reports
// false when the file cannot be written.
std::size_t ReadProfileFile(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& defaultValue, char* buffer,
                            std::size_t size);
bool WriteProfileFile(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value);

}  // namespace loadergui::profile
