// Connects the controls of a freshly built window to their handlers.
#pragma once

namespace loadergui {

class App;
class MainWindow;
class OptionsDialog;

void BindMainWindow(App& app, MainWindow& window);
void BindOptionsDialog(App& app, OptionsDialog& dialog);

}  // namespace loadergui
