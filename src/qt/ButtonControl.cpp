// Command buttons: a press, by mouse, Space, Enter or access key, runs the click handler.
#include "ButtonControl.h"

#include "Text.h"

namespace loadergui::qt {

// In a dialog window every button takes Enter while it has the focus; the row's default button
// takes it otherwise (see FormWindow).
ButtonControl::ButtonControl(const ui::ControlLayout& row, QWidget* parent)
    : WidgetControl(row, new QPushButton(ToQt(row.caption)), parent),
      button_(static_cast<QPushButton*>(widget())) {
  button_->setAutoDefault(true);
  button_->setDefault((row.flags & ui::kDefaultButton) != 0);
  QObject::connect(button_, &QPushButton::clicked, [this] { click(); });
}

std::string ButtonControl::text() const {
  return FromQt(button_->text());
}

void ButtonControl::setText(const std::string& text) {
  button_->setText(ToQt(text));
}

}  // namespace loadergui::qt
