// The title of a form's window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "ui/Control.h"

namespace loadergui::qt {

class CaptionControl : public ui::Control {
 public:
  CaptionControl(std::string name, QWidget* window);

  std::string text() const override;
  void setText(const std::string& text) override;
  bool visible() const override;
  void setVisible(bool) override {}
  bool enabled() const override { return true; }
  void setEnabled(bool) override {}
  bool checked() const override { return false; }
  void setChecked(bool) override {}
  int value() const override { return ui::kCleared; }
  std::vector<std::string> items() const override { return {}; }
  void setItems(const std::vector<std::string>&) override {}
  void setFocus() override {}

 protected:
  void storeValue(int) override {}

 private:
  QPointer<QWidget> window_;
};

}  // namespace loadergui::qt
