// The application icon file: a 32x32 and a 16x16 image in 16 colours, which Windows can load.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "WindowsTestSupport.h"

namespace loadergui::win32 {
namespace {

// The icon lies in the source tree, found from this file's own path (a Unix path under Wine,
// where drive Z: is the root of the Unix file system).
std::string IconPath() {
  std::string source = __FILE__;
  std::string tests = "/tests/win32/";
  std::string path = source.substr(0, source.rfind(tests)) + "/src/win32/app.ico";
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  }
  return value;
}

struct IconImage {
  int size;
};

const IconImage kImages[] = {{32}, {16}};

TEST(WindowsIconTest, HoldsA32And16PixelImageIn16Colours) {
  std::ifstream file(IconPath(), std::ios::binary);
  ASSERT_TRUE(file) << IconPath();
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(Little(bytes, 0, 2), 0u);  // reserved
  EXPECT_EQ(Little(bytes, 2, 2), 1u);  // an icon, not a cursor
  ASSERT_EQ(Little(bytes, 4, 2), std::size(kImages));
  for (std::size_t index = 0; index < std::size(kImages); ++index) {
    SCOPED_TRACE(kImages[index].size);
    std::size_t entry = 6 + 16 * index;
    auto size = static_cast<std::uint32_t>(kImages[index].size);
    EXPECT_EQ(Little(bytes, entry, 1), size);      // width
    EXPECT_EQ(Little(bytes, entry + 1, 1), size);  // height
    EXPECT_EQ(Little(bytes, entry + 2, 1), 16u);   // colours
    EXPECT_EQ(Little(bytes, entry + 6, 2), 4u);    // bits per pixel
    std::uint32_t length = Little(bytes, entry + 8, 4);
    std::uint32_t offset = Little(bytes, entry + 12, 4);
    ASSERT_LE(offset + length, bytes.size());
    EXPECT_EQ(Little(bytes, offset, 4), 40u);           // BITMAPINFOHEADER
    EXPECT_EQ(Little(bytes, offset + 4, 4), size);      // width
    EXPECT_EQ(Little(bytes, offset + 8, 4), size * 2);  // colour and mask rows
    EXPECT_EQ(Little(bytes, offset + 14, 2), 4u);       // bits per pixel
    // Palette, 4-bit rows and 1-bit mask rows, each row padded to four bytes.
    std::uint32_t colourRow = (size * 4 / 8 + 3) & ~3u;
    std::uint32_t maskRow = (size / 8 + 3) & ~3u;
    EXPECT_EQ(length, 40 + 16 * 4 + (colourRow + maskRow) * size);
  }
}

TEST(WindowsIconTest, WindowsLoadsBothSizes) {
  for (const IconImage& image : kImages) {
    SCOPED_TRACE(image.size);
    auto icon = static_cast<HICON>(LoadImageA(nullptr, IconPath().c_str(), IMAGE_ICON, image.size,
                                              image.size, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, image.size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace loadergui::win32
