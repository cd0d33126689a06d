// A command button; its caption marks the access key with an ampersand, as the tables do.
#pragma once

#include <QPushButton>

#include "WidgetControl.h"

namespace loadergui::qt {

class ButtonControl : public WidgetControl {
 public:
  ButtonControl(const ui::ControlLayout& row, QWidget* parent);

  QPushButton* button() const { return button_; }
  std::string text() const override;
  void setText(const std::string& text) override;

 private:
  QPushButton* button_;
};

}  // namespace loadergui::qt
