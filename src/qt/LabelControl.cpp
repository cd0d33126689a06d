// Labels show their text as it is: no markup, no access key, centred when the row says so.
#include "LabelControl.h"

#include "FitText.h"
#include "Text.h"

namespace loadergui::qt {

LabelControl::LabelControl(const ui::ControlLayout& row, QWidget* parent)
    : WidgetControl(row, new QLabel(ToQt(row.caption)), parent),
      label_(static_cast<QLabel*>(widget())) {
  label_->setTextFormat(Qt::PlainText);
  Qt::Alignment across = (row.flags & ui::kCentredText) ? Qt::AlignHCenter : Qt::AlignLeft;
  label_->setAlignment(across | Qt::AlignTop);
  FitTextInto(*label_, label_->text(), label_->width());
}

std::string LabelControl::text() const {
  return FromQt(label_->text());
}

void LabelControl::setText(const std::string& text) {
  label_->setText(ToQt(text));
  FitTextInto(*label_, label_->text(), label_->width());
}

}  // namespace loadergui::qt
