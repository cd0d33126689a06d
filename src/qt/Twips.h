// The layout tables' twips as the pixels Qt lays widgets out in; Qt scales those to the screen.
#pragma once

#include <QRect>

#include "ui/Layout.h"

namespace loadergui::qt {

// 15 twips to a pixel at 96 DPI, rounded to the nearest pixel as the Windows program rounds.
constexpr int TwipsToPixels(int twips) {
  constexpr int kTwipsPerPixel = 15;
  return (twips * 2 + kTwipsPerPixel) / (kTwipsPerPixel * 2);
}

inline QRect ControlRect(const ui::ControlLayout& row) {
  return QRect(TwipsToPixels(row.left), TwipsToPixels(row.top), TwipsToPixels(row.width),
               TwipsToPixels(row.height));
}

}  // namespace loadergui::qt
