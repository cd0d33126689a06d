// Connects the controls of a freshly built form to their handlers.
#pragma once

namespace loadergui {
class App;
namespace ui {
class Form;
}

void BindMainWindow(App& app, ui::Form& form);
void BindOptionsDialog(App& app, ui::Form& form);
}  // namespace loadergui
