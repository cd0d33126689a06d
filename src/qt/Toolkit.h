// Creates the program's Qt windows and ends the program when the last of them has gone.
#pragma once

#include <QIcon>
#include <functional>
#include <memory>

#include "ui/Form.h"

namespace loadergui::qt {

class QtToolkit : public ui::Toolkit {
 public:
  QtToolkit();

  std::unique_ptr<ui::Form> createForm(const ui::FormLayout& layout) override;

  // The program's icon, which every window carries.
  const QIcon& icon() const { return icon_; }

  // Forms report their coming and going; when the last one has gone, onLastFormGone runs.
  void formCreated() { ++liveForms_; }
  void formDestroyed();
  int liveForms() const { return liveForms_; }

  // Ends the event loop, and so the program, unless a test says otherwise.
  std::function<void()> onLastFormGone;

 private:
  QIcon icon_;
  int liveForms_ = 0;
};

}  // namespace loadergui::qt
