// Which entries the file search counts: ordinary files only, or folders too.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "PlatformTestSupport.h"
#include "win32/Services.h"

namespace loadergui::win32::testing {
namespace {

using platform::SearchFor;

struct Entry {
  const char* name;
  DWORD attributes;  // FILE_ATTRIBUTE_DIRECTORY makes a folder
};

// The scratch folder's contents for every search below.
const Entry kEntries[] = {
    {"plain.exe", FILE_ATTRIBUTE_NORMAL},
    {"readonly.dll", FILE_ATTRIBUTE_READONLY},
    {"secret-h.dll", FILE_ATTRIBUTE_HIDDEN},
    {"secret-s.dll", FILE_ATTRIBUTE_SYSTEM},
    {"archived.bin", FILE_ATTRIBUTE_ARCHIVE},
    {"folder.exe", FILE_ATTRIBUTE_DIRECTORY},
    {"mixed-a.dat", FILE_ATTRIBUTE_HIDDEN},
    {"mixed-b.dat", FILE_ATTRIBUTE_NORMAL},
    {"hidden-dir", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
};

struct SearchCase {
  const char* name;
  const char* pattern;  // relative to the scratch folder
  bool ordinaryFound;
  bool anyFound;
};

const SearchCase kSearches[] = {
    {"OrdinaryFile", "plain.exe", true, true},
    {"NameInOtherCase", "PLAIN.EXE", true, true},
    {"ReadOnlyFile", "readonly.dll", true, true},
    {"ArchivedFile", "archived.bin", true, true},
    {"HiddenFile", "secret-h.dll", false, false},
    {"SystemFile", "secret-s.dll", false, false},
    {"Folder", "folder.exe", false, true},
    {"Missing", "missing.exe", false, false},
    {"StarMatchesFileAndFolder", "*.exe", true, true},
    {"StarMatchesOnlyHiddenAndSystem", "secret-*.dll", false, false},
    {"HiddenFirstThenOrdinary", "mixed-?.dat", true, true},
    {"QuestionMark", "p?ain.exe", true, true},
    {"WildcardWithoutMatch", "*.iso", false, false},
    {"MissingSubfolder", "nowhere\\plain.exe", false, false},
    // A separator at the end names a folder, as the folder browser and typing give them.
    {"FolderWithSeparator", "folder.exe\\", false, true},
    {"FolderWithSlash", "folder.exe/", false, true},
    {"FolderWithTwoSeparators", "folder.exe\\\\", false, true},
    {"FileWithSeparator", "plain.exe\\", false, false},
    {"HiddenFolderWithSeparator", "hidden-dir\\", false, false},
    {"WildcardFolderWithSeparator", "fold*\\", false, true},
    {"WildcardMatchingOnlyFilesWithSeparator", "plain*\\", false, false},
};

void PrintTo(const SearchCase& row, std::ostream* out) {
  *out << row.name;
}

class FileSearchTest : public ::testing::TestWithParam<SearchCase> {
 protected:
  void SetUp() override {
    for (const Entry& entry : kEntries) {
      std::string path = folder_ / entry.name;
      if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
      } else {
        ASSERT_TRUE(WriteWholeFile(path, "x"));
      }
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), entry.attributes));
      // Without the attribute on disk the search could not tell the entries apart.
      const DWORD telling = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
      DWORD stored = GetFileAttributesA(path.c_str());
      ASSERT_EQ(stored & telling, entry.attributes & telling) << entry.name;
    }
  }

  ScratchFolder folder_;
  Win32Services services_;
};

TEST_P(FileSearchTest, CountsTheEntriesOfTheFilter) {
  std::string pattern = folder_ / GetParam().pattern;
  EXPECT_EQ(services_.findFile(pattern, SearchFor::OrdinaryFiles), GetParam().ordinaryFound)
      << pattern;
  EXPECT_EQ(services_.findFile(pattern, SearchFor::FilesAndFolders), GetParam().anyFound)
      << pattern;
}

INSTANTIATE_TEST_SUITE_P(Searches, FileSearchTest, ::testing::ValuesIn(kSearches),
                         [](const ::testing::TestParamInfo<SearchCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(FileSearchEdgeTest, RelativePatternSearchesTheCurrentDirectory) {
  ScratchFolder folder;
  ASSERT_TRUE(CreateDirectoryA((folder / "tools").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(folder / "tools\\cygwin1.dll", "x"));
  Win32Services services;
  std::string original = services.currentDirectory();
  services.setCurrentDirectory(folder.path());
  bool found = services.findFile("tools\\cygwin1.dll", SearchFor::OrdinaryFiles);
  bool foundMissing = services.findFile("tools\\cygintl.dll", SearchFor::OrdinaryFiles);
  services.setCurrentDirectory(original);
  EXPECT_TRUE(found);
  EXPECT_FALSE(foundMissing);
}

TEST(FileSearchEdgeTest, FolderNamedWholeIsFoundOnlyWithFolders) {
  ScratchFolder folder;
  Win32Services services;
  EXPECT_TRUE(services.findFile(folder.path(), SearchFor::FilesAndFolders));
  EXPECT_FALSE(services.findFile(folder.path(), SearchFor::OrdinaryFiles));
}

// The root of the drive the tests run on, "Z:\\" under Wine.
std::string OwnDriveRoot() {
  return TestExecutableFolder().substr(0, 2) + "\\";
}

// A drive letter that names no drive here, or empty when every letter is taken.
std::string UnusedDriveRoot() {
  DWORD drives = GetLogicalDrives();
  for (char letter = 'Y'; letter >= 'D'; --letter) {
    if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\";
  }
  return {};
}

// The folder browser gives "E:\" for a drive picked whole; Windows marks C:\ hidden and system.
TEST(FileSearchEdgeTest, ARootThatExistsCountsAsAFolder) {
  Win32Services services;
  std::string root = OwnDriveRoot();
  std::string drive = root.substr(0, 2);
  for (const std::string& pattern : {root, drive + "/", drive + "\\\\"}) {
    EXPECT_TRUE(services.findFile(pattern, SearchFor::FilesAndFolders)) << pattern;
    EXPECT_FALSE(services.findFile(pattern, SearchFor::OrdinaryFiles)) << pattern;
  }
  std::string unused = UnusedDriveRoot();
  ASSERT_FALSE(unused.empty());
  EXPECT_FALSE(services.findFile(unused, SearchFor::FilesAndFolders)) << unused;
}

// "E:" alone names whatever folder of drive E: was current last; the program's folder on a
// drive root comes that way and must become current as the root itself.
TEST(FileSearchEdgeTest, ABareDriveBecomesCurrentAsItsRoot) {
  ScratchFolder folder;
  Win32Services services;
  std::string original = services.currentDirectory();
  services.setCurrentDirectory(folder.path());
  std::string inFolder = services.currentDirectory();
  services.setCurrentDirectory(folder.path().substr(0, 2));
  std::string afterBareDrive = services.currentDirectory();
  services.setCurrentDirectory(original);
  EXPECT_EQ(inFolder, folder.path());
  EXPECT_EQ(afterBareDrive, folder.path().substr(0, 2) + "\\");
}

TEST(FileSearchEdgeTest, UnusablePatternsFindNothing) {
  Win32Services services;
  for (const char* pattern : {"", "bad|name<>.exe", "C:\\no\\such\\folder\\*"}) {
    EXPECT_FALSE(services.findFile(pattern, SearchFor::FilesAndFolders)) << pattern;
    EXPECT_FALSE(services.findFile(pattern, SearchFor::OrdinaryFiles)) << pattern;
  }
}

}  // namespace
}  // namespace loadergui::win32::testing
