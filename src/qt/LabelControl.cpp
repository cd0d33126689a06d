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
  captionChanged();
}

// The first box a label names is also its buddy: the relation a screen reader follows from
// the box to its label, and the box that the label's access key would give the focus to.
void LabelControl::nameBox(QWidget& box) {
  WidgetControl::nameBox(box);
  if (!label_->buddy()) label_->setBuddy(&box);
}

}  // namespace loadergui::qt
