// The controls of a Win32 form: child windows, menu entries and the window caption.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Layout.h"

namespace loadergui::win32 {

// A button, label, text box, combo box or check box: a child window of the form, which holds
// all of the control's state.
class ChildControl : public ui::Control {
 public:
  ChildControl(const ui::ControlLayout& layout, HWND window);
  ~ChildControl() override;

  HWND window() const { return window_; }
  // The window that takes the typing and the mouse inside the control: a combo box's edit
  // field; nullptr for the other kinds.
  HWND editField() const;
  // Whether the focus is on this control or inside it (the edit field of a combo box).
  bool hasFocus() const;
  bool isPushButton() const;
  // Puts the control where its table row says at the given DPI, in the given font (the form's);
  // a label or check box whose text would not fit on one line gets a smaller one of its own.
  void place(int dpi, HFONT font);

  std::string text() const override;
  void setText(const std::string& text) override;
  bool visible() const override;
  void setVisible(bool visible) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  bool checked() const override;
  void setChecked(bool checked) override;
  int value() const override;
  std::vector<std::string> items() const override;
  void setItems(const std::vector<std::string>& items) override;
  void setFocus() override;

 protected:
  void storeValue(int value) override;

 private:
  static LRESULT CALLBACK KeyFilterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void installKeyFilter(HWND edit);
  void passFocusOn();
  void fitComboBox();
  // Labels and check boxes: the controls whose text may get a smaller font to fit.
  bool showsFittedText() const;
  void fitTextFont();
  void dropFittedFont();

  const ui::ControlLayout& layout_;
  HWND window_;
  // The DPI the control was last placed at.
  int dpi_ = 0;
  // The form's font, which the form owns, and the smaller font of this control's own that
  // its text needs to fit, if any, which the control owns.
  HFONT formFont_ = nullptr;
  HFONT fittedFont_ = nullptr;
  // The form font that fittedFont_ was made from: a new form font calls for a new fitted one.
  HFONT fittedFrom_ = nullptr;
  // The edit window whose typed characters go through keyPress(), and its own procedure.
  HWND filteredEdit_ = nullptr;
  WNDPROC editProc_ = nullptr;
};

// Creates the child window of one layout-table row, with its caption, list items, font and
// starting state, at the table's position converted at the given DPI.
std::unique_ptr<ChildControl> CreateChildControl(HWND parent, const ui::ControlLayout& layout,
                                                 int id, int dpi, HFONT font);

// A top-level menu, a menu item or a separator, addressed by its position in its menu.
class MenuControl : public ui::Control {
 public:
  MenuControl(std::string name, ui::ControlKind kind, HWND owner, HMENU menu, UINT position);

  std::string text() const override;
  void setText(const std::string& text) override;
  // A Win32 menu cannot hide an entry; every entry is always visible.
  bool visible() const override;
  void setVisible(bool visible) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  bool checked() const override;
  void setChecked(bool checked) override;
  int value() const override { return ui::kCleared; }
  std::vector<std::string> items() const override { return {}; }
  void setItems(const std::vector<std::string>&) override {}
  void setFocus() override {}

 protected:
  void storeValue(int) override {}

 private:
  // The menu bar must be redrawn when one of its own entries changes.
  void redrawMenuBar() const;
  bool alive() const { return IsMenu(menu_) != FALSE; }

  HWND owner_;
  HMENU menu_;
  UINT position_;
};

// The title of a form's window.
class CaptionControl : public ui::Control {
 public:
  explicit CaptionControl(HWND window);

  std::string text() const override;
  void setText(const std::string& text) override;
  bool visible() const override;
  // The window is shown and hidden through its form, which also centres it.
  void setVisible(bool) override {}
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  bool checked() const override { return false; }
  void setChecked(bool) override {}
  int value() const override { return ui::kCleared; }
  std::vector<std::string> items() const override { return {}; }
  void setItems(const std::vector<std::string>&) override {}
  void setFocus() override;

 protected:
  void storeValue(int) override {}

 private:
  HWND window_;
};

// Text of any window, of any length.
std::string WindowText(HWND window);

}  // namespace loadergui::win32
