// A stand-in control: its whole state in memory, for running the program headless.
#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Layout.h"

namespace loadergui::null {

class NullForm;

class NullControl : public ui::Control {
 public:
  NullControl(NullForm& form, const ui::ControlLayout& layout);
  NullControl(NullForm& form, std::string name, ui::ControlKind kind, std::string text);

  std::string text() const override { return text_; }
  void setText(const std::string& text) override { text_ = text; }
  bool visible() const override { return visible_; }
  void setVisible(bool visible) override { visible_ = visible; }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  bool checked() const override { return checked_; }
  void setChecked(bool checked) override { checked_ = checked; }
  int value() const override { return value_; }
  std::vector<std::string> items() const override { return items_; }
  void setItems(const std::vector<std::string>& items) override { items_ = items; }
  void setFocus() override;

  // What a user's typing does: each character passes the key-press handler, then lands in the
  // text unless it was discarded (Backspace deletes the last character).
  void type(const std::string& characters);

 protected:
  void storeValue(int value) override { value_ = value; }

 private:
  NullForm& form_;
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  bool checked_ = false;
  int value_ = 0;
  std::vector<std::string> items_;
};

}  // namespace loadergui::null
