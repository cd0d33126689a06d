// What differs between the platforms the program runs on, as plain data: one table per platform,
// which the front end hands to the core with its services.
#pragma once

#include <cstddef>
#include <string_view>

namespace loadergui::platform {

// A fixed list of names, kept in a constant array of its table.
class NameList {
 public:
  template <std::size_t N>
  constexpr NameList(const std::string_view (&names)[N]) : first_(names), count_(N) {}

  constexpr const std::string_view* begin() const { return first_; }
  constexpr const std::string_view* end() const { return first_ + count_; }
  constexpr std::size_t size() const { return count_; }
  constexpr std::string_view operator[](std::size_t index) const { return first_[index]; }

 private:
  const std::string_view* first_;
  std::size_t count_;
};

struct PlatformFacts {
  // The tools, as the head of their command lines names them: relative to the program's folder.
  std::string_view serialLoader;
  std::string_view ipLoader;
  std::string_view arp;
  // What the loaders need to run; the ARP tool is optional and not among them.
  NameList requiredFiles;
  // The program's own file is its base name followed by this; the required-file check runs only
  // when that file is in the program's folder.
  std::string_view programFileSuffix;
  // Separates the folders of a path the program builds (the settings file's).
  char pathSeparator;
  // Every character that separates the folders of a path the user gives: on Windows the slash
  // as well as the backslash.
  std::string_view pathSeparators;
  // Whether a path may start with a drive letter and a colon ("C:\games"), which makes it
  // absolute as a leading separator does.
  bool driveLetters;
  // Whether two paths that differ only in the case of their letters name the same file.
  bool pathsIgnoreCase;

  // The serial device the program starts with, which the Default button puts back.
  std::string_view defaultSerialDevice;
  // First in the device list, in this order, whatever the machine has.
  NameList standardSerialPorts;
  // The device label of the serial loader; it names the default device.
  std::string_view deviceLabel;
  // What names a serial port: one of these prefixes and a number of at most nine digits, no
  // smaller than the first number. The device list orders the ports by prefix, then number.
  NameList serialPortPrefixes;
  bool serialPortNamesIgnoreCase;
  unsigned long firstSerialPortNumber;
};

// clang-format off
inline constexpr std::string_view kWindowsRequiredFiles[] = {
    "tools\\cygintl.dll", "tools\\cygwin1.dll", "tools\\ravlink-serial.exe", "tools\\ravlink-ip.exe"};
inline constexpr std::string_view kWindowsStandardPorts[] = {"COM1", "COM2", "COM3", "COM4"};
inline constexpr std::string_view kWindowsPortPrefixes[] = {"COM"};

inline constexpr PlatformFacts kWindowsFacts{
    "tools\\ravlink-serial.exe", "tools\\ravlink-ip.exe", "tools\\arp.exe",
    kWindowsRequiredFiles, ".exe", '\\', "\\/", true, true,
    "COM1", kWindowsStandardPorts, "Select a device (Default: COM1)",
    kWindowsPortPrefixes, true, 1};

// The loaders are ordinary programs there: no libraries of their own lie beside them.
inline constexpr std::string_view kLinuxRequiredFiles[] = {
    "tools/ravlink-serial", "tools/ravlink-ip"};
inline constexpr std::string_view kLinuxStandardPorts[] = {
    "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
// The built-in ports, then USB serial adapters, then USB modems and boards (CDC ACM).
inline constexpr std::string_view kLinuxPortPrefixes[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};

inline constexpr PlatformFacts kLinuxFacts{
    "tools/ravlink-serial", "tools/ravlink-ip", "tools/arp",
    kLinuxRequiredFiles, "", '/', "/", false, false,
    "/dev/ttyS0", kLinuxStandardPorts, "Select a device (Default: /dev/ttyS0)",
    kLinuxPortPrefixes, false, 0};
// clang-format on

}  // namespace loadergui::platform
