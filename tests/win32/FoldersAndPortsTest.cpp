// Whether a path is a folder, and which serial ports the machine has.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "win32/SerialPorts.h"
#include "win32/Services.h"

namespace loadergui::win32::testing {
namespace {

using namespace std::string_literals;

struct FolderCase {
  const char* name;
  const char* path;  // relative to a scratch folder holding "sub\" and "file.bin"
  bool folder;
};

const FolderCase kFolderCases[] = {
    {"Folder", "sub", true},
    {"FolderWithTrailingBackslash", "sub\\", true},
    {"FolderInOtherCase", "SUB", true},
    {"File", "file.bin", false},
    {"Missing", "missing", false},
    {"InsideAFile", "file.bin\\sub", false},
    {"Wildcard", "s*", false},
};

TEST(FoldersTest, IsFolderAsksTheFileSystem) {
  ScratchFolder scratch;
  ASSERT_TRUE(CreateDirectoryA((scratch / "sub").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(scratch / "file.bin", "x"));
  Win32Services services;
  for (const FolderCase& entry : kFolderCases) {
    EXPECT_EQ(services.isFolder(scratch / entry.path), entry.folder) << entry.name;
  }
  EXPECT_TRUE(services.isFolder(scratch.path()));
  EXPECT_FALSE(services.isFolder(""));
}

TEST(FoldersTest, ARelativePathIsTakenFromTheCurrentDirectory) {
  ScratchFolder scratch;
  ASSERT_TRUE(CreateDirectoryA((scratch / "tools").c_str(), nullptr));
  Win32Services services;
  std::string original = services.currentDirectory();
  services.setCurrentDirectory(scratch.path());
  bool tools = services.isFolder("tools");
  bool missing = services.isFolder("tools\\missing");
  services.setCurrentDirectory(original);
  EXPECT_TRUE(tools);
  EXPECT_FALSE(missing);
}

struct PortListCase {
  const char* name;
  std::string list;  // NUL-separated, as QueryDosDeviceA answers
  std::vector<std::string> ports;
};

const PortListCase kPortLists[] = {
    {"PortsAmongOtherDevices", "C:\0COM1\0PIPE\0COM7\0NUL\0\0"s, {"COM1", "COM7"}},
    {"AnyCaseComesOutInCapitals", "com3\0Com12\0cOM255\0\0"s, {"COM3", "COM12", "COM255"}},
    {"NamesThatOnlyStartLikeAPort", "COM\0COMX\0COM1A\0CONOUT$\0LPT1\0COM 2\0ACOM4\0\0"s, {}},
    {"NoDevices", "\0"s, {}},
    {"ListWithoutItsClosingNul", "NUL\0COM5"s, {"COM5"}},
};

TEST(SerialPortsTest, PortNamesArePickedFromTheDeviceList) {
  for (const PortListCase& entry : kPortLists) {
    EXPECT_EQ(detail::SerialPortNames(entry.list.data(), entry.list.size()), entry.ports)
        << entry.name;
  }
}

bool IsPortName(const std::string& name) {
  if (name.size() < 4 || name.compare(0, 3, "COM") != 0) return false;
  return name.find_first_not_of("0123456789", 3) == std::string::npos;
}

// scripts/test-wine.sh gives the Wine prefix a port that no real machine would have by
// chance (Wine maps it to /dev/null) and names it in LOADERGUI_TEST_SERIAL_PORT.
TEST(SerialPortsTest, ThePortsOfTheMachineAreFound) {
  const char* expected = std::getenv("LOADERGUI_TEST_SERIAL_PORT");
  if (!expected) GTEST_SKIP() << "LOADERGUI_TEST_SERIAL_PORT names no port to look for";
  char target[1024] = {};
  ASSERT_NE(QueryDosDeviceA(expected, target, sizeof target), 0u) << expected << " is missing";
  std::vector<std::string> ports = Win32Services().serialPorts();
  int found = 0;
  for (const std::string& port : ports) {
    EXPECT_TRUE(IsPortName(port)) << port;
    found += port == expected;
  }
  EXPECT_EQ(found, 1) << expected;
}

}  // namespace
}  // namespace loadergui::win32::testing
