// The program's icon: an image for every size Windows asks for at the common DPIs, in 32-bit
// colour with alpha, which Windows reads; and on the main window at the window's DPI, title bar
// included.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ProgramResources.h"
#include "WindowsTestSupport.h"
#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"
#include "win32/Dpi.h"
#include "win32/WindowIcons.h"

namespace loadergui::win32 {
namespace {

using testing::GroupImageBytes;
using testing::GroupImageSize;
using testing::Little;
using testing::ProgramIconImage;
using testing::ProgramResources;

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

struct IconImage {
  int size;
  bool png;  // PNG-compressed; otherwise a BGRA bitmap with an AND mask
};

// The small icon of 96, 120, 144, 192 and 240 DPI, the large one of 96 to 192 DPI, and the one
// of Explorer's large views.
const IconImage kImages[] = {{16, false}, {20, false}, {24, false}, {32, false},
                             {40, true},  {48, true},  {64, true},  {256, true}};

std::uint32_t Big(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST(WindowsIconTest, HoldsEverySizeIn32BitColourWithAlpha) {
  std::ifstream file(IconPath(), std::ios::binary);
  ASSERT_TRUE(file) << IconPath();
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(Little(bytes, 0, 2), 0u);  // reserved
  EXPECT_EQ(Little(bytes, 2, 2), 1u);  // an icon, not a cursor
  ASSERT_EQ(Little(bytes, 4, 2), std::size(kImages));
  for (std::size_t index = 0; index < std::size(kImages); ++index) {
    const IconImage& expected = kImages[index];
    SCOPED_TRACE(expected.size);
    std::size_t entry = 6 + 16 * index;
    auto size = static_cast<std::uint32_t>(expected.size);
    EXPECT_EQ(Little(bytes, entry, 1), size % 256);      // width; 0 stands for 256
    EXPECT_EQ(Little(bytes, entry + 1, 1), size % 256);  // height
    EXPECT_EQ(Little(bytes, entry + 2, 1), 0u);          // no palette
    EXPECT_EQ(Little(bytes, entry + 4, 2), 1u);          // planes
    EXPECT_EQ(Little(bytes, entry + 6, 2), 32u);         // bits per pixel
    std::uint32_t length = Little(bytes, entry + 8, 4);
    std::uint32_t offset = Little(bytes, entry + 12, 4);
    ASSERT_LE(offset + length, bytes.size());
    std::string image = bytes.substr(offset, length);
    if (expected.png) {
      ASSERT_EQ(image.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
      EXPECT_EQ(image.substr(12, 4), "IHDR");
      EXPECT_EQ(Big(image, 16), size);                       // width
      EXPECT_EQ(Big(image, 20), size);                       // height
      EXPECT_EQ(static_cast<unsigned char>(image[24]), 8u);  // bits per channel
      EXPECT_EQ(static_cast<unsigned char>(image[25]), 6u);  // red, green, blue and alpha
      continue;
    }
    EXPECT_EQ(Little(image, 0, 4), 40u);           // BITMAPINFOHEADER
    EXPECT_EQ(Little(image, 4, 4), size);          // width
    EXPECT_EQ(Little(image, 8, 4), size * 2);      // colour and mask rows
    EXPECT_EQ(Little(image, 14, 2), 32u);          // bits per pixel
    EXPECT_EQ(Little(image, 16, 4), 0u);           // BI_RGB
    std::uint32_t maskRow = (size + 31) / 32 * 4;  // 1-bit rows padded to four bytes
    ASSERT_EQ(length, 40 + (size * 4 + maskRow) * size);
    // The alpha bytes: clear in the corners, opaque inside, and between along the curves.
    bool clear = false, opaque = false, between = false;
    for (std::uint32_t pixel = 0; pixel < size * size; ++pixel) {
      auto alpha = static_cast<unsigned char>(image[40 + pixel * 4 + 3]);
      clear |= alpha == 0;
      opaque |= alpha == 255;
      between |= alpha != 0 && alpha != 255;
    }
    EXPECT_TRUE(clear && opaque && between);
  }
}

// ---- As Windows draws them

using Pixels = std::vector<std::uint32_t>;  // 0x00RRGGBB, top row first

// The icon drawn at its size onto one colour.
Pixels Drawn(HICON icon, int size, COLORREF background) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC context = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(context, bitmap);
  RECT all{0, 0, size, size};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(context, &all, brush);
  DeleteObject(brush);
  DrawIconEx(context, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  Pixels pixels(first, first + size * size);
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  SelectObject(context, previous);
  DeleteObject(bitmap);
  DeleteDC(context);
  return pixels;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

// The pixels of an icon that show the same on black and on white are its opaque ones.
struct OnBothBackgrounds {
  Pixels onWhite, onBlack;
  OnBothBackgrounds(HICON icon, int size)
      : onWhite(Drawn(icon, size, RGB(255, 255, 255))), onBlack(Drawn(icon, size, RGB(0, 0, 0))) {}
  bool opaque(std::size_t pixel) const { return onWhite[pixel] == onBlack[pixel]; }
};

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP mask{};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return mask.bmWidth;
}

// Every image of the program's icon group, made into an icon by Windows itself and drawn: the
// corners let the background through, the middle does not, and along the curves the image is
// blended with it, which takes an alpha channel (a mask alone is all or nothing).
TEST(WindowsIconTest, WindowsDrawsEveryImageOfTheProgramWithItsAlpha) {
  ProgramResources program;
  ASSERT_TRUE(program.loaded());
  std::string group = testing::ProgramIconGroup(program);
  ASSERT_GE(group.size(), testing::kGroupHeader);
  ASSERT_EQ(Little(group, 4, 2), std::size(kImages));
  for (std::size_t index = 0; index < std::size(kImages); ++index) {
    int size = kImages[index].size;
    SCOPED_TRACE(size);
    EXPECT_EQ(GroupImageSize(group, index), size);
    HICON icon = ProgramIconImage(size);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(IconWidth(icon), size);
    OnBothBackgrounds drawn(icon, size);
    DestroyIcon(icon);
    EXPECT_EQ(drawn.onWhite[0], kWhite);
    EXPECT_EQ(drawn.onBlack[0], kBlack);
    std::size_t middle = static_cast<std::size_t>(size / 2 * size + size / 2);
    EXPECT_TRUE(drawn.opaque(middle));
    bool blended = false;
    for (std::size_t pixel = 0; pixel < drawn.onWhite.size(); ++pixel) {
      blended |=
          drawn.onWhite[pixel] != kWhite && drawn.onBlack[pixel] != kBlack && !drawn.opaque(pixel);
    }
    EXPECT_TRUE(blended);
  }
}

// ---- On the main window, at its DPI

struct SizesAtDpi {
  int dpi;
  int titleBar, taskbar;
};

// As Windows asks for them: 16 and 32 pixels at 96 DPI, scaled with the DPI.
const SizesAtDpi kSizesAtDpi[] = {{96, 16, 32}, {120, 20, 40}, {144, 24, 48}, {192, 32, 64}};

std::optional<SizesAtDpi> ExpectedSizesAt(int dpi) {
  for (const SizesAtDpi& sizes : kSizesAtDpi) {
    if (sizes.dpi == dpi) return sizes;
  }
  return std::nullopt;
}

TEST(WindowIconsTest, TheSizesAreTheSystemsAtEachDpi) {
  for (const SizesAtDpi& expected : kSizesAtDpi) {
    SCOPED_TRACE(expected.dpi);
    IconSizes sizes = IconSizesAt(expected.dpi);
    EXPECT_EQ(sizes.titleBar, expected.titleBar);
    EXPECT_EQ(sizes.taskbar, expected.taskbar);
  }
}

HICON WindowIcon(HWND window, WPARAM which) {
  return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0));
}

// The window's icon is the program's own image of that size, pixel for pixel: not another size
// stretched, nor the system's.
void ExpectProgramImage(HICON icon, int size) {
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(IconWidth(icon), size);
  HICON image = ProgramIconImage(size);
  ASSERT_NE(image, nullptr) << "the program has no image of " << size << " pixels";
  OnBothBackgrounds expected(image, size);
  OnBothBackgrounds actual(icon, size);
  DestroyIcon(image);
  EXPECT_EQ(actual.onWhite, expected.onWhite);
  EXPECT_EQ(actual.onBlack, expected.onBlack);
}

// The runs at 144 and 192 DPI take these too (WindowsHighDpiTest).
TEST(WindowIconDpiTest, TheMainWindowCarriesTheProgramsIconAtItsDpi) {
  formtest::FormFixture fixture;
  HWND window = formtest::FormWindow(fixture.build(MainWindowLayout()));
  int dpi = WindowDpi(window);
  EXPECT_EQ(dpi, formtest::ExpectedSystemDpi());
  std::optional<SizesAtDpi> sizes = ExpectedSizesAt(dpi);
  ASSERT_TRUE(sizes) << "no icon sizes worked out for " << dpi << " DPI";
  {
    SCOPED_TRACE("title bar");
    ExpectProgramImage(WindowIcon(window, ICON_SMALL), sizes->titleBar);
  }
  {
    SCOPED_TRACE("taskbar");
    ExpectProgramImage(WindowIcon(window, ICON_BIG), sizes->taskbar);
  }
}

// Moved to a monitor of another DPI, the window takes icons of the sizes of that DPI: the
// program's own images where it has them, the next larger one scaled down where it has not.
TEST(WindowIconDpiTest, TheMainWindowsIconsFollowADpiChange) {
  formtest::FormFixture fixture;
  HWND window = formtest::FormWindow(fixture.build(MainWindowLayout()));
  int startDpi = WindowDpi(window);
  RECT bounds;
  GetWindowRect(window, &bounds);
  for (int dpi : {startDpi * 3 / 2, startDpi * 2, startDpi}) {
    SCOPED_TRACE(dpi);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&bounds));
    IconSizes sizes = IconSizesAt(dpi);
    if (std::optional<SizesAtDpi> expected = ExpectedSizesAt(dpi)) {
      EXPECT_EQ(sizes.titleBar, expected->titleBar);
      EXPECT_EQ(sizes.taskbar, expected->taskbar);
    }
    const std::pair<WPARAM, int> icons[] = {{ICON_SMALL, sizes.titleBar},
                                            {ICON_BIG, sizes.taskbar}};
    for (auto [which, size] : icons) {
      HICON icon = WindowIcon(window, which);
      if (HICON image = ProgramIconImage(size)) {
        DestroyIcon(image);
        ExpectProgramImage(icon, size);
      } else {
        EXPECT_EQ(IconWidth(icon), size);
      }
    }
  }
}

// A dialog's modal frame shows no icon, and an icon of its own would put one there.
TEST(WindowIconDpiTest, TheOptionsDialogCarriesNoIconOfItsOwn) {
  formtest::FormFixture fixture;
  HWND dialog = formtest::FormWindow(fixture.build(OptionsDialogLayout()));
  EXPECT_EQ(WindowIcon(dialog, ICON_SMALL), nullptr);
  EXPECT_EQ(WindowIcon(dialog, ICON_BIG), nullptr);
}

// The window as the screen shows it, frame included, top row first.
Pixels WindowPixels(HWND window, int& width, int& height) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  width = bounds.right - bounds.left;
  height = bounds.bottom - bounds.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC windowContext = GetWindowDC(window);
  BitBlt(memory, 0, 0, width, height, windowContext, 0, 0, SRCCOPY);
  ReleaseDC(window, windowContext);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  Pixels pixels(first, first + width * height);
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

// Wine draws the frame itself, which a copy of the window's device context shows; Windows
// leaves the frame to the desktop window manager, which such a copy does not see. The icon's
// opaque pixels must show unchanged somewhere at the left of the caption.
TEST(WindowIconDpiTest, TheTitleBarShowsTheProgramsIcon) {
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
    GTEST_SKIP() << "the desktop window manager draws the title bar";
  }
  formtest::FormFixture fixture;
  ui::Form& form = fixture.build(MainWindowLayout());
  HWND window = formtest::FormWindow(form);
  form.show();
  formtest::DrainMessages();
  int size = GetSystemMetrics(SM_CXSMICON);
  HICON image = ProgramIconImage(size);
  ASSERT_NE(image, nullptr) << "the program has no image of " << size << " pixels";
  OnBothBackgrounds icon(image, size);
  DestroyIcon(image);
  int width = 0, height = 0;
  Pixels shown = WindowPixels(window, width, height);
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT frame{};
  GetWindowRect(window, &frame);
  int captionBottom = client.top - frame.top;  // the caption and the menu bar lie above it
  bool found = false;
  for (int top = 0; !found && top + size <= captionBottom; ++top) {
    for (int left = 0; !found && left + size <= width / 2; ++left) {
      bool matches = true;
      for (int y = 0; matches && y < size; ++y) {
        for (int x = 0; matches && x < size; ++x) {
          std::size_t pixel = static_cast<std::size_t>(y * size + x);
          if (!icon.opaque(pixel)) continue;
          matches =
              shown[static_cast<std::size_t>((top + y) * width + left + x)] == icon.onWhite[pixel];
        }
      }
      found = matches;
    }
  }
  EXPECT_TRUE(found) << "no " << size << "-pixel image of the program's icon in the caption";
}

}  // namespace
}  // namespace loadergui::win32
