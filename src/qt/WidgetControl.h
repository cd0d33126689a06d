// A control of a form that is a Qt widget, which holds all of the control's state.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Layout.h"

namespace loadergui::qt {

// What every kind of child control shares: its widget, shown, enabled and focused as the core
// says. The kinds add their text, value and list.
class WidgetControl : public ui::Control {
 public:
  // The widget becomes a child of parent, placed where the row says, named after the row.
  WidgetControl(const ui::ControlLayout& row, QWidget* widget, QWidget* parent);

  QWidget* widget() const { return widget_; }
  const ui::ControlLayout& row() const { return row_; }
  // Whether the focus is on the widget or inside it (the edit field of a combo box).
  bool hasFocus() const;

  // The widget's own state, not the window's: the controls of a hidden form still tell it.
  bool visible() const override { return widget_ && !widget_->isHidden(); }
  void setVisible(bool visible) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  // Only menu items carry check marks, only check boxes a value, only combo boxes a list.
  bool checked() const override { return false; }
  void setChecked(bool) override {}
  int value() const override { return ui::kCleared; }
  std::vector<std::string> items() const override { return {}; }
  void setItems(const std::vector<std::string>&) override {}
  void setFocus() override;
  // The commands' menu and shortcuts are set up on the widget at once.
  void setContextCommands(std::vector<ui::ContextCommand> commands) override;

  // Gives box this control's caption, less its access key, as the name a screen reader says
  // for it, now and after every change of the caption.
  virtual void nameBox(QWidget& box);

 protected:
  void storeValue(int) override {}
  // The kinds whose caption can change call this after each change.
  void captionChanged();

 private:
  const ui::ControlLayout& row_;
  QPointer<QWidget> widget_;
  std::vector<QPointer<QWidget>> namedBoxes_;
  QPointer<QObject> contextCommands_;
};

}  // namespace loadergui::qt
