// The toolkit: the program's icon, its windows, and the end of the event loop with the last.
#include "Toolkit.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "DesktopEntry.h"
#include "Form.h"
#include "ProgramIcon.h"

namespace loadergui::qt {

// The application's icon and desktop file name are set too, so that the desktop matches the
// windows to the program's entry in its menu and shows the same icon for them.
QtToolkit::QtToolkit() : onLastFormGone([] { QCoreApplication::quit(); }), icon_(ProgramIcon()) {
  QGuiApplication::setWindowIcon(icon_);
  QGuiApplication::setDesktopFileName(kDesktopId);
}

std::unique_ptr<ui::Form> QtToolkit::createForm(const ui::FormLayout& layout) {
  return std::make_unique<QtForm>(layout, *this);
}

void QtToolkit::formDestroyed() {
  if (--liveForms_ == 0 && onLastFormGone) onLastFormGone();
}

}  // namespace loadergui::qt
