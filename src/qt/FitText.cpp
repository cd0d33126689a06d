// Smaller fonts in half-point steps, as long as the text is too wide for its control.
#include "FitText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

namespace loadergui::qt {

namespace {

constexpr qreal kLargestFormPointSize = 9;
constexpr qreal kSmallestPointSize = 6;
constexpr qreal kStep = 0.5;

// "&Browse" shows as "Browse"; "&&" shows one ampersand.
QString Shown(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

}  // namespace

QFont FormFont() {
  QFont font = QApplication::font();
  if (font.pointSizeF() > kLargestFormPointSize) font.setPointSizeF(kLargestFormPointSize);
  return font;
}

void FitTextInto(QWidget& widget, const QString& text, int room) {
  QFont inherited = widget.parentWidget() ? widget.parentWidget()->font() : FormFont();
  QString shown = Shown(text);
  QFont font = inherited;
  while (QFontMetrics(font).horizontalAdvance(shown) > room &&
         font.pointSizeF() - kStep >= kSmallestPointSize) {
    font.setPointSizeF(font.pointSizeF() - kStep);
  }
  // An empty font inherits the form's again.
  widget.setFont(font == inherited ? QFont() : font);
}

int CheckBoxTextRoom(const QWidget& checkBox) {
  const QStyle* style = checkBox.style();
  return checkBox.width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &checkBox) -
         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &checkBox);
}

}  // namespace loadergui::qt
