// The resources built into the program: version information, manifest and icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "ProgramResources.h"
#include "win32/Dpi.h"

namespace loadergui::win32::testing {
namespace {

struct VersionString {
  const char* name;
  const char* value;
};

const VersionString kVersionStrings[] = {
    {"ProductName", "Ravlink GUI"},
    {"FileDescription", "Front-end for the serial and IP loaders"},
    {"FileVersion", "2.0.0.0"},
    {"ProductVersion", "2.0.0.0"},
    {"CompanyName", "Loader GUI Team"},
    {"LegalCopyright", "Copyright (C) Loader GUI Team"},
    {"OriginalFilename", "ravlinkgui.exe"},
};

std::vector<char> VersionBlock() {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(ProgramPath().c_str(), &ignored);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoA(ProgramPath().c_str(), 0, size, block.data())) {
    block.clear();
  }
  return block;
}

TEST(WindowsResourcesTest, VersionStringsAreReadableInTheTranslationTheyName) {
  std::vector<char> block = VersionBlock();
  ASSERT_FALSE(block.empty()) << ProgramPath();
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translations = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &length));
  ASSERT_GE(length, sizeof(Translation));
  EXPECT_EQ(translations[0].language, 0x0409);
  EXPECT_EQ(translations[0].codePage, 1200);
  char table[64];
  wsprintfA(table, "\\StringFileInfo\\%04x%04x\\", translations[0].language,
            translations[0].codePage);
  for (const VersionString& entry : kVersionStrings) {
    SCOPED_TRACE(entry.name);
    char* value = nullptr;
    UINT valueLength = 0;
    std::string path = std::string(table) + entry.name;
    ASSERT_TRUE(
        VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &valueLength));
    EXPECT_STREQ(value, entry.value);
  }
}

TEST(WindowsResourcesTest, FixedVersionIsTwoPointZero) {
  std::vector<char> block = VersionBlock();
  ASSERT_FALSE(block.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
}

// What the manifest must ask for: common controls 6; per-monitor DPI awareness, with the older
// per-monitor setting for systems before Windows 10 (1607); running as the invoker, without
// the file virtualisation of 32-bit programs; and Windows 7, 8, 8.1 and 10/11 as its systems.
const char* const kManifestParts[] = {
    "name=\"Microsoft.Windows.Common-Controls\"",
    "version=\"6.0.0.0\"",
    "publicKeyToken=\"6595b64144ccf1df\"",
    ">true/pm</dpiAware>",
    ">PerMonitorV2,PerMonitor</dpiAwareness>",
    "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
    "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",
    "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",
    "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",
    "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
};

TEST(WindowsResourcesTest, ManifestIsEmbeddedWhereWindowsLooksForIt) {
  ProgramResources program;
  ASSERT_TRUE(program.loaded()) << ProgramPath();
  // ID 1 of type RT_MANIFEST is the one read when the program starts.
  std::string manifest = program.bytes(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
  ASSERT_FALSE(manifest.empty());
  for (const char* part : kManifestParts) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

// The test program carries the same manifest: its windows are drawn at the monitor's DPI.
TEST(WindowsResourcesTest, TheTestsRunPerMonitorDpiAwareLikeTheProgram) {
  using GetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
  using GetAwareness = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
  auto threadContext = FindUser32Function<GetThreadContext>("GetThreadDpiAwarenessContext");
  auto awareness = FindUser32Function<GetAwareness>("GetAwarenessFromDpiAwarenessContext");
  if (!threadContext || !awareness) GTEST_SKIP() << "a system without per-monitor DPI";
  EXPECT_EQ(awareness(threadContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
}

// The icon file in the source tree, as make-icon.py writes it.
std::string IconFileBytes() {
  std::string source = __FILE__;
  std::string path = source.substr(0, source.rfind("/tests/win32/")) + "/src/win32/app.ico";
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The program's icon group 1 holds the images of app.ico, in the file's order.
TEST(WindowsResourcesTest, IconResourceHoldsTheImagesOfTheIconFile) {
  ProgramResources program;
  ASSERT_TRUE(program.loaded());
  std::string group = ProgramIconGroup(program);
  std::string file = IconFileBytes();
  ASSERT_GE(group.size(), kGroupHeader);
  ASSERT_GE(file.size(), 6u);
  std::uint32_t count = Little(group, 4, 2);
  ASSERT_EQ(count, Little(file, 4, 2));
  ASSERT_EQ(count, 8u);
  for (std::uint32_t index = 0; index < count; ++index) {
    SCOPED_TRACE(index);
    // Group entries end in the image's resource ID; file entries are 16 bytes, ending in the
    // image's offset in the file.
    std::size_t fileEntry = 6 + 16 * index;
    EXPECT_EQ(group.substr(kGroupHeader + kGroupEntry * index, 12), file.substr(fileEntry, 12));
    std::uint32_t length = Little(file, fileEntry + 8, 4);
    std::uint32_t offset = Little(file, fileEntry + 12, 4);
    EXPECT_EQ(GroupImageBytes(program, group, index), file.substr(offset, length));
  }
}

std::string ProgramFileBytes() {
  std::ifstream file(ProgramPath(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The names of the libraries in the program's import table, read from its file: the headers,
// the import directory, and each descriptor's name, with addresses turned into file offsets
// through the section table. The program is built for the same processor as the tests.
std::vector<std::string> ImportedLibraries(const std::string& image) {
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  auto offsetOf = [&](DWORD address) -> std::size_t {
    for (WORD index = 0; index < nt->FileHeader.NumberOfSections; ++index) {
      const IMAGE_SECTION_HEADER& section = sections[index];
      if (address >= section.VirtualAddress &&
          address < section.VirtualAddress + section.Misc.VirtualSize) {
        return address - section.VirtualAddress + section.PointerToRawData;
      }
    }
    return image.size();
  };
  std::vector<std::string> names;
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (std::size_t at = offsetOf(imports.VirtualAddress);
       at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= image.size();
       at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    auto descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + at);
    if (descriptor->Name == 0) break;
    std::size_t name = offsetOf(descriptor->Name);
    if (name >= image.size()) break;
    std::string library = image.c_str() + name;
    CharLowerA(library.data());
    names.push_back(library);
  }
  return names;
}

// The dialog and drop libraries are found at run time when first needed (the linker's
// delay-load imports left the 32-bit program calling address 0); an import of one of them
// would load it at every start, and a direct call slipping in shows up here.
TEST(WindowsResourcesTest, ProgramImportsNoneOfTheLibrariesItLoadsOnFirstUse) {
  std::string image = ProgramFileBytes();
  ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER)) << ProgramPath();
  std::vector<std::string> libraries = ImportedLibraries(image);
  ASSERT_NE(std::find(libraries.begin(), libraries.end(), "user32.dll"), libraries.end());
  for (const char* loadedLater : {"comdlg32.dll", "shell32.dll", "ole32.dll"}) {
    EXPECT_EQ(std::find(libraries.begin(), libraries.end(), loadedLater), libraries.end())
        << loadedLater;
  }
}

}  // namespace
}  // namespace loadergui::win32::testing
