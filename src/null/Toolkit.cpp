// Creates the stand-in windows from the layout tables.
#include "Toolkit.h"

namespace loadergui::null {

std::unique_ptr<ui::Form> NullToolkit::createForm(const ui::FormLayout& layout) {
  created.emplace_back(layout.name);
  return std::make_unique<NullForm>(layout, onModal);
}

}  // namespace loadergui::null
