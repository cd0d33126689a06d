// A control's context menu, and the keys of its commands' shortcuts.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "ui/Control.h"

namespace loadergui::win32 {

// Shows the commands as a popup menu at the screen point, owned by the window, and returns the
// index of the one chosen once the menu has closed; nothing when it was dismissed.
std::optional<std::size_t> TrackContextMenu(HWND owner,
                                            const std::vector<ui::ContextCommand>& commands,
                                            POINT at);

// Whether the message is the first press of the shortcut's key with exactly its modifiers held.
bool IsShortcutPress(const MSG& message, ui::Shortcut shortcut);

}  // namespace loadergui::win32
