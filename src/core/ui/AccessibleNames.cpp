// Which label names which box, looked up in the layout table's list of box labels.
#include "ui/AccessibleNames.h"

namespace loadergui::ui {

namespace {

const ControlLayout* RowOf(const FormLayout& layout, ControlMember member) {
  for (const ControlLayout& row : layout.controls) {
    if (row.member == member) return &row;
  }
  return nullptr;
}

}  // namespace

bool IsNamedByLabel(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
}

const ControlLayout* LabelOf(const FormLayout& layout, const ControlLayout& box) {
  if (!box.member) return nullptr;
  for (const BoxLabel& entry : layout.labels) {
    if (entry.box == box.member) return RowOf(layout, entry.label);
  }
  return nullptr;
}

std::vector<const ControlLayout*> BoxesNamedBy(const FormLayout& layout,
                                               const ControlLayout& label) {
  std::vector<const ControlLayout*> boxes;
  for (const ControlLayout& row : layout.controls) {
    if (LabelOf(layout, row) == &label) boxes.push_back(&row);
  }
  return boxes;
}

// "&&" stands for an ampersand that is shown; a lone ampersand marks the access key and is
// never said.
std::string WithoutAccessKey(std::string_view caption) {
  std::string name;
  name.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 >= caption.size() || caption[i + 1] != '&') continue;
      ++i;
    }
    name += caption[i];
  }
  return name;
}

}  // namespace loadergui::ui
