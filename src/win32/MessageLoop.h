// The message loops: the program's main loop and the nested loop of a modal form.
#pragma once

#include <windows.h>

#include <functional>

namespace loadergui::win32 {

// Hands a message for one of the program's forms to the form's shortcuts, to its tips (the
// mouse) and to the dialog manager, which gives the keyboard its dialog-box meaning (Tab, access
// keys, Enter, Esc); true when it was handled.
bool TranslateFormMessage(MSG& message);

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Runs messages until finished() is true. A WM_QUIT that arrives meanwhile ends this loop and
// is posted again, so the main loop ends too.
void RunNestedMessageLoop(const std::function<bool()>& finished);

}  // namespace loadergui::win32
