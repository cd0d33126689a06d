// Tips as plain text, line breaks kept, wrapped by Qt where they are too wide.
#include "TipFilter.h"

#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

#include "Text.h"

namespace loadergui::qt {

TipFilter::TipFilter(QWidget& widget, ui::Control& control)
    : QObject(&widget), widget_(widget), control_(control) {
  widget.installEventFilter(this);
}

bool TipFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &widget_ || event->type() != QEvent::ToolTip || !control_.tipText) return false;
  auto* help = static_cast<QHelpEvent*>(event);
  QString tip = ToQtLines(control_.tipText());
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else {
    // As plain text: a path with "<" in it is no markup.
    QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal),
                       &widget_);
  }
  return true;
}

}  // namespace loadergui::qt
