// The form window: built from its layout table, its messages dispatched to small handlers.
#include "Form.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CaptionControl.h"
#include "CodePage.h"
#include "ContextMenu.h"
#include "Dpi.h"
#include "MenuControl.h"
#include "MessageFont.h"
#include "MessageLoop.h"
#include "SystemFunctions.h"
#include "Toolkit.h"
#include "ui/AccessibleNames.h"

namespace loadergui::win32 {

namespace {

using ui::ControlKind;

// WM_COMMAND identifiers; both ranges stay clear of IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Esc.
constexpr int kFirstChildId = 100;
constexpr int kFirstMenuId = 1000;
constexpr DWORD kButtonTypeMask = 0x0F;
constexpr std::string_view kSeparatorCaption = "-";

struct FrameStyle {
  DWORD style;
  DWORD exStyle;
  // Whether the title bar shows the program's icon.
  bool icon;
};

// Both frames are fixed: no sizing border and no maximise box. A form with a menu bar is the
// program's main window, which can be minimised; one without is a dialog, whose modal frame
// shows no icon (an icon set on it would appear).
constexpr FrameStyle kMainWindowFrame{WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                      WS_EX_CONTROLPARENT, true};
constexpr FrameStyle kDialogFrame{WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, false};

const FrameStyle& FrameFor(const ui::FormLayout& layout) {
  return layout.menu.empty() ? kDialogFrame : kMainWindowFrame;
}

DWORD Style(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
}

bool IsClick(int notification) {
  return notification == BN_CLICKED || notification == BN_DOUBLECLICKED;
}

bool IsFocusNotification(ControlKind kind, int notification) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      return notification == BN_SETFOCUS;
    case ControlKind::TextBox:
      return notification == EN_SETFOCUS;
    case ControlKind::ComboBox:
      return notification == CBN_SETFOCUS;
    default:
      return false;
  }
}

void PressIfUsable(ui::Control* button) {
  if (button && button->enabled() && button->visible()) button->click();
}

// The full paths of a drop, in the order the shell gives them.
// Read wide, as the shell holds them, so that a name outside the 8-bit code page is not handed
// on with "?" in its place: such a path comes as its short name, or empty when it has none.
std::vector<std::string> DroppedPaths(HDROP drop) {
  static const auto queryFile =
      FindSystemFunction<decltype(&DragQueryFileW)>("shell32.dll", "DragQueryFileW");
  std::vector<std::string> paths;
  if (!queryFile) return paths;
  constexpr UINT kAskForCount = 0xFFFFFFFF;
  UINT count = queryFile(drop, kAskForCount, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    UINT length = queryFile(drop, index, nullptr, 0);
    WideText path(length + 1, L'\0');
    queryFile(drop, index, path.data(), length + 1);
    paths.push_back(PassablePath(path.data()).value_or(std::string()));
  }
  return paths;
}

}  // namespace

Win32Form::Win32Form(const ui::FormLayout& layout, Win32Toolkit& toolkit)
    : Form(layout), toolkit_(toolkit) {
  const FrameStyle& frame = FrameFor(layout);
  std::string caption(layout.caption);
  // The window finds this form again through lpCreateParams; see WindowProc.
  CreateWindowExA(frame.exStyle, Win32Toolkit::WindowClassName(), caption.c_str(), frame.style, 0,
                  0, 0, 0, nullptr, nullptr, toolkit.instance(), this);
}

Win32Form::~Win32Form() {
  if (window_) DestroyWindow(window_);
}

Win32Form* Win32Form::FromWindow(HWND window) {
  char className[64];
  if (!window || !GetClassNameA(window, className, sizeof className)) return nullptr;
  if (lstrcmpiA(className, Win32Toolkit::WindowClassName()) != 0) return nullptr;
  return reinterpret_cast<Win32Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The form travels in CREATESTRUCT::lpCreateParams and is kept in GWLP_USERDATA; every
// message after that goes to the form's own handler.
LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* form = static_cast<Win32Form*>(create->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->toolkit_.windowCreated();
  }
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  return form->handleMessage(message, wParam, lParam);
}

LRESULT Win32Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  LRESULT handled = 0;
  if (onMessage && onMessage(message, wParam, lParam, handled)) return handled;
  switch (message) {
    case WM_CREATE:
      return onCreate() ? 0 : -1;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_DROPFILES:
      onDroppedFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      onClose();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) onSessionEnding();
      return 0;
    case WM_ACTIVATE:
      onActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0);
      return 0;
    case WM_SETFOCUS:
      onActivate(true, false);
      return 0;
    case WM_NEXTDLGCTL:
      if (LOWORD(lParam)) {
        onNextControl(reinterpret_cast<HWND>(wParam));
      } else {
        onNextControl(GetNextDlgTabItem(window_, GetFocus(), wParam != 0));
      }
      return 0;
    case DM_GETDEFID:
      return onGetDefaultId();
    case WM_CONTEXTMENU:
      if (onContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
      break;
    case WM_NCDESTROY:
      onNcDestroy();
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The session ends whatever the program says; a form with a handler for it gets its last word
// now, since no WM_CLOSE follows.
void Win32Form::onSessionEnding() {
  if (onEndSession) onEndSession();
}

bool Win32Form::onCreate() {
  dpi_ = WindowDpi(window_);
  font_ = CreateMessageFont(dpi_);
  if (FrameFor(layout()).icon) icons_.apply(window_, toolkit_.instance(), dpi_);
  adoptCaption(std::make_unique<CaptionControl>(window_));
  buildControls();
  buildMenu();
  buildTips();
  fitClientArea(dpi_);
  return true;
}

// Children are created in the table's order, which makes it the tab order, but for the labels
// that name boxes: a screen reader names a text box or combo box after the static text directly
// before it in the child order, so such a label is created directly before the first box it
// names. Labels take no focus, so no focus stop moves. A box whose label stands elsewhere (the
// second box of a label, a box named by a check box) gets a hidden label with the same caption
// directly before it instead. Identifiers follow the table's order whatever the child order.
void Win32Form::buildControls() {
  const std::vector<ui::ControlLayout>& rows = layout().controls;
  std::vector<std::unique_ptr<ChildControl>> built(rows.size());
  std::vector<bool> created(rows.size(), false);
  auto create = [&](std::size_t index) {
    int id = kFirstChildId + static_cast<int>(index);
    built[index] = CreateChildControl(window_, rows[index], id, dpi_, font_);
    created[index] = true;
  };
  std::vector<std::pair<std::size_t, HWND>> hiddenLabels;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const ui::ControlLayout& row = rows[index];
    if (row.kind == ControlKind::Label && !ui::BoxesNamedBy(layout(), row).empty()) continue;
    if (const ui::ControlLayout* label = ui::LabelOf(layout(), row)) {
      auto labelIndex = static_cast<std::size_t>(label - rows.data());
      if (label->kind == ControlKind::Label && !created[labelIndex]) {
        create(labelIndex);
      } else {
        hiddenLabels.emplace_back(labelIndex, CreateHiddenLabel(window_, label->caption));
      }
    }
    create(index);
  }
  for (const auto& [labelIndex, hiddenLabel] : hiddenLabels) {
    if (built[labelIndex] && hiddenLabel) built[labelIndex]->addHiddenLabel(hiddenLabel);
  }
  for (std::size_t index = 0; index < rows.size(); ++index) {
    std::unique_ptr<ChildControl>& control = built[index];
    if (!control) continue;
    int id = kFirstChildId + static_cast<int>(index);
    if (rows[index].flags & ui::kDefaultButton) defaultButton_ = control.get();
    if (rows[index].flags & ui::kCancelButton) cancelButton_ = control.get();
    children_[id] = control.get();
    commands_[id] = control.get();
    adopt(std::move(control));
  }
}

// Level-0 entries are the menus of the bar, level-1 entries the items of the menu before them.
// Separators take identifiers as items do, so that either can leave its menu and come back to
// its place; only items run a command. An entry that starts hidden is made and then taken out.
void Win32Form::buildMenu() {
  if (layout().menu.empty()) return;
  HMENU bar = CreateMenu();
  HMENU popup = nullptr;
  UINT barPosition = 0;
  std::vector<UINT> earlier;  // the identifiers of the current menu's entries so far
  UINT id = kFirstMenuId;
  for (const ui::MenuEntry& entry : layout().menu) {
    std::string name(entry.name);
    std::string caption(entry.caption);
    if (entry.level == 0) {
      popup = CreatePopupMenu();
      AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
      adopt(std::make_unique<MenuControl>(name, window_, bar, barPosition++));
      earlier.clear();
      continue;
    }
    if (!popup) continue;
    bool separator = entry.caption == kSeparatorCaption;
    AppendMenuA(popup, separator ? MF_SEPARATOR : MF_STRING, id,
                separator ? nullptr : caption.c_str());
    auto item = std::make_unique<MenuControl>(
        name, separator ? ControlKind::Separator : ControlKind::MenuItem, window_, popup, id,
        earlier);
    if (entry.flags & ui::kStartsHidden) item->setVisible(false);
    if (!separator) commands_[static_cast<int>(id)] = item.get();
    earlier.push_back(id++);
    adopt(std::move(item));
  }
  SetMenu(window_, bar);
}

// Every child control can show a tip; one without tipText shows none.
void Win32Form::buildTips() {
  tips_.create(window_, dpi_, font_);
  for (const auto& [id, child] : children_) tips_.addTool(*child);
}

// The window is sized around its client area; a menu bar that wraps onto a second line takes
// more than AdjustWindowRectEx allows for, so the result is measured and corrected once.
void Win32Form::fitClientArea(int dpi) {
  int wantedWidth = TwipsToPixels(layout().clientWidth, dpi);
  int wantedHeight = TwipsToPixels(layout().clientHeight, dpi);
  RECT frame{0, 0, wantedWidth, wantedHeight};
  AdjustWindowRectEx(&frame, Style(window_), GetMenu(window_) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE)));
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  constexpr UINT kResizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window_, nullptr, 0, 0, width, height, kResizeOnly);
  RECT client;
  GetClientRect(window_, &client);
  int missingWidth = wantedWidth - client.right;
  int missingHeight = wantedHeight - client.bottom;
  if (missingWidth != 0 || missingHeight != 0) {
    SetWindowPos(window_, nullptr, 0, 0, width + missingWidth, height + missingHeight, kResizeOnly);
  }
}

void Win32Form::centreOnScreen() {
  RECT bounds;
  GetWindowRect(window_, &bounds);
  int left = (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2;
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ChildControl* Win32Form::childById(int id) const {
  auto found = children_.find(id);
  return found == children_.end() ? nullptr : found->second;
}

// Enter and Esc come from the dialog manager as IDOK and IDCANCEL; a check box changes its
// value through setValue, so its handler runs exactly once per change.
void Win32Form::onCommand(int id, int notification) {
  if (id == IDOK) return PressIfUsable(defaultButton_);
  if (id == IDCANCEL) return PressIfUsable(cancelButton_);
  auto found = commands_.find(id);
  if (found == commands_.end()) return;
  ui::Control& control = *found->second;
  if (IsFocusNotification(control.kind(), notification)) {
    showFocusedButtonAsDefault(GetFocus());
    return;
  }
  switch (control.kind()) {
    case ControlKind::MenuItem:
      control.click();
      break;
    case ControlKind::Button:
      if (IsClick(notification)) control.click();
      break;
    case ControlKind::CheckBox:
      if (IsClick(notification)) {
        control.setValue(control.ticked() ? ui::kCleared : ui::kTicked);
      }
      break;
    case ControlKind::ComboBox:
      // Sent before the list opens, so the items set now are the ones that drop down.
      if (notification == CBN_DROPDOWN && control.onDropDown) control.onDropDown();
      break;
    default:
      break;
  }
}

LRESULT Win32Form::onNotify(NMHDR& header) {
  tips_.onGetDispInfo(header);
  return 0;
}

// The drop's memory is freed before the handler runs, which may take its time.
void Win32Form::onDroppedFiles(HDROP drop) {
  static const auto finish = FindSystemFunction<decltype(&DragFinish)>("shell32.dll", "DragFinish");
  std::vector<std::string> paths = DroppedPaths(drop);
  if (finish) finish(drop);
  if (onDropFiles) onDropFiles(paths);
}

// The window moves to the rectangle Windows suggests for the new DPI; the controls, their font
// and the client area are laid out again from the tables at that DPI, and its icons are drawn
// for it.
void Win32Form::onDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  HFONT previousFont = font_;
  font_ = CreateMessageFont(dpi_);
  if (FrameFor(layout()).icon) icons_.apply(window_, toolkit_.instance(), dpi_);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (const auto& [id, child] : children_) child->place(dpi_, font_);
  tips_.applyDpi(dpi_, font_);
  fitClientArea(dpi_);
  if (previousFont) DeleteObject(previousFont);
}

// The close box and Alt+F4 only ask; the form's owner decides what closing means.
void Win32Form::onClose() {
  if (onCloseRequest) onCloseRequest();
}

// The focus leaves with the activation and comes back to the same control, or to the first
// control in tab order the first time.
void Win32Form::onActivate(bool active, bool minimized) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) focusOnActivate_ = focus;
    return;
  }
  if (minimized) return;
  HWND target = focusOnActivate_;
  bool usable = target && IsWindow(target) && IsChild(window_, target) && IsWindowVisible(target) &&
                IsWindowEnabled(target);
  if (!usable) target = GetNextDlgTabItem(window_, nullptr, FALSE);
  if (target) focusControl(target);
}

// A shown window moves its focus at once; a hidden one takes it up when it is next activated.
void Win32Form::onNextControl(HWND control) {
  if (!control || !IsChild(window_, control)) return;
  focusOnActivate_ = control;
  if (IsWindowVisible(window_) && IsWindowEnabled(window_)) focusControl(control);
}

void Win32Form::focusControl(HWND control) {
  SetFocus(control);
  showFocusedButtonAsDefault(GetFocus());
}

// As in a dialog box: a push button with the focus is the one that Enter presses and shows
// the default frame; otherwise the form's own default button does.
void Win32Form::showFocusedButtonAsDefault(HWND focus) {
  ChildControl* target = defaultButton_;
  for (const auto& [id, child] : children_) {
    if (child->window() == focus && child->isPushButton()) target = child;
  }
  for (const auto& [id, child] : children_) {
    if (!child->isPushButton()) continue;
    DWORD style = Style(child->window());
    DWORD wantedType = child == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((style & kButtonTypeMask) == wantedType) continue;
    DWORD newStyle = (style & 0xFFFF & ~kButtonTypeMask) | wantedType;
    SendMessageA(child->window(), BM_SETSTYLE, newStyle, TRUE);
  }
}

// A control passes the request for its context menu on to its parent, the form. It comes from
// the right mouse button, with the point on the screen, or from the keyboard (Shift+F10, the
// menu key) with no point: the menu then opens in the middle of the control.
bool Win32Form::onContextMenu(HWND target, LPARAM at) {
  for (const auto& [id, child] : children_) {
    if (child->window() != target && child->editField() != target) continue;
    const std::vector<ui::ContextCommand>& commands = child->contextCommands();
    if (commands.empty()) return false;
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (point.x == -1 && point.y == -1) {
      RECT bounds;
      GetWindowRect(child->window(), &bounds);
      point = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }
    std::optional<std::size_t> chosen = TrackContextMenu(window_, commands, point);
    // The list is read again, and the command run from a copy: the menu's own loop may have run
    // a handler that changed it, and the command itself may change it.
    if (chosen && *chosen < child->contextCommands().size()) {
      std::function<void()> run = child->contextCommands()[*chosen].run;
      if (run) run();
    }
    return true;
  }
  return false;
}

bool Win32Form::runShortcut(const MSG& message) {
  if (!IsWindowEnabled(window_)) return false;
  for (const auto& [id, child] : children_) {
    for (const ui::ContextCommand& command : child->contextCommands()) {
      if (!IsShortcutPress(message, command.shortcut)) continue;
      std::function<void()> run = command.run;
      if (run) run();
      return true;
    }
  }
  return false;
}

// The dialog manager asks this before it presses a default button for Enter.
LRESULT Win32Form::onGetDefaultId() const {
  if (!defaultButton_) return 0;
  return MAKELRESULT(GetDlgCtrlID(defaultButton_->window()), DC_HASDEFID);
}

// The children have gone by now, so nothing uses the font any more.
void Win32Form::onNcDestroy() {
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  if (modalOwner_) EnableWindow(modalOwner_, TRUE);
  modalOwner_ = nullptr;
  modalRunning_ = false;
  window_ = nullptr;
  toolkit_.windowDestroyed();
}

void Win32Form::show() {
  if (!window_) return;
  if (!centredOnce_) {
    centreOnScreen();
    centredOnce_ = true;
  }
  acceptDropsIfWanted();
  ShowWindow(window_, SW_SHOW);
}

// Only a form with a drop handler shows the drop cursor for files dragged over it. The style is
// all that DragAcceptFiles sets; setting it here keeps shell32 unloaded until a drop arrives.
void Win32Form::acceptDropsIfWanted() {
  LONG_PTR exStyle = GetWindowLongPtrA(window_, GWL_EXSTYLE);
  exStyle = onDropFiles ? (exStyle | WS_EX_ACCEPTFILES) : (exStyle & ~LONG_PTR{WS_EX_ACCEPTFILES});
  SetWindowLongPtrA(window_, GWL_EXSTYLE, exStyle);
}

void Win32Form::showModal(ui::Form& owner) {
  if (!window_) return;
  auto ownerWindow = static_cast<HWND>(owner.nativeHandle());
  // Owned, the dialog stays above its owner and has no taskbar button of its own.
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
  centreOnScreen();
  centredOnce_ = true;
  modalOwner_ = ownerWindow;
  modalRunning_ = true;
  if (ownerWindow) EnableWindow(ownerWindow, FALSE);
  acceptDropsIfWanted();
  ShowWindow(window_, SW_SHOW);
  // The loop ends with hide() or the window's end, not with the window's visibility: a
  // minimised owner hides its owned windows for a while without ending anything.
  HWND self = window_;
  RunNestedMessageLoop([this, self] { return !IsWindow(self) || !modalRunning_; });
  // A window that still exists still has its form; a destroyed one has cleared its own state.
  if (IsWindow(self)) modalOwner_ = nullptr;
  if (ownerWindow && IsWindow(ownerWindow)) {
    EnableWindow(ownerWindow, TRUE);
    if (IsWindowVisible(ownerWindow)) SetActiveWindow(ownerWindow);
  }
}

// The owner of a modal form is enabled before the form disappears, so that the activation
// passes back to the owner and not to some other program's window.
void Win32Form::hide() {
  if (!window_) return;
  if (modalOwner_) EnableWindow(modalOwner_, TRUE);
  modalOwner_ = nullptr;
  bool endsModalLoop = modalRunning_;
  modalRunning_ = false;
  ShowWindow(window_, SW_HIDE);
  // The modal loop only looks at its flag when a message arrives; a hide that came from a sent
  // message, not from input, would otherwise leave it waiting for the next one.
  if (endsModalLoop) PostMessageA(window_, WM_NULL, 0, 0);
}

bool Win32Form::isShown() const {
  return window_ && IsWindowVisible(window_);
}

void Win32Form::destroy() {
  if (window_) DestroyWindow(window_);
}

std::string Win32Form::focusedControl() const {
  for (const auto& [id, child] : children_) {
    if (child->hasFocus()) return child->name();
  }
  return {};
}

}  // namespace loadergui::win32
