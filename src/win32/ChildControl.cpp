// Child windows behind the core's buttons, labels, text boxes, combo boxes and check boxes.
#include "ChildControl.h"

#include <algorithm>

#include "Dpi.h"
#include "FitText.h"
#include "WindowText.h"

namespace loadergui::win32 {

namespace {

using ui::ControlKind;

constexpr DWORD kButtonTypeMask = 0x0F;
// An open combo-box list shows at most this many rows before it scrolls.
constexpr int kMaxDropDownRows = 8;

struct ChildClass {
  ControlKind kind;
  const char* className;
  DWORD style;
  DWORD exStyle;
};

// Every control is a group of its own, so the arrow keys never move the focus.
constexpr DWORD kEveryChild = WS_CHILD | WS_VISIBLE | WS_GROUP;
// BS_NOTIFY lets the form hear when a button gets the focus, so that it can move the default
// frame as a dialog box does.
const ChildClass kChildClasses[] = {
    {ControlKind::Button, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0},
    // A caption stays on one line, which is all the label's height shows; one too long even in
    // the smallest fitted font ends in an ellipsis.
    {ControlKind::Label, "STATIC", SS_LEFT | SS_ENDELLIPSIS, 0},
    {ControlKind::TextBox, "EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {ControlKind::ComboBox, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
     0},
    // Manual three-state: the form sets the value, so value 2 can show greyed.
    {ControlKind::CheckBox, "BUTTON", WS_TABSTOP | BS_3STATE | BS_NOTIFY, 0},
};

const ChildClass* FindChildClass(ControlKind kind) {
  for (const auto& childClass : kChildClasses) {
    if (childClass.kind == kind) return &childClass;
  }
  return nullptr;
}

DWORD ChildStyle(const ChildClass& childClass, const ui::ControlLayout& layout) {
  DWORD style = kEveryChild | childClass.style;
  if ((layout.flags & ui::kDefaultButton) && layout.kind == ControlKind::Button) {
    style = (style & ~kButtonTypeMask) | BS_DEFPUSHBUTTON;
  }
  if ((layout.flags & ui::kCentredText) && layout.kind == ControlKind::Label) {
    style = (style & ~SS_TYPEMASK) | SS_CENTER;
  }
  if (layout.flags & ui::kStartsDisabled) style |= WS_DISABLED;
  return style;
}

// A combo box is sized with its drop-down list below it: one table height per list row, so
// the open list shows up to kMaxDropDownRows items before it scrolls.
int DropDownHeight(const ui::ControlLayout& layout, int rows, int dpi) {
  return TwipsToPixels(layout.height * std::clamp(rows, 1, kMaxDropDownRows), dpi);
}

// The closed height of a combo box follows the height of its selection field; that field is
// set so that the closed box is exactly as high as the table says. The height read back need
// not be the height set (Wine adds two pixels to what it is given), so the box is measured
// after each setting and the setting corrected by what is still missing.
void FitComboHeight(HWND combo, int wantedHeight) {
  constexpr int kSettings = 3;
  LRESULT fieldHeight = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (fieldHeight == CB_ERR) return;
  for (int setting = 0; setting < kSettings; ++setting) {
    RECT bounds;
    GetWindowRect(combo, &bounds);
    int difference = wantedHeight - (bounds.bottom - bounds.top);
    if (difference == 0) return;
    fieldHeight += difference;
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight);
  }
}

void AddComboItem(HWND combo, const std::string& item) {
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

DWORD Style(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
}

}  // namespace

std::unique_ptr<ChildControl> CreateChildControl(HWND parent, const ui::ControlLayout& layout,
                                                 int id, int dpi, HFONT font) {
  const ChildClass* childClass = FindChildClass(layout.kind);
  if (!childClass) return nullptr;
  PixelRect pixels = ControlPixels(layout, dpi);
  std::string caption(layout.caption);
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  HWND window = CreateWindowExA(
      childClass->exStyle, childClass->className, caption.c_str(), ChildStyle(*childClass, layout),
      pixels.left, pixels.top, pixels.width, pixels.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!window) return nullptr;
  if (layout.kind == ControlKind::TextBox) SendMessageA(window, EM_SETLIMITTEXT, 0, 0);
  if (layout.kind == ControlKind::ComboBox) {
    SendMessageA(window, CB_LIMITTEXT, 0, 0);
    for (std::string_view item : layout.items) AddComboItem(window, std::string(item));
    SetWindowTextA(window, caption.c_str());
  }
  auto control = std::make_unique<ChildControl>(layout, window);
  control->place(dpi, font);
  return control;
}

// The accessibility layer names a text box or combo box after the nearest static text before
// it in the child order, a hidden one included: that is how a box whose label cannot stand
// directly before it still gets the label's caption as its name. Hidden, it takes neither the
// focus nor an access key, and it has no identifier of its own.
HWND CreateHiddenLabel(HWND parent, std::string_view caption) {
  std::string text(caption);
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  return CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | SS_LEFT, 0, 0, 0, 0, parent, nullptr,
                         instance, nullptr);
}

ChildControl::ChildControl(const ui::ControlLayout& layout, HWND window)
    : Control(std::string(layout.name), layout.kind), layout_(layout), window_(window) {
  // Every typed character of a text box or a combo box's edit field goes through keyPress(),
  // which hands it to the control's key handler when one is set.
  if (layout.kind == ControlKind::TextBox) {
    keyFilter_.install(window_, *this);
  } else if (HWND edit = editField()) {
    keyFilter_.install(edit, *this);
  }
}

ChildControl::~ChildControl() {
  // A window that outlives its control must not keep drawing with a deleted font.
  if (fittedFont_ && IsWindow(window_)) SendMessageA(window_, WM_SETFONT, 0, FALSE);
  dropFittedFont();
}

HWND ChildControl::editField() const {
  if (kind() != ControlKind::ComboBox) return nullptr;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(window_, &info) ? info.hwndItem : nullptr;
}

// The size comes first: the text is fitted into the control's width at the new DPI.
void ChildControl::place(int dpi, HFONT font) {
  dpi_ = dpi;
  formFont_ = font;
  PixelRect pixels = ControlPixels(layout_, dpi);
  SetWindowPos(window_, nullptr, pixels.left, pixels.top, pixels.width, pixels.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (showsFittedText()) {
    fitTextFont();
  } else {
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  if (kind() == ControlKind::ComboBox) fitComboBox();
}

bool ChildControl::showsFittedText() const {
  return kind() == ControlKind::Label || kind() == ControlKind::CheckBox;
}

// A text that fits keeps the form's font itself; a control keeps its fitted font while the
// form font and the height its text needs stay the same, so an unchanged look is not redrawn.
void ChildControl::fitTextFont() {
  if (!formFont_ || !showsFittedText()) return;
  TextRoom room = kind() == ControlKind::CheckBox ? TextRoom::BesideCheckBox : TextRoom::WholeWidth;
  LONG height = FittedFontHeight(window_, room, text(), formFont_, dpi_);
  if (height == 0) {
    auto current = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    if (current != formFont_) {
      SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_), TRUE);
    }
    dropFittedFont();
    return;
  }
  LOGFONTW current{};
  if (fittedFont_ && fittedFrom_ == formFont_ &&
      GetObjectW(fittedFont_, sizeof current, &current) && current.lfHeight == height) {
    return;
  }
  HFONT font = CreateFontOfHeight(formFont_, height);
  if (!font) return;
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  dropFittedFont();
  fittedFont_ = font;
  fittedFrom_ = formFont_;
}

void ChildControl::dropFittedFont() {
  if (fittedFont_) DeleteObject(fittedFont_);
  fittedFont_ = nullptr;
  fittedFrom_ = nullptr;
}

// A combo box takes the height it is given as that of its open list, then shrinks to its
// closed height; the list thus grows and shrinks with the number of items.
void ChildControl::fitComboBox() {
  PixelRect pixels = ControlPixels(layout_, dpi_);
  auto rows = static_cast<int>(SendMessageA(window_, CB_GETCOUNT, 0, 0));
  SetWindowPos(window_, nullptr, 0, 0, pixels.width,
               pixels.height + DropDownHeight(layout_, rows, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitComboHeight(window_, pixels.height);
}

bool ChildControl::hasFocus() const {
  HWND focus = GetFocus();
  return focus && (focus == window_ || IsChild(window_, focus));
}

bool ChildControl::isPushButton() const {
  if (kind() != ControlKind::Button) return false;
  DWORD type = Style(window_) & kButtonTypeMask;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

std::string ChildControl::text() const {
  return WindowText(window_);
}

void ChildControl::setText(const std::string& text) {
  SetWindowTextA(window_, text.c_str());
  for (HWND label : hiddenLabels_) SetWindowTextA(label, text.c_str());
  fitTextFont();
}

void ChildControl::addHiddenLabel(HWND label) {
  hiddenLabels_.push_back(label);
  SetWindowTextA(label, text().c_str());
}

// The style bit, not IsWindowVisible: the controls of a hidden form still tell their own state.
bool ChildControl::visible() const {
  return (Style(window_) & WS_VISIBLE) != 0;
}

void ChildControl::setVisible(bool visible) {
  bool hadFocus = hasFocus();
  ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
  if (!visible && hadFocus) passFocusOn();
}

bool ChildControl::enabled() const {
  return (Style(window_) & WS_DISABLED) == 0;
}

void ChildControl::setEnabled(bool enabled) {
  bool hadFocus = hasFocus();
  EnableWindow(window_, enabled ? TRUE : FALSE);
  if (!enabled && hadFocus) passFocusOn();
}

// Only menu items carry check marks; a check box has a value instead.
bool ChildControl::checked() const {
  return false;
}

void ChildControl::setChecked(bool) {}

int ChildControl::value() const {
  if (kind() != ControlKind::CheckBox) return ui::kCleared;
  return static_cast<int>(SendMessageA(window_, BM_GETCHECK, 0, 0));
}

void ChildControl::storeValue(int value) {
  if (kind() == ControlKind::CheckBox) {
    SendMessageA(window_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

std::vector<std::string> ChildControl::items() const {
  std::vector<std::string> list;
  if (kind() != ControlKind::ComboBox) return list;
  LRESULT count = SendMessageA(window_, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    LRESULT length = SendMessageA(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) break;
    std::string item(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(window_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(item.data()));
    // In a double-byte code page the length may count more than the item holds; the item ends
    // at its first NUL.
    item.resize(item.find('\0'));
    list.push_back(item);
  }
  return list;
}

// Emptying the list empties the edit field too; its text and selection are put back as
// they were, so that a list refreshed while the user types loses nothing.
void ChildControl::setItems(const std::vector<std::string>& items) {
  if (kind() != ControlKind::ComboBox) return;
  std::string kept = text();
  auto selection = static_cast<DWORD>(SendMessageA(window_, CB_GETEDITSEL, 0, 0));
  SendMessageA(window_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) AddComboItem(window_, item);
  SetWindowTextA(window_, kept.c_str());
  SendMessageA(window_, CB_SETEDITSEL, 0, selection);
  if (dpi_ != 0) fitComboBox();
}

// The form decides: a shown form moves the focus now, a hidden one when it is next activated.
void ChildControl::setFocus() {
  SendMessageA(GetParent(window_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window_), TRUE);
}

// A control that is hidden or disabled while it has the focus hands it to the next one in
// tab order, so the keyboard never types into a control the user cannot see or use.
void ChildControl::passFocusOn() {
  HWND parent = GetParent(window_);
  HWND next = GetNextDlgTabItem(parent, window_, FALSE);
  if (next && next != window_) {
    SendMessageA(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
  }
}

}  // namespace loadergui::win32
