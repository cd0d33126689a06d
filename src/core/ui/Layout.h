// Layout tables: what a form is made of, as plain data that every backend builds from.
#pragma once

#include <string_view>
#include <vector>

#include "ui/Control.h"

namespace loadergui::ui {

class TypedForm;
// The member of a window's typed struct that holds a row's control (see ui/TypedForm.h).
using ControlMember = Control* TypedForm::*;

enum ControlFlag : unsigned {
  kNoFlags = 0,
  kDefaultButton = 1,  // Enter presses it
  kCancelButton = 2,   // Esc presses it
  kStartsDisabled = 4,
  kCentredText = 8,
  kStartsHidden = 16,  // menu entries: out of the menu until the program shows them
};

// Positions and sizes are in twips (1/1440 inch) from the top-left corner of the client area.
struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  int left, top, width, height;
  unsigned flags;
  std::vector<std::string_view> items;
  ControlMember member = nullptr;
};

// A menu bar entry: top-level menus have level 0, their items level 1.
struct MenuEntry {
  std::string_view name;
  std::string_view caption;
  int level;
  ControlMember member = nullptr;
  unsigned flags = kNoFlags;
};

// What a screen reader calls a text box or combo box: the caption of the label over it, or of
// the check box that switches it on and off. Every other control is named by its own caption.
struct BoxLabel {
  ControlMember box;
  ControlMember label;
};

struct FormLayout {
  std::string_view name;
  std::string_view caption;
  int clientWidth, clientHeight;        // twips
  std::vector<ControlLayout> controls;  // in tab order
  std::vector<MenuEntry> menu;          // in menu order
  std::vector<BoxLabel> labels;         // one for each text box and combo box
};

}  // namespace loadergui::ui
