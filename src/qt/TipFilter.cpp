// Tips as plain text shown as it is: every blank and tab kept, line breaks kept, wrapped by Qt
// where a line is too wide.
#include "TipFilter.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include "Text.h"

namespace loadergui::qt {

// Rich text is the only kind a tip wraps; the plain text goes in escaped, so a path with "<" in
// it is no markup, and under "pre-wrap", so that runs of blanks and tabs stay as they are
// (a tip holds the command line a press starts, and two blanks in a name are not one).
QString TipMarkup(const QString& plain) {
  QString escaped = plain.toHtmlEscaped();
  escaped.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  return QStringLiteral("<p style=\"white-space:pre-wrap\">") + escaped + QStringLiteral("</p>");
}

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
    QToolTip::showText(help->globalPos(), TipMarkup(tip), &widget_);
  }
  return true;
}

}  // namespace loadergui::qt
