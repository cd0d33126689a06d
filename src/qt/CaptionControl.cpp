// A window's title as a control: the text is the title; the window shows and hides as a form.
#include "CaptionControl.h"

#include <utility>

#include "Text.h"

namespace loadergui::qt {

CaptionControl::CaptionControl(std::string name, QWidget* window)
    : ui::Control(std::move(name), ui::ControlKind::Caption), window_(window) {}

std::string CaptionControl::text() const {
  return window_ ? FromQt(window_->windowTitle()) : std::string();
}

void CaptionControl::setText(const std::string& text) {
  if (window_) window_->setWindowTitle(ToQt(text));
}

bool CaptionControl::visible() const {
  return window_ && window_->isVisible();
}

}  // namespace loadergui::qt
