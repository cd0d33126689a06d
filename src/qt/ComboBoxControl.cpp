// Combo boxes: the text is the edit field's; the list only offers texts to pick.
#include "ComboBoxControl.h"

#include <QLineEdit>

#include "KeyFilter.h"
#include "SingleLine.h"
#include "Text.h"

namespace loadergui::qt {

void DropDownComboBox::showPopup() {
  if (beforeDropDown) beforeDropDown();
  QComboBox::showPopup();
}

// The text is never completed from the list while it is typed, and Enter never adds it to the
// list: the box holds what the user typed, as typed.
ComboBoxControl::ComboBoxControl(const ui::ControlLayout& row, QWidget* parent)
    : WidgetControl(row, new DropDownComboBox, parent), combo_(static_cast<QComboBox*>(widget())) {
  static_cast<DropDownComboBox*>(combo_)->beforeDropDown = [this] {
    if (onDropDown) onDropDown();
  };
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  combo_->setCompleter(nullptr);
  for (std::string_view item : row.items) combo_->addItem(ToQt(item));
  combo_->setEditText(ToQt(row.caption));
  new KeyFilter(*combo_->lineEdit(), *this);
  // An item picked from the list is set into the field, and kept to one line like the rest.
  new SingleLineValidator(*combo_->lineEdit());
}

std::string ComboBoxControl::text() const {
  return FromQt(combo_->currentText());
}

void ComboBoxControl::setText(const std::string& text) {
  combo_->setEditText(ToQt(text));
}

std::vector<std::string> ComboBoxControl::items() const {
  std::vector<std::string> list;
  for (int index = 0; index < combo_->count(); ++index) {
    list.push_back(FromQt(combo_->itemText(index)));
  }
  return list;
}

// Emptying the list may empty the edit field too; its text and selection are put back as they
// were, so that a list refreshed while the user types loses nothing.
void ComboBoxControl::setItems(const std::vector<std::string>& items) {
  QLineEdit* edit = combo_->lineEdit();
  QString kept = edit->text();
  int cursor = edit->cursorPosition();
  int selectionStart = edit->selectionStart();
  int selectionLength = edit->selectionLength();
  combo_->clear();
  for (const std::string& item : items) combo_->addItem(ToQt(item));
  combo_->setCurrentIndex(-1);
  edit->setText(kept);
  if (selectionStart >= 0) {
    edit->setSelection(selectionStart, selectionLength);
  } else {
    edit->setCursorPosition(cursor);
  }
}

}  // namespace loadergui::qt
