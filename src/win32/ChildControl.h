// The controls of a Win32 form that are child windows, each created from its layout-table row.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "KeyFilter.h"
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
  // A hidden label that names a box for a screen reader on this control's behalf: it shows
  // this control's caption from now on.
  void addHiddenLabel(HWND label);

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
  // Sends the characters typed into the control's edit window through keyPress().
  KeyFilter keyFilter_;
  // Hidden labels with this control's caption; their form owns and destroys them.
  std::vector<HWND> hiddenLabels_;
};

// Creates the child window of one layout-table row, with its caption, list items, font and
// starting state, at the table's position converted at the given DPI.
std::unique_ptr<ChildControl> CreateChildControl(HWND parent, const ui::ControlLayout& layout,
                                                 int id, int dpi, HFONT font);

// Creates a label that is never shown, with the given caption, as the next child of parent.
HWND CreateHiddenLabel(HWND parent, std::string_view caption);

}  // namespace loadergui::win32
