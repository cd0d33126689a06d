// modINI: one key at a time, within one opening of the settings file.
#include "settings/Ini.h"

namespace loadergui {

namespace {
constexpr std::size_t kValueBufferSize = 255;
// The longest path Windows knows, and more than Linux allows.
constexpr std::size_t kWholeValueBufferSize = 32768;

// The value up to its first NUL, and whether it filled the buffer.
std::string ReadIntoBuffer(platform::SettingsFile& file, const std::string& section,
                           const std::string& key, std::size_t size, bool& filled) {
  std::string buffer(size, ' ');
  std::size_t count = file.getPrivateProfileString(section, key, "", buffer.data(), size);
  filled = count + 1 >= size;
  if (count == 0) return {};
  std::string answer = buffer.substr(0, count);
  return answer.substr(0, answer.find('\0'));
}
}  // namespace

std::string SettingsFileName(const platform::Services& services) {
  return std::string("tools") + services.facts.pathSeparator + "settings.ini";
}

// Always addressed through the program's own folder, never the current directory, which the
// pickers and the Execute command move around.
std::string SettingsFilePath(const platform::Services& services) {
  return services.files.programFolder() + services.facts.pathSeparator + SettingsFileName(services);
}

// A missing file, section or key and an empty value all read as the empty text; a stored value
// longer than the buffer comes back cut to its first 254 characters. The answer ends at its first
// NUL as well: a NUL byte in the file would otherwise ride along into a command line, which the
// platform cuts short there.
std::string ReadSetting(platform::SettingsFile& file, const std::string& section,
                        const std::string& key) {
  bool filled = false;
  return ReadIntoBuffer(file, section, key, kValueBufferSize, filled);
}

// A value cut short would name another file, so one that may have been cut is no value at all.
std::string ReadWholeSetting(platform::SettingsFile& file, const std::string& section,
                             const std::string& key) {
  bool filled = false;
  std::string value = ReadIntoBuffer(file, section, key, kWholeValueBufferSize, filled);
  return filled ? std::string() : value;
}

// A value holds one line: a line break in it would make what follows a line of its own in the
// file, which reads back as a key or a section of its own. What a single-line box shows, the
// text up to the first line break, is what is kept.
void WriteSetting(platform::SettingsFile& file, const std::string& section, const std::string& key,
                  const std::string& value) {
  file.writePrivateProfileString(section, key, value.substr(0, value.find_first_of("\r\n")));
}

}  // namespace loadergui
