// Check boxes: each change of the value, by a click or by the program, runs the click handler.
#include "CheckBoxControl.h"

#include "FitText.h"
#include "Text.h"

namespace loadergui::qt {

CheckBoxControl::CheckBoxControl(const ui::ControlLayout& row, QWidget* parent)
    : WidgetControl(row, new ThreeValueCheckBox, parent), box_(static_cast<QCheckBox*>(widget())) {
  box_->setText(ToQt(row.caption));
  box_->setTristate(true);
  FitTextInto(*box_, box_->text(), CheckBoxTextRoom(*box_));
  QObject::connect(box_, &QCheckBox::clicked,
                   [this] { setValue(ticked() ? ui::kCleared : ui::kTicked); });
}

std::string CheckBoxControl::text() const {
  return FromQt(box_->text());
}

void CheckBoxControl::setText(const std::string& text) {
  box_->setText(ToQt(text));
  FitTextInto(*box_, box_->text(), CheckBoxTextRoom(*box_));
  captionChanged();
}

// Qt counts the greyed state as 1 and the ticked one as 2.
int CheckBoxControl::value() const {
  switch (box_->checkState()) {
    case Qt::Checked:
      return ui::kTicked;
    case Qt::PartiallyChecked:
      return ui::kGreyed;
    default:
      return ui::kCleared;
  }
}

void CheckBoxControl::storeValue(int value) {
  Qt::CheckState state = value == ui::kTicked   ? Qt::Checked
                         : value == ui::kGreyed ? Qt::PartiallyChecked
                                                : Qt::Unchecked;
  box_->setCheckState(state);
}

}  // namespace loadergui::qt
