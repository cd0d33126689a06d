// A stand-in window: built from its layout table, shown and hidden in memory only.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "Control.h"
#include "ui/Form.h"

namespace loadergui::null {

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

}  // namespace loadergui::null
