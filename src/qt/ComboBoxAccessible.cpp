// The accessible combo box: named by its label, valued by its text, opened by a screen reader.
#include "ComboBoxAccessible.h"

#include <QAbstractItemView>

#include "ComboBoxControl.h"

namespace loadergui::qt {

namespace {

// Qt asks the factories, the one installed last first, for each class of an object from its
// own up to QObject; every other combo box, such as a file dialog's, stays Qt's.
QAccessibleInterface* ProgramComboBoxes(const QString&, QObject* object) {
  auto* combo = dynamic_cast<DropDownComboBox*>(object);
  return combo ? new ComboBoxAccessible(*combo) : nullptr;
}

}  // namespace

ComboBoxAccessible::ComboBoxAccessible(QComboBox& combo)
    : QAccessibleWidget(&combo, QAccessible::ComboBox) {}

QComboBox& ComboBoxAccessible::combo() const {
  return *static_cast<QComboBox*>(widget());
}

QString ComboBoxAccessible::text(QAccessible::Text kind) const {
  if (kind == QAccessible::Value) return combo().currentText();
  return QAccessibleWidget::text(kind);
}

QAccessible::State ComboBoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.expandable = true;
  state.expanded = combo().view() && combo().view()->isVisible();
  state.editable = combo().isEditable();
  return state;
}

// A screen reader opens and closes the list as a click on the arrow does.
QStringList ComboBoxAccessible::actionNames() const {
  return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void ComboBoxAccessible::doAction(const QString& action) {
  if (action != showMenuAction() && action != pressAction()) {
    QAccessibleWidget::doAction(action);
  } else if (state().expanded) {
    combo().hidePopup();
  } else {
    combo().showPopup();
  }
}

void UseComboBoxAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(ProgramComboBoxes);
    return true;
  }();
  (void)installed;
}

}  // namespace loadergui::qt
