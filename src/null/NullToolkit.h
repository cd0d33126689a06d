// Stand-in windows and controls: the whole state in memory, for running the program headless.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"

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

class NullForm : public ui::Form {
 public:
  NullForm(const ui::FormLayout& layout, std::function<void(NullForm&)>& onModal);

  void show() override;
  void showModal(ui::Form& owner) override;
  void hide() override { shown_ = false; }
  bool isShown() const override { return shown_; }
  void destroy() override;
  std::string focusedControl() const override { return focused_; }
  void* nativeHandle() const override { return const_cast<NullForm*>(this); }

  bool destroyed() const { return destroyed_; }
  int timesShownModal() const { return timesShownModal_; }
  const ui::Form* modalOwner() const { return modalOwner_; }
  NullControl& stub(std::string_view name) { return static_cast<NullControl&>(control(name)); }
  void setFocused(std::string name) { focused_ = std::move(name); }

 private:
  std::function<void(NullForm&)>& onModal_;
  bool shown_ = false;
  bool destroyed_ = false;
  int timesShownModal_ = 0;
  const ui::Form* modalOwner_ = nullptr;
  std::string focused_;
};

class NullToolkit : public ui::Toolkit {
 public:
  std::unique_ptr<ui::Form> createForm(const ui::FormLayout& layout) override;

  // Stands for the user's work while a form is shown modally: it runs inside showModal, and
  // showModal returns after it.
  std::function<void(NullForm&)> onModal;
  // Names of the forms created so far, in order.
  std::vector<std::string> created;
};

}  // namespace loadergui::null
