// Ownership of a form's controls and their lookup by name.
#include "ui/Form.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace loadergui::ui {

Form::Form(const FormLayout& layout) : layout_(layout) {}

Form::~Form() = default;

// Every name asked for comes from a layout table, so an unknown name is a programming error that
// must not go on silently (a row whose control the backend could not build).
Control& Form::control(std::string_view name) const {
  auto found = byName_.find(name);
  if (found == byName_.end()) {
    // Plain writes: the formatted-output machinery would add some 28 KB to the program.
    std::fputs("unknown control ", stderr);
    std::fwrite(name.data(), 1, name.size(), stderr);
    std::fputs(" on ", stderr);
    std::fwrite(layout_.name.data(), 1, layout_.name.size(), stderr);
    std::fputs("\n", stderr);
    std::abort();
  }
  return *found->second;
}

bool Form::hasControl(std::string_view name) const {
  return byName_.count(name) != 0;
}

std::vector<Control*> Form::controls() const {
  std::vector<Control*> all;
  for (const auto& control : controls_) all.push_back(control.get());
  return all;
}

void Form::adoptCaption(std::unique_ptr<Control> caption) {
  caption_ = std::move(caption);
}

void Form::adopt(std::unique_ptr<Control> control) {
  byName_[control->name()] = control.get();
  controls_.push_back(std::move(control));
}

}  // namespace loadergui::ui
