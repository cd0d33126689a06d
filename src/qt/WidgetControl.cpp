// The state every child widget shares with the core: where it is, whether it shows and works.
#include "WidgetControl.h"

#include <QApplication>
#include <utility>

#include "ContextCommands.h"
#include "Text.h"
#include "Twips.h"
#include "ui/AccessibleNames.h"

namespace loadergui::qt {

WidgetControl::WidgetControl(const ui::ControlLayout& row, QWidget* widget, QWidget* parent)
    : ui::Control(std::string(row.name), row.kind), row_(row), widget_(widget) {
  widget->setParent(parent);
  widget->setObjectName(ToQt(row.name));
  widget->setGeometry(ControlRect(row));
  widget->setEnabled((row.flags & ui::kStartsDisabled) == 0);
}

bool WidgetControl::hasFocus() const {
  QWidget* focus = QApplication::focusWidget();
  return widget_ && focus && (focus == widget_ || widget_->isAncestorOf(focus));
}

// A widget that loses the focus by hiding or disabling hands it on to the next in tab order,
// as Qt does by itself.
void WidgetControl::setVisible(bool visible) {
  if (widget_) widget_->setVisible(visible);
}

bool WidgetControl::enabled() const {
  return widget_ && !widget_->testAttribute(Qt::WA_ForceDisabled);
}

void WidgetControl::setEnabled(bool enabled) {
  if (widget_) widget_->setEnabled(enabled);
}

// A window that is not active takes the focus up when it is next activated.
void WidgetControl::setFocus() {
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

void WidgetControl::nameBox(QWidget& box) {
  namedBoxes_.emplace_back(&box);
  captionChanged();
}

// An explicit name, rather than the one Qt works out from a label's buddy, since one label may
// name two boxes and a check box names one; setting it also tells a screen reader that it
// changed.
void WidgetControl::captionChanged() {
  QString name = ToQt(ui::WithoutAccessKey(text()));
  for (const QPointer<QWidget>& box : namedBoxes_) {
    if (box && box->accessibleName() != name) box->setAccessibleName(name);
  }
}

void WidgetControl::setContextCommands(std::vector<ui::ContextCommand> commands) {
  ui::Control::setContextCommands(std::move(commands));
  delete contextCommands_.data();
  if (widget_ && !contextCommands().empty()) {
    contextCommands_ = new ContextCommands(*widget_, *this);
  } else if (widget_) {
    widget_->setContextMenuPolicy(Qt::DefaultContextMenu);
  }
}

}  // namespace loadergui::qt
