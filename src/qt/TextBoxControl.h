// A single-line text box.
#pragma once

#include <QLineEdit>

#include "KeyFilter.h"
#include "WidgetControl.h"

namespace loadergui::qt {

class TextBoxControl : public WidgetControl {
 public:
  TextBoxControl(const ui::ControlLayout& row, QWidget* parent);

  std::string text() const override;
  void setText(const std::string& text) override;

 private:
  QLineEdit* edit_;
};

}  // namespace loadergui::qt
