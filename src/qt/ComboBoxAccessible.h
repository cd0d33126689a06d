// What a screen reader reads of the program's combo boxes: the label's name, the box's text.
#pragma once

#include <QAccessibleWidget>
#include <QComboBox>

namespace loadergui::qt {

// Qt 6.4 names an editable combo box after its own text on Linux and leaves its label to a
// relation; this names it as a text box is named, by its accessible name or its label, and keeps
// the text as its value.
class ComboBoxAccessible : public QAccessibleWidget {
 public:
  explicit ComboBoxAccessible(QComboBox& combo);

  QString text(QAccessible::Text kind) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;

 private:
  QComboBox& combo() const;
};

// Has Qt describe the program's combo boxes (DropDownComboBox) with ComboBoxAccessible from now
// on; a second call changes nothing.
void UseComboBoxAccessible();

}  // namespace loadergui::qt
