// The resources built into the program: version information, manifest and icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "win32/Dpi.h"

namespace loadergui::win32::testing {
namespace {

// The build copies the program beside the tests.
std::string ProgramPath() {
  return TestExecutableFolder() + "\\ravlinkgui.exe";
}

// The program's resources, read without running it.
class ProgramResources {
 public:
  ProgramResources()
      : module_(LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ProgramResources() {
    if (module_) FreeLibrary(module_);
  }
  ProgramResources(const ProgramResources&) = delete;
  ProgramResources& operator=(const ProgramResources&) = delete;

  bool loaded() const { return module_ != nullptr; }
  // The bytes of one resource; empty when there is no such resource.
  std::string bytes(LPCSTR type, LPCSTR name) const {
    HRSRC found = FindResourceA(module_, name, type);
    if (!found) return {};
    HGLOBAL handle = LoadResource(module_, found);
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data) return {};
    return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

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

// What the manifest must ask for: common controls 6 and per-monitor DPI awareness, with the
// older per-monitor setting for systems before Windows 10 (1607).
const char* const kManifestParts[] = {
    "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
    "publicKeyToken=\"6595b64144ccf1df\"",        ">true/pm</dpiAware>",
    ">PerMonitorV2,PerMonitor</dpiAwareness>",
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

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  }
  return value;
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
  std::string group = program.bytes(MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1));  // RT_GROUP_ICON
  std::string file = IconFileBytes();
  ASSERT_GE(group.size(), 6u);
  ASSERT_GE(file.size(), 6u);
  std::uint32_t count = Little(group, 4, 2);
  ASSERT_EQ(count, Little(file, 4, 2));
  ASSERT_EQ(count, 2u);
  for (std::uint32_t index = 0; index < count; ++index) {
    SCOPED_TRACE(index);
    // Group entries are 14 bytes, ending in the image's resource ID; file entries 16 bytes,
    // ending in the image's offset in the file.
    std::size_t groupEntry = 6 + 14 * index;
    std::size_t fileEntry = 6 + 16 * index;
    EXPECT_EQ(group.substr(groupEntry, 12), file.substr(fileEntry, 12));
    auto imageId = static_cast<WORD>(Little(group, groupEntry + 12, 2));
    std::string image = program.bytes(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(imageId));  // RT_ICON
    std::uint32_t length = Little(file, fileEntry + 8, 4);
    std::uint32_t offset = Little(file, fileEntry + 12, 4);
    EXPECT_EQ(image, file.substr(offset, length));
  }
}

}  // namespace
}  // namespace loadergui::win32::testing
