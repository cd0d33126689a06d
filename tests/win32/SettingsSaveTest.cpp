// The Windows settings file: the system's profile functions write a copy that replaces the file
// only when every write has reached the disk; a save that cannot be made says why.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>

#include "PlatformTestSupport.h"
#include "win32/SettingsStorage.h"
#include "win32/SystemMessage.h"

namespace loadergui::win32::testing {
namespace {

struct Key {
  const char* section;
  const char* key;
  std::string value;
};

// A save like the program's: a few keys of its sections, and one of another program's left.
const Key kKeys[] = {
    {"SETTINGS", "TYPE", "&Download"},
    {"SETTINGS", "RAVLINK", "IP"},
    {"OPTIONS", "ADDRESS", "0x8c020000"},
    {"CDFSREDIRECT", "ISO", "C:\\iso\\game.iso"},
};

const std::string kOldFile =
    "[SETTINGS]\r\nTYPE=&Upload\r\n[Elsewhere]\r\nkept=by another program\r\n";

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = entry.cFileName;
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

std::string Save(const std::string& path, const std::string& bigValue = {}) {
  Win32SettingsStorage storage;
  auto file = storage.open(path);
  for (const Key& key : kKeys) file->writePrivateProfileString(key.section, key.key, key.value);
  if (!bigValue.empty()) file->writePrivateProfileString("OPTIONS", "ARPMAC", bigValue);
  return file->save();
}

// The file as the profile function leaves it when written key by key, in place.
std::string WrittenInPlace(const ScratchFolder& folder, const std::string& start) {
  std::string reference = folder / "reference.ini";
  WriteWholeFile(reference, start);
  for (const Key& key : kKeys) {
    WritePrivateProfileStringA(key.section, key.key, key.value.c_str(), reference.c_str());
  }
  std::string text = ReadWholeFile(reference);
  DeleteFileA(reference.c_str());
  return text;
}

TEST(SettingsSaveTest, HoldsWhatTheProfileFunctionWritesAndLeavesNothingBeside) {
  for (bool existing : {true, false}) {
    SCOPED_TRACE(existing ? "an existing file" : "no file yet");
    ScratchFolder folder;
    std::string expected = WrittenInPlace(folder, existing ? kOldFile : "");
    std::string settings = folder / "settings.ini";
    if (existing) WriteWholeFile(settings, kOldFile);
    EXPECT_EQ(Save(settings), "");
    EXPECT_EQ(Visible(ReadWholeFile(settings)), Visible(expected));
    EXPECT_EQ(Entries(folder.path()), std::set<std::string>{"settings.ini"});
  }
}

// The read sees what the save put there, through the system's own profile cache.
TEST(SettingsSaveTest, ReadsBackWhatWasSaved) {
  ScratchFolder folder;
  std::string settings = folder / "settings.ini";
  WriteWholeFile(settings, kOldFile);
  Win32SettingsStorage storage;
  char buffer[64];
  EXPECT_EQ(storage.open(settings)->getPrivateProfileString("SETTINGS", "TYPE", "", buffer,
                                                            sizeof buffer),
            7u);
  ASSERT_EQ(Save(settings), "");
  auto file = storage.open(settings);
  file->getPrivateProfileString("SETTINGS", "TYPE", "", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "&Download");
  file->getPrivateProfileString("Elsewhere", "kept", "", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "by another program");
}

// ---- Saves that cannot be made ----

TEST(SettingsSaveTest, AReadOnlyFileKeepsItsValuesAndTheSaveSaysSo) {
  ScratchFolder folder;
  std::string settings = folder / "settings.ini";
  WriteWholeFile(settings, kOldFile);
  SetFileAttributesA(settings.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Save(settings), SystemMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Visible(ReadWholeFile(settings)), Visible(kOldFile));
  EXPECT_EQ(Entries(folder.path()), std::set<std::string>{"settings.ini"});
}

// Nothing to write is nothing to complain about, read-only or not.
TEST(SettingsSaveTest, AReadOnlyFileThatHoldsEveryValueIsNoFailure) {
  ScratchFolder folder;
  std::string settings = folder / "settings.ini";
  std::string saved = WrittenInPlace(folder, kOldFile);
  WriteWholeFile(settings, saved);
  SetFileAttributesA(settings.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Save(settings), "");
  EXPECT_EQ(Visible(ReadWholeFile(settings)), Visible(saved));
}

TEST(SettingsSaveTest, AMissingToolsFolderIsSaid) {
  ScratchFolder folder;
  std::string settings = folder / "tools\\settings.ini";
  std::string reason = Save(settings);
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(FileExists(settings));
  EXPECT_EQ(Entries(folder.path()), std::set<std::string>{});
}

TEST(SettingsSaveTest, AFolderInTheFilesPlaceIsSaid) {
  ScratchFolder folder;
  std::string settings = folder / "settings.ini";
  CreateDirectoryA(settings.c_str(), nullptr);
  EXPECT_EQ(Save(settings), SystemMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Entries(folder.path()), std::set<std::string>{"settings.ini"});
}

// The test script mounts a file system of 16 KiB and names its folder; the profile write of
// Wine reports success when the disk fills up under it, so the save must see it for itself.
TEST(SettingsSaveTest, AFullDiskKeepsTheOldFileWhole) {
  const char* full = std::getenv("LOADERGUI_TEST_FULL_FOLDER");
  if (!full || !*full) GTEST_SKIP() << "no small file system was mounted for this run";
  std::string folder = full;
  std::string settings = folder + "\\settings.ini";
  std::string old = kOldFile + std::string(6000, ';') + "\r\n";
  ASSERT_TRUE(WriteWholeFile(settings, old));
  EXPECT_EQ(Save(settings, std::string(9000, 'v')), SystemMessage(ERROR_DISK_FULL));
  EXPECT_EQ(ReadWholeFile(settings), old);
  EXPECT_EQ(Entries(folder), std::set<std::string>{"settings.ini"});
  DeleteFileA(settings.c_str());
}

}  // namespace
}  // namespace loadergui::win32::testing
