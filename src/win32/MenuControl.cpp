// Menu entries behind the core's controls: captions, check marks and enabled states of a menu.
#include "MenuControl.h"

#include <utility>

namespace loadergui::win32 {

MenuControl::MenuControl(std::string name, ui::ControlKind kind, HWND owner, HMENU menu,
                         UINT position)
    : Control(std::move(name), kind), owner_(owner), menu_(menu), position_(position) {}

std::string MenuControl::text() const {
  if (!alive()) return {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STRING;
  if (!GetMenuItemInfoA(menu_, position_, TRUE, &info)) return {};
  // A separator has no caption of its own; its caption in the layout table is "-".
  if (info.fType & MFT_SEPARATOR) return "-";
  std::string text(info.cch + 1, '\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoA(menu_, position_, TRUE, &info)) return {};
  text.resize(info.cch);
  return text;
}

void MenuControl::setText(const std::string& text) {
  if (!alive()) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  std::string caption = text;
  info.dwTypeData = caption.data();
  SetMenuItemInfoA(menu_, position_, TRUE, &info);
  redrawMenuBar();
}

bool MenuControl::visible() const {
  return alive();
}

void MenuControl::setVisible(bool) {}

bool MenuControl::enabled() const {
  if (!alive()) return false;
  UINT state = GetMenuState(menu_, position_, MF_BYPOSITION);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void MenuControl::setEnabled(bool enabled) {
  if (!alive()) return;
  EnableMenuItem(menu_, position_, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  redrawMenuBar();
}

bool MenuControl::checked() const {
  if (!alive()) return false;
  UINT state = GetMenuState(menu_, position_, MF_BYPOSITION);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void MenuControl::setChecked(bool checked) {
  if (!alive()) return;
  CheckMenuItem(menu_, position_, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuControl::redrawMenuBar() const {
  if (IsWindow(owner_) && GetMenu(owner_) == menu_) DrawMenuBar(owner_);
}

}  // namespace loadergui::win32
