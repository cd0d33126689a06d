// Tooltips of the form's controls, with their texts fetched through TTN_GETDISPINFO.
#include "FormTips.h"

#include "Dpi.h"

namespace loadergui::win32 {

namespace {

// A tip wraps at five inches; CR LF in its text breaks the line earlier.
constexpr int kTipWidthTwips = 7200;
// Long enough to read a command line of a few hundred characters.
constexpr int kTipShowMilliseconds = 30000;

}  // namespace

// TTS_ALWAYSTIP shows tips in an inactive window too; TTS_NOPREFIX keeps ampersands as they are.
void FormTips::create(HWND form, int dpi, HFONT font) {
  form_ = form;
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form, GWLP_HINSTANCE));
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, instance, nullptr);
  if (!tooltip_) return;
  SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTipShowMilliseconds, 0));
  applyDpi(dpi, font);
}

void FormTips::addTool(ChildControl& control) {
  if (tools_.count(control.window())) return;
  addToolWindow(control.window(), control);
  if (HWND edit = control.editField()) addToolWindow(edit, control);
}

// The tooltip asks the form for the text each time (LPSTR_TEXTCALLBACK). It learns of the
// mouse through relay(), from the message loop, not by subclassing the tool (TTF_SUBCLASS),
// which would stack a second window procedure on the edit fields that the key filter already
// replaces; under Wine the subclassing tooltip also showed its tips less reliably.
void FormTips::addToolWindow(HWND tool, ChildControl& control) {
  if (!tooltip_) return;
  TTTOOLINFOA info{};
  // The record as version 5 of the common controls knows it, which version 6 accepts too.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = form_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = LPSTR_TEXTCALLBACKA;
  if (SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) {
    tools_[tool] = &control;
  }
}

// Menus and common dialogs run message loops of their own, which relay nothing; their windows
// have no tips anyway.
void FormTips::relay(const MSG& message) {
  if (!tooltip_ || message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
  if (!tools_.count(message.hwnd)) return;
  MSG copy = message;
  SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

void FormTips::applyDpi(int dpi, HFONT font) {
  if (!tooltip_) return;
  SendMessageA(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(kTipWidthTwips, dpi));
}

// The form's window is an ANSI window, so the tooltip asks in ANSI (WM_NOTIFYFORMAT); an empty
// text shows no tip at all.
bool FormTips::onGetDispInfo(NMHDR& header) {
  if (!tooltip_ || header.hwndFrom != tooltip_ || header.code != TTN_GETDISPINFOA) return false;
  auto found = tools_.find(reinterpret_cast<HWND>(header.idFrom));
  ChildControl* control = found == tools_.end() ? nullptr : found->second;
  text_ = control && control->tipText ? control->tipText() : std::string();
  auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
  info.hinst = nullptr;
  info.lpszText = text_.data();
  return true;
}

}  // namespace loadergui::win32
