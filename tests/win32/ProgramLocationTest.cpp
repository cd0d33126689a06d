// The program's folder and base name, and the current directory, as the services report them.
#include <gtest/gtest.h>
#include <windows.h>

#include "PlatformTestSupport.h"
#include "win32/Services.h"

namespace loadergui::win32::testing {
namespace {

TEST(ProgramLocationTest, DefaultsComeFromTheRunningExecutable) {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  Win32Services services;
  EXPECT_EQ(services.programFolder(), FolderOf(path));
  EXPECT_NE(services.programFolder().back(), '\\');
  EXPECT_EQ(services.programBaseName(), "win32_tests");
  EXPECT_TRUE(FileExists(services.programFolder() + "\\" + services.programBaseName() + ".exe"));
}

TEST(ProgramLocationTest, TestsCanPlaceTheProgramElsewhere) {
  Win32Services services("C:\\Games\\Loader", "ravlinkgui");
  EXPECT_EQ(services.programFolder(), "C:\\Games\\Loader");
  EXPECT_EQ(services.programBaseName(), "ravlinkgui");
}

TEST(ProgramLocationTest, CurrentDirectoryFollowsItsSetting) {
  Win32Services services;
  ScratchFolder first, second;
  std::string original = services.currentDirectory();
  for (const ScratchFolder* folder : {&first, &second}) {
    services.setCurrentDirectory(folder->path());
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, services.currentDirectory().c_str(),
                             -1, folder->path().c_str(), -1),
              CSTR_EQUAL)
        << services.currentDirectory() << " vs " << folder->path();
  }
  services.setCurrentDirectory(original);
  EXPECT_EQ(services.currentDirectory(), original);
}

}  // namespace
}  // namespace loadergui::win32::testing
