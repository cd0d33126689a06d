// A check box whose value is 0 (clear), 1 (ticked) or 2 (greyed).
#pragma once

#include <QCheckBox>

#include "WidgetControl.h"

namespace loadergui::qt {

// Shows all three values but leaves a click's change to its control: a click ticks a box that
// is not ticked and clears a ticked one, and the greyed value comes only from the program.
class ThreeValueCheckBox : public QCheckBox {
 protected:
  void nextCheckState() override {}
};

class CheckBoxControl : public WidgetControl {
 public:
  CheckBoxControl(const ui::ControlLayout& row, QWidget* parent);

  std::string text() const override;
  void setText(const std::string& text) override;
  int value() const override;

 protected:
  void storeValue(int value) override;

 private:
  QCheckBox* box_;
};

}  // namespace loadergui::qt
