// Turns layout twips into pixels at a window's DPI: every pixel of a form comes through here.
#pragma once

#include <windows.h>

#include "SystemFunctions.h"
#include "ui/Layout.h"

namespace loadergui::win32 {

constexpr int kTwipsPerInch = 1440;

// Pixel rectangle of a control inside its window's client area.
struct PixelRect {
  int left, top, width, height;
};

// The DPI the window is drawn at: 96 for a program that does not declare itself DPI-aware.
int WindowDpi(HWND window);

// 15 twips make one pixel at 96 DPI; halves round away from zero.
int TwipsToPixels(int twips, int dpi);

// Each of the four table values is converted on its own, so overlapping controls of the
// table overlap exactly in pixels too.
PixelRect ControlPixels(const ui::ControlLayout& layout, int dpi);

// The DPI of the whole screen, which the system's own metrics are measured at.
int SystemDpi();

// A length in pixels at one DPI, in pixels at another; halves round away from zero.
int RescalePixels(int pixels, int fromDpi, int toDpi);

}  // namespace loadergui::win32
