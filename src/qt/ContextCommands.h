// A control's context menu and the shortcuts of its commands.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QShortcut>
#include <vector>

#include "ui/Control.h"

namespace loadergui::qt {

QKeySequence KeysOf(ui::Shortcut shortcut);

// Lives on the control's widget: the right mouse button, the menu key and Shift+F10 (while the
// widget has the focus) open the menu; each command's shortcut runs it while the widget's window
// is active. Reads the control's commands as they stand when it is asked.
class ContextCommands : public QObject {
 public:
  ContextCommands(QWidget& widget, ui::Control& control);
  ~ContextCommands() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows the menu at the point of the widget and runs the command chosen, once it has closed.
  void showMenu(QPoint at);
  void run(std::size_t index);

  QWidget& widget_;
  ui::Control& control_;
  std::vector<QPointer<QShortcut>> shortcuts_;
};

}  // namespace loadergui::qt
