// modINI: one key at a time through the platform's profile functions.
#include "settings/Ini.h"

namespace loadergui {

namespace {
constexpr std::size_t kValueBufferSize = 255;
}

// Always addressed through the program's own folder, never the current directory, which the
// pickers and the Execute command move around.
std::string SettingsFilePath(const platform::Services& services) {
  const char separator = services.facts.pathSeparator;
  return services.files.programFolder() + separator + "tools" + separator + "settings.ini";
}

// A missing file, section or key and an empty value all read as the empty text; a stored value
// longer than the buffer comes back cut to its first 254 characters. The answer ends at its first
// NUL as well: a NUL byte in the file would otherwise ride along into a command line, which the
// platform cuts short there.
std::string ReadSetting(const platform::Services& services, const std::string& section,
                        const std::string& key) {
  std::string buffer(kValueBufferSize, ' ');
  std::size_t count = services.settings.getPrivateProfileString(
      section, key, "", buffer.data(), kValueBufferSize, SettingsFilePath(services));
  if (count == 0) return {};
  std::string answer = buffer.substr(0, count);
  return answer.substr(0, answer.find('\0'));
}

// A write that fails (no tools folder, a read-only file) is not reported: the run goes on.
void WriteSetting(const platform::Services& services, const std::string& section,
                  const std::string& key, const std::string& value) {
  services.settings.writePrivateProfileString(section, key, value, SettingsFilePath(services));
}

}  // namespace loadergui
