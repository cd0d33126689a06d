// The hover tips of a form's controls: one tooltip window, whose text each control gives anew
// every time its tip appears.
#pragma once

#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <commctrl.h>

#include <map>
#include <string>

#include "ChildControl.h"

namespace loadergui::win32 {

class FormTips {
 public:
  // The tooltip window is owned by the form and goes with it.
  void create(HWND form, int dpi, HFONT font);
  // Gives the control a tip, over its whole window and over a combo box's edit field, unless
  // it has one already. A label passes the mouse on to its form, so its tip never shows.
  void addTool(ChildControl& control);
  void applyDpi(int dpi, HFONT font);
  // Hands a mouse message for one of the tools to the tooltip, which shows and hides the tips
  // from them.
  void relay(const MSG& message);
  // Answers TTN_GETDISPINFO from the control's tipText; false for notifications from any other
  // window.
  bool onGetDispInfo(NMHDR& header);

 private:
  void addToolWindow(HWND tool, ChildControl& control);

  HWND tooltip_ = nullptr;
  HWND form_ = nullptr;
  std::map<HWND, ChildControl*> tools_;
  // The text of the tip on show; the tooltip copies it before it asks again.
  std::string text_;
};

}  // namespace loadergui::win32
