// Text boxes: what the user types passes the control's key handler on its way in.
#include "TextBoxControl.h"

#include "SingleLine.h"
#include "Text.h"

namespace loadergui::qt {

TextBoxControl::TextBoxControl(const ui::ControlLayout& row, QWidget* parent)
    : WidgetControl(row, new QLineEdit(ToQt(row.caption)), parent),
      edit_(static_cast<QLineEdit*>(widget())) {
  new KeyFilter(*edit_, *this);
  new SingleLineValidator(*edit_);
}

std::string TextBoxControl::text() const {
  return FromQt(edit_->text());
}

void TextBoxControl::setText(const std::string& text) {
  edit_->setText(ToQt(text));
}

}  // namespace loadergui::qt
