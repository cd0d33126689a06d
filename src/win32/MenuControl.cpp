// Menu entries behind the core's controls: captions, check marks, enabled states of a menu, and
// entries taken out of it and put back.
#include "MenuControl.h"

#include <utility>

namespace loadergui::win32 {

namespace {

constexpr UINT kNotInMenu = static_cast<UINT>(-1);

}  // namespace

MenuControl::MenuControl(std::string name, HWND owner, HMENU bar, UINT position)
    : Control(std::move(name), ui::ControlKind::Menu),
      owner_(owner),
      menu_(bar),
      item_(position),
      flag_(MF_BYPOSITION) {}

MenuControl::MenuControl(std::string name, ui::ControlKind kind, HWND owner, HMENU menu, UINT id,
                         std::vector<UINT> earlier)
    : Control(std::move(name), kind),
      owner_(owner),
      menu_(menu),
      item_(id),
      flag_(MF_BYCOMMAND),
      earlier_(std::move(earlier)) {}

std::string MenuControl::text() const {
  if (hidden_) return hidden_->caption;
  if (!alive()) return {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STRING;
  if (!GetMenuItemInfoA(menu_, item_, byPosition(), &info)) return {};
  // A separator has no caption of its own; its caption in the layout table is "-".
  if (info.fType & MFT_SEPARATOR) return "-";
  std::string text(info.cch + 1, '\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoA(menu_, item_, byPosition(), &info)) return {};
  text.resize(info.cch);
  return text;
}

void MenuControl::setText(const std::string& text) {
  if (hidden_) {
    hidden_->caption = text;
    return;
  }
  if (!alive()) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  std::string caption = text;
  info.dwTypeData = caption.data();
  SetMenuItemInfoA(menu_, item_, byPosition(), &info);
  redrawMenuBar();
}

bool MenuControl::visible() const {
  return !hidden_ && alive();
}

// The entry leaves its menu with its caption, check mark and enabled state, and takes them back
// with it. A menu of the bar stays.
void MenuControl::setVisible(bool visible) {
  if (byPosition() || !alive() || visible == !hidden_) return;
  if (!visible) {
    Hidden keep{text(), checked(), enabled()};
    if (!RemoveMenu(menu_, item_, MF_BYCOMMAND)) return;
    hidden_ = std::move(keep);
  } else {
    bool separator = kind() == ui::ControlKind::Separator;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | (separator ? 0 : MIIM_STRING);
    info.fType = separator ? MFT_SEPARATOR : MFT_STRING;
    info.fState = (hidden_->checked ? MFS_CHECKED : MFS_UNCHECKED) |
                  (hidden_->enabled ? MFS_ENABLED : MFS_GRAYED);
    info.wID = item_;
    std::string caption = hidden_->caption;
    if (!separator) info.dwTypeData = caption.data();
    if (!InsertMenuItemA(menu_, placeAmongShown(), TRUE, &info)) return;
    hidden_.reset();
  }
  redrawMenuBar();
}

UINT MenuControl::placeAmongShown() const {
  UINT place = 0;
  for (UINT id : earlier_) {
    if (GetMenuState(menu_, id, MF_BYCOMMAND) != kNotInMenu) ++place;
  }
  return place;
}

bool MenuControl::enabled() const {
  if (hidden_) return hidden_->enabled;
  if (!alive()) return false;
  UINT state = GetMenuState(menu_, item_, flag_);
  return state != kNotInMenu && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void MenuControl::setEnabled(bool enabled) {
  if (hidden_) {
    hidden_->enabled = enabled;
    return;
  }
  if (!alive()) return;
  EnableMenuItem(menu_, item_, flag_ | (enabled ? MF_ENABLED : MF_GRAYED));
  redrawMenuBar();
}

bool MenuControl::checked() const {
  if (hidden_) return hidden_->checked;
  if (!alive()) return false;
  UINT state = GetMenuState(menu_, item_, flag_);
  return state != kNotInMenu && (state & MF_CHECKED) != 0;
}

void MenuControl::setChecked(bool checked) {
  if (hidden_) {
    hidden_->checked = checked;
    return;
  }
  if (!alive()) return;
  CheckMenuItem(menu_, item_, flag_ | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuControl::redrawMenuBar() const {
  if (IsWindow(owner_) && GetMenu(owner_) == menu_) DrawMenuBar(owner_);
}

}  // namespace loadergui::win32
