// The Qt window behind a form that owns a message box or dialog.
#pragma once

#include <QWidget>

#include "ui/Form.h"

namespace loadergui::qt {

// nullptr for no owner.
inline QWidget* OwnerWidget(const ui::Form* owner) {
  return owner ? static_cast<QWidget*>(owner->nativeHandle()) : nullptr;
}

}  // namespace loadergui::qt
