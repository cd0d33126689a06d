// Shows a control's tip, asked afresh each time the mouse pointer rests on it.
#pragma once

#include <QObject>
#include <QString>

#include "ui/Control.h"

namespace loadergui::qt {

// The tip's markup for a plain text whose lines end in line feeds.
QString TipMarkup(const QString& plain);

// Installed on the control's widget; an empty tip shows none.
class TipFilter : public QObject {
 public:
  TipFilter(QWidget& widget, ui::Control& control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& widget_;
  ui::Control& control_;
};

}  // namespace loadergui::qt
