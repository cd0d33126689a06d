// Popup menus built afresh from the commands each time they open.
#include "ContextMenu.h"

#include <string>

namespace loadergui::win32 {

namespace {

constexpr LPARAM kRepeatedKey = 1 << 30;

bool Held(int virtualKey) {
  return GetKeyState(virtualKey) < 0;
}

unsigned HeldModifiers() {
  return (Held(VK_CONTROL) ? ui::kCtrl : 0u) | (Held(VK_SHIFT) ? ui::kShift : 0u) |
         (Held(VK_MENU) ? ui::kAlt : 0u);
}

bool IsKeyDown(const MSG& message) {
  return message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
}

}  // namespace

// The menu's item identifiers are the commands' indexes plus one: 0 is the answer for none.
// TPM_RETURNCMD hands the choice back rather than as WM_COMMAND, so the command runs after the
// menu has gone.
std::optional<std::size_t> TrackContextMenu(HWND owner,
                                            const std::vector<ui::ContextCommand>& commands,
                                            POINT at) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return std::nullopt;
  for (std::size_t index = 0; index < commands.size(); ++index) {
    std::string caption = commands[index].caption;
    std::string keys = ui::ShortcutText(commands[index].shortcut);
    if (!keys.empty()) caption += "\t" + keys;
    AppendMenuA(menu, MF_STRING, index + 1, caption.c_str());
  }
  UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN;
  auto chosen = static_cast<UINT>(TrackPopupMenu(menu, flags, at.x, at.y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (chosen == 0 || chosen > commands.size()) return std::nullopt;
  return chosen - 1;
}

// A held key repeats its press; a command runs once per press.
bool IsShortcutPress(const MSG& message, ui::Shortcut shortcut) {
  if (shortcut.key == 0 || !IsKeyDown(message) || (message.lParam & kRepeatedKey)) return false;
  return message.wParam == static_cast<WPARAM>(shortcut.key) &&
         HeldModifiers() == shortcut.modifiers;
}

}  // namespace loadergui::win32
