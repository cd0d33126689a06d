// The serial ports present, read from the device names that Windows knows.
#include "SerialPorts.h"

#include <windows.h>

#include "settings/SerialDevices.h"

namespace loadergui::win32 {

namespace {

constexpr std::size_t kFirstListSize = 16 * 1024;
// A machine with more device names than this has something wrong with it.
constexpr std::size_t kLargestListSize = 16 * 1024 * 1024;

}  // namespace

namespace detail {

std::vector<std::string> SerialPortNames(const char* list, std::size_t length) {
  std::vector<std::string> ports;
  std::size_t at = 0;
  while (at < length && list[at] != '\0') {
    std::size_t end = at;
    while (end < length && list[end] != '\0') ++end;
    unsigned long number = SerialPortNumber(std::string(list + at, end - at));
    at = end + 1;
    if (number != 0) ports.push_back("COM" + std::to_string(number));
  }
  return ports;
}

}  // namespace detail

// Every port has a device name of its own, COM1 to COM255, whether or not the registry's list
// of serial ports names it; the list of all device names is read into a buffer that grows
// until it fits.
std::vector<std::string> Win32SerialPorts::serialPorts() {
  for (std::size_t size = kFirstListSize; size <= kLargestListSize; size *= 2) {
    std::vector<char> list(size, '\0');
    DWORD length = QueryDosDeviceA(nullptr, list.data(), static_cast<DWORD>(size));
    if (length != 0) return detail::SerialPortNames(list.data(), length);
    DWORD error = GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER && error != ERROR_MORE_DATA) break;
  }
  return {};
}

}  // namespace loadergui::win32
