// An editable combo box: a text typed freely or picked from its list.
#pragma once

#include <QComboBox>
#include <functional>

#include "WidgetControl.h"

namespace loadergui::qt {

// Says so just before the list drops down, so that the list can be filled afresh.
class DropDownComboBox : public QComboBox {
 public:
  void showPopup() override;

  std::function<void()> beforeDropDown;
};

class ComboBoxControl : public WidgetControl {
 public:
  ComboBoxControl(const ui::ControlLayout& row, QWidget* parent);

  std::string text() const override;
  void setText(const std::string& text) override;
  std::vector<std::string> items() const override;
  void setItems(const std::vector<std::string>& items) override;

 private:
  QComboBox* combo_;
};

}  // namespace loadergui::qt
