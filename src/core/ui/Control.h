// One named control of a form; its state lives in the backend widget behind it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace loadergui::ui {

enum class ControlKind {
  Button,
  Label,
  TextBox,
  ComboBox,
  CheckBox,
  Menu,
  MenuItem,
  Separator,
  Caption
};

// The modifier keys of a shortcut.
enum ShortcutModifier : unsigned { kCtrl = 1, kShift = 2, kAlt = 4 };

// A key with its modifiers: key is an upper-case letter or a digit, the same code on every
// platform; 0 is no shortcut at all.
struct Shortcut {
  unsigned modifiers = 0;
  char key = 0;
};

// "Ctrl+Shift+C", as a menu shows a shortcut; empty for none.
std::string ShortcutText(Shortcut shortcut);

// A command of a control's context menu (the right mouse button, Shift+F10 or the menu key
// while the control has the focus); its shortcut runs it from anywhere in the control's window
// while that window is active.
struct ContextCommand {
  std::string caption;  // the access key marked with "&"
  Shortcut shortcut;
  std::function<void()> run;
};

// Check-box values; only Ticked counts as set anywhere in the program.
constexpr int kCleared = 0;
constexpr int kTicked = 1;
constexpr int kGreyed = 2;

class Control {
 public:
  Control(std::string name, ControlKind kind);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }

  // Caption of buttons, labels, check boxes, menu items and windows; text of boxes.
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  // Check mark of a menu item.
  virtual bool checked() const = 0;
  virtual void setChecked(bool checked) = 0;
  // Value of a check box: kCleared, kTicked or kGreyed.
  virtual int value() const = 0;
  // Whether the value is kTicked, the one value that counts as set.
  bool ticked() const { return value() == kTicked; }
  // List items of a combo box.
  virtual std::vector<std::string> items() const = 0;
  // Replaces the list items of a combo box; its text stays as it is.
  virtual void setItems(const std::vector<std::string>& items) = 0;
  virtual void setFocus() = 0;

  void setValue(int value);
  void click();
  int keyPress(int keyAscii);

  // Runs for a button press, a menu command, and every change of a check box's value.
  std::function<void()> onClick;
  // Sees each typed character; setting it to 0 discards the character.
  std::function<void(int& keyAscii)> onKeyPress;
  // Runs just before a combo box's list drops down.
  std::function<void()> onDropDown;
  // The tip shown while the mouse pointer rests on the control; an empty text shows none.
  std::function<std::string()> tipText;

  const std::vector<ContextCommand>& contextCommands() const { return contextCommands_; }
  // Gives the control its context menu, replacing any before; a backend hears of it at once.
  virtual void setContextCommands(std::vector<ContextCommand> commands);

 protected:
  // Stores a check-box value without running any handler.
  virtual void storeValue(int value) = 0;

 private:
  std::string name_;
  ControlKind kind_;
  std::vector<ContextCommand> contextCommands_;
};

}  // namespace loadergui::ui
