// The toolkit: the program's icon, its windows, and the end of the event loop with the last.
#include "Toolkit.h"

#include <QCoreApplication>

#include "Form.h"

namespace loadergui::qt {

QtToolkit::QtToolkit()
    : onLastFormGone([] { QCoreApplication::quit(); }),
      icon_(QStringLiteral(":/loadergui/app.ico")) {}

std::unique_ptr<ui::Form> QtToolkit::createForm(const ui::FormLayout& layout) {
  return std::make_unique<QtForm>(layout, *this);
}

void QtToolkit::formDestroyed() {
  if (--liveForms_ == 0 && onLastFormGone) onLastFormGone();
}

}  // namespace loadergui::qt
