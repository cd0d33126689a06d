// The twips-to-pixels helper, and the DPI it reads from a real window.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "app/MainLayout.h"

namespace loadergui::win32 {
namespace {

struct Conversion {
  int twips;
  int dpi;
  int pixels;
};

const Conversion kConversions[] = {
    {1440, 96, 96},    // one inch
    {15, 96, 1},       // one pixel at 96 DPI
    {4455, 96, 297},   // the main window's client width
    {2085, 96, 139},   // and height
    {3215, 96, 214},   // 214.33 rounds down
    {2375, 120, 198},  // 197.92 rounds up
    {7, 96, 0},        // below half a pixel
    {8, 96, 1},        // above half a pixel
    {4455, 144, 446},  // 445.5: halves round away from zero
    {1440, 192, 192}, {0, 96, 0},
};

TEST(WindowsDpiTest, ConvertsTwipsAtTheGivenDpi) {
  for (const auto& conversion : kConversions) {
    EXPECT_EQ(TwipsToPixels(conversion.twips, conversion.dpi), conversion.pixels)
        << conversion.twips << " twips at " << conversion.dpi << " DPI";
  }
}

TEST(WindowsDpiTest, ConvertsEachValueOfAControlRowOnItsOwn) {
  ui::ControlLayout row{"x", ui::ControlKind::Label, "", 120, 2375, 3255, 195, ui::kNoFlags, {}};
  PixelRect pixels = ControlPixels(row, 96);
  EXPECT_EQ(pixels.left, 8);
  EXPECT_EQ(pixels.top, 158);
  EXPECT_EQ(pixels.width, 217);
  EXPECT_EQ(pixels.height, 13);
  PixelRect larger = ControlPixels(row, 144);
  EXPECT_EQ(larger.left, 12);
  EXPECT_EQ(larger.top, 238);    // 237.5
  EXPECT_EQ(larger.width, 326);  // 325.5
  EXPECT_EQ(larger.height, 20);  // 19.5
}

TEST(WindowsDpiTest, ReadsTheDpiOfARealWindow) {
  formtest::FormFixture fixture;
  HWND window = formtest::FormWindow(fixture.build(MainWindowLayout()));
  HDC context = GetDC(window);
  int deviceDpi = GetDeviceCaps(context, LOGPIXELSY);
  ReleaseDC(window, context);
  EXPECT_EQ(WindowDpi(window), deviceDpi);
  EXPECT_GE(WindowDpi(window), 96);
}

}  // namespace
}  // namespace loadergui::win32
