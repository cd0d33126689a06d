// Paths as each platform reads them: the kept form relative to the program's folder, the same
// file written twice, a file's folder; in a Western and a Japanese code page.
#include "app/PathRules.h"

#include <gtest/gtest.h>

#include <string>

namespace loadergui::testing {
namespace {

// Shift JIS: the lead bytes 0x81 to 0x9F and 0xE0 to 0xFC. "\x95\x5c" is one character whose
// second byte is a backslash; "\x83\x41" and "\x83\x61" are two characters whose second bytes
// are letters of either case.
platform::LeadBytes ShiftJisLeadBytes() {
  platform::LeadBytes lead;
  for (int byte = 0x81; byte <= 0x9f; ++byte) lead.set(static_cast<std::size_t>(byte));
  for (int byte = 0xe0; byte <= 0xfc; ++byte) lead.set(static_cast<std::size_t>(byte));
  return lead;
}

enum class Platform { Windows, WindowsJapanese, Linux };

PathRules RulesFor(Platform platform, const std::string& folder) {
  switch (platform) {
    case Platform::Windows:
      return {platform::kWindowsFacts, folder, {}};
    case Platform::WindowsJapanese:
      return {platform::kWindowsFacts, folder, ShiftJisLeadBytes()};
    case Platform::Linux:
      break;
  }
  return {platform::kLinuxFacts, folder, {}};
}

struct KeptCase {
  const char* name;
  Platform platform;
  const char* folder;  // the program's folder
  const char* path;
  const char* kept;  // as the settings file keeps it
  const char* back;  // as the program reads it back
};

const KeptCase kKeptCases[] = {
    {"a file below the folder", Platform::Windows, "C:\\prog", "C:\\prog\\files\\demo.elf",
     "files/demo.elf", "C:\\prog\\files\\demo.elf"},
    {"the folder written in other case", Platform::Windows, "C:\\prog", "c:\\PROG\\demo.elf",
     "demo.elf", "C:\\prog\\demo.elf"},
    {"slashes for backslashes", Platform::Windows, "C:\\prog", "C:/prog/files/demo.elf",
     "files/demo.elf", "C:\\prog\\files\\demo.elf"},
    {"separators doubled", Platform::Windows, "C:\\prog", "C:\\prog\\\\files\\demo.elf",
     "files/demo.elf", "C:\\prog\\files\\demo.elf"},
    {"a folder whose name starts the same", Platform::Windows, "C:\\prog", "C:\\program\\demo.elf",
     "C:\\program\\demo.elf", "C:\\program\\demo.elf"},
    {"another drive", Platform::Windows, "C:\\prog", "D:\\work\\demo.elf", "D:\\work\\demo.elf",
     "D:\\work\\demo.elf"},
    {"a network share", Platform::Windows, "C:\\prog", "\\\\nas\\dc\\demo.elf",
     "\\\\nas\\dc\\demo.elf", "\\\\nas\\dc\\demo.elf"},
    {"a rooted path", Platform::Windows, "C:\\prog", "\\games\\demo.elf", "\\games\\demo.elf",
     "\\games\\demo.elf"},
    {"the folder itself", Platform::Windows, "C:\\prog", "C:\\prog", "C:\\prog", "C:\\prog"},
    {"a typed relative name", Platform::Windows, "C:\\prog", "files\\demo.elf", "files/demo.elf",
     "C:\\prog\\files\\demo.elf"},
    {"the program on a drive's root", Platform::Windows, "E:", "E:\\demo.elf", "demo.elf",
     "E:\\demo.elf"},
    {"the folder given with its separator", Platform::Windows, "E:\\", "E:\\bin\\demo.elf",
     "bin/demo.elf", "E:\\bin\\demo.elf"},
    {"nothing", Platform::Windows, "C:\\prog", "", "", ""},
    {"a line break cannot be kept", Platform::Linux, "/home/u/dc", "/home/u/dc/a\nb.elf", "", ""},
    {"a trailing backslash byte stays in its character", Platform::WindowsJapanese, "C:\\dc",
     "C:\\dc\\\x95\x5c\\\x95\x5c.elf", "\x95\x5c/\x95\x5c.elf", "C:\\dc\\\x95\x5c\\\x95\x5c.elf"},
    {"a folder ending in such a character", Platform::WindowsJapanese, "C:\\\x95\x5c",
     "C:\\\x95\x5c\\a.elf", "a.elf", "C:\\\x95\x5c\\a.elf"},
    {"second bytes of other case are other characters", Platform::WindowsJapanese, "C:\\\x83\x41",
     "C:\\\x83\x61\\a.elf", "C:\\\x83\x61\\a.elf", "C:\\\x83\x61\\a.elf"},
    {"Linux: a file below the folder", Platform::Linux, "/home/u/dc", "/home/u/dc/files/demo.elf",
     "files/demo.elf", "/home/u/dc/files/demo.elf"},
    {"Linux: the case counts", Platform::Linux, "/home/u/dc", "/home/u/DC/demo.elf",
     "/home/u/DC/demo.elf", "/home/u/DC/demo.elf"},
    {"Linux: a backslash is part of a name", Platform::Linux, "/home/u/dc", "/home/u/dc/a\\b.elf",
     "a\\b.elf", "/home/u/dc/a\\b.elf"},
    {"Linux: a name that reads like a drive", Platform::Linux, "/home/u/dc", "/home/u/dc/C:x.elf",
     "./C:x.elf", "/home/u/dc/C:x.elf"},
    {"Linux: a name that starts with a backslash", Platform::Linux, "/home/u/dc",
     "/home/u/dc/\\x.elf", "./\\x.elf", "/home/u/dc/\\x.elf"},
    {"Linux: a Windows path stays as it is", Platform::Linux, "/home/u/dc", "C:\\work\\demo.elf",
     "C:\\work\\demo.elf", "C:\\work\\demo.elf"},
    {"Linux: the program in the root", Platform::Linux, "/", "/demo.elf", "demo.elf", "/demo.elf"},
};

TEST(PathRulesTest, FilesBelowTheProgramsFolderAreKeptRelativeToIt) {
  for (const KeptCase& c : kKeptCases) {
    SCOPED_TRACE(c.name);
    PathRules rules = RulesFor(c.platform, c.folder);
    EXPECT_EQ(KeptPath(c.path, rules), c.kept);
    EXPECT_EQ(PathFromKept(c.kept, rules), c.back);
  }
}

// What one program keeps, the other reads: a relative path below its own folder, an absolute
// one of the other platform as it stands (no such file there, but nothing lost either).
struct CrossCase {
  const char* name;
  Platform writer;
  const char* writerFolder;
  const char* path;
  Platform reader;
  const char* readerFolder;
  const char* read;
};

const CrossCase kCrossCases[] = {
    {"Windows to Linux, below the folder", Platform::Windows, "E:\\dc", "E:\\dc\\bin\\demo.elf",
     Platform::Linux, "/media/stick/dc", "/media/stick/dc/bin/demo.elf"},
    {"Linux to Windows, below the folder", Platform::Linux, "/media/stick/dc",
     "/media/stick/dc/bin/demo.elf", Platform::Windows, "E:\\dc", "E:\\dc\\bin\\demo.elf"},
    {"Windows to Linux, elsewhere", Platform::Windows, "E:\\dc", "C:\\work\\demo.elf",
     Platform::Linux, "/media/stick/dc", "C:\\work\\demo.elf"},
    {"Linux to Windows, elsewhere", Platform::Linux, "/media/stick/dc", "/home/u/demo.elf",
     Platform::Windows, "E:\\dc", "/home/u/demo.elf"},
    {"a moved folder", Platform::Windows, "E:\\dc", "E:\\dc\\demo.elf", Platform::Windows,
     "F:\\games\\dc", "F:\\games\\dc\\demo.elf"},
};

TEST(PathRulesTest, EachPlatformReadsWhatTheOtherKept) {
  for (const CrossCase& c : kCrossCases) {
    SCOPED_TRACE(c.name);
    std::string kept = KeptPath(c.path, RulesFor(c.writer, c.writerFolder));
    EXPECT_EQ(PathFromKept(kept, RulesFor(c.reader, c.readerFolder)), c.read);
  }
}

struct SameCase {
  const char* name;
  Platform platform;
  const char* a;
  const char* b;
  bool same;
};

const SameCase kSameCases[] = {
    {"the same text", Platform::Linux, "/a/b.elf", "/a/b.elf", true},
    {"Windows: case and separators", Platform::Windows, "C:\\Work\\Demo.elf", "c:/work/DEMO.ELF",
     true},
    {"Windows: another name", Platform::Windows, "C:\\work\\demo.elf", "C:\\work\\demo.elf2",
     false},
    {"Windows: one path starts the other", Platform::Windows, "C:\\work", "C:\\work\\demo.elf",
     false},
    {"Linux: case counts", Platform::Linux, "/a/b.elf", "/a/B.elf", false},
    {"Linux: a backslash is no slash", Platform::Linux, "/a/b.elf", "/a\\b.elf", false},
    {"Japanese: second bytes keep their case", Platform::WindowsJapanese, "C:\\\x83\x41.elf",
     "C:\\\x83\x61.elf", false},
    {"Japanese: single bytes lose it", Platform::WindowsJapanese, "C:\\\x83\x41\\A.elf",
     "c:\\\x83\x41\\a.ELF", true},
    {"Japanese: a second byte is no separator", Platform::WindowsJapanese, "C:\\\x95\x5c",
     "C:\\\x95/", false},
};

TEST(PathRulesTest, SamePathComparesAsThePlatformNamesFiles) {
  for (const SameCase& c : kSameCases) {
    SCOPED_TRACE(c.name);
    PathRules rules = RulesFor(c.platform, "C:\\prog");
    EXPECT_EQ(SamePath(c.a, c.b, rules), c.same);
    EXPECT_EQ(SamePath(c.b, c.a, rules), c.same);
  }
}

struct FolderCase {
  const char* name;
  Platform platform;
  const char* path;
  const char* folder;
};

const FolderCase kFolderCases[] = {
    {"a folder", Platform::Windows, "C:\\dumps\\bios.bin", "C:\\dumps"},
    {"a drive's root", Platform::Windows, "C:\\bios.bin", "C:\\"},
    {"a share", Platform::Windows, "\\\\nas\\dc\\bios.bin", "\\\\nas\\dc"},
    {"slashes", Platform::Windows, "C:/dumps/bios.bin", "C:/dumps"},
    {"a relative name lies in the program's folder", Platform::Windows, "bios.bin", "C:\\prog"},
    {"Japanese: a second byte is no separator", Platform::WindowsJapanese, "C:\\\x95\x5c\\bios.bin",
     "C:\\\x95\x5c"},
    {"Linux: a folder", Platform::Linux, "/home/u/bios.bin", "/home/u"},
    {"Linux: the root", Platform::Linux, "/bios.bin", "/"},
};

TEST(PathRulesTest, FolderOfAFileEndsAtItsLastSeparator) {
  for (const FolderCase& c : kFolderCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FolderOfPath(c.path, RulesFor(c.platform, "C:\\prog")), c.folder);
  }
}

}  // namespace
}  // namespace loadergui::testing
