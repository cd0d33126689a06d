// The shipped program's resources, read without running it, and the images of its icon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "PlatformTestSupport.h"

namespace loadergui::win32::testing {

// The build copies the program beside the tests.
inline std::string ProgramPath() {
  return TestExecutableFolder() + "\\ravlinkgui.exe";
}

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

// A little-endian number of `size` bytes at `at`.
inline std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  }
  return value;
}

// Icon group 1 of the program (RT_GROUP_ICON): six header bytes, then 14 bytes an image, each
// ending in the image's RT_ICON resource ID.
constexpr std::size_t kGroupHeader = 6;
constexpr std::size_t kGroupEntry = 14;

inline std::string ProgramIconGroup(const ProgramResources& program) {
  return program.bytes(MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1));
}

// The width of an image of the group, where 0 stands for 256.
inline int GroupImageSize(const std::string& group, std::size_t index) {
  int width = static_cast<int>(Little(group, kGroupHeader + kGroupEntry * index, 1));
  return width == 0 ? 256 : width;
}

inline std::string GroupImageBytes(const ProgramResources& program, const std::string& group,
                                   std::size_t index) {
  auto id = static_cast<WORD>(Little(group, kGroupHeader + kGroupEntry * index + 12, 2));
  return program.bytes(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(id));  // RT_ICON
}

// The program's own image of exactly this size, as Windows makes an icon of it; nullptr when
// the program has none of that size. The caller destroys it.
inline HICON ProgramIconImage(int size) {
  ProgramResources program;
  std::string group = ProgramIconGroup(program);
  if (group.size() < kGroupHeader) return nullptr;
  for (std::size_t index = 0; index < Little(group, 4, 2); ++index) {
    if (GroupImageSize(group, index) != size) continue;
    std::string image = GroupImageBytes(program, group, index);
    constexpr DWORD kIconFormatVersion = 0x00030000;
    return CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()),
                                    static_cast<DWORD>(image.size()), TRUE, kIconFormatVersion,
                                    size, size, LR_DEFAULTCOLOR);
  }
  return nullptr;
}

}  // namespace loadergui::win32::testing
