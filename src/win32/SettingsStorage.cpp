// The settings file through the real Windows profile functions.
#include "SettingsStorage.h"

#include <windows.h>

namespace loadergui::win32 {

std::size_t Win32SettingsStorage::getPrivateProfileString(const std::string& section,
                                                          const std::string& key,
                                                          const std::string& defaultValue,
                                                          char* buffer, std::size_t size,
                                                          const std::string& file) {
  return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                  static_cast<DWORD>(size), file.c_str());
}

bool Win32SettingsStorage::writePrivateProfileString(const std::string& section,
                                                     const std::string& key,
                                                     const std::string& value,
                                                     const std::string& file) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

}  // namespace loadergui::win32
