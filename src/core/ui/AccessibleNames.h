// The names a screen reader gives the controls of a form, as its layout table sets them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/Layout.h"

namespace loadergui::ui {

// Text boxes and combo boxes show a value, not a caption: a label names them.
bool IsNamedByLabel(ControlKind kind);

// The row of the label or check box that names a box, or nullptr when the table gives none.
const ControlLayout* LabelOf(const FormLayout& layout, const ControlLayout& box);

// The boxes that a label or check box names, in table order.
std::vector<const ControlLayout*> BoxesNamedBy(const FormLayout& layout,
                                               const ControlLayout& label);

// A caption as a screen reader says it: without the ampersand that marks its access key.
std::string WithoutAccessKey(std::string_view caption);

}  // namespace loadergui::ui
