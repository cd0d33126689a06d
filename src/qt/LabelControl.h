// A label: one line of text, which takes no focus.
#pragma once

#include <QLabel>

#include "WidgetControl.h"

namespace loadergui::qt {

class LabelControl : public WidgetControl {
 public:
  LabelControl(const ui::ControlLayout& row, QWidget* parent);

  std::string text() const override;
  void setText(const std::string& text) override;
  void nameBox(QWidget& box) override;

 private:
  QLabel* label_;
};

}  // namespace loadergui::qt
