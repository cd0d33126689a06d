// Sends the characters typed into an edit field through its control's key handler.
#pragma once

#include <QLineEdit>
#include <QObject>

#include "ui/Control.h"

namespace loadergui::qt {

// Installed on the edit field of a text box or combo box (and on the combo box, which takes
// the keys for its field). Keys that type no character (arrows, Delete) and the keys that move
// about the window (Enter, Tab, Esc) pass untouched, as they never reach a control's key
// handler on Windows either.
class KeyFilter : public QObject {
 public:
  KeyFilter(QLineEdit& edit, ui::Control& control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Puts each character of typed through the key handler; true when the field should receive
  // them as they are, false when the filter has typed what the handler let through itself.
  bool passes(const QString& typed);

  QLineEdit& edit_;
  ui::Control& control_;
};

}  // namespace loadergui::qt
