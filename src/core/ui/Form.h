// A window built from a layout table: its caption and controls, owned by the window.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/Layout.h"

namespace loadergui::ui {

class Form {
 public:
  explicit Form(const FormLayout& layout);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormLayout& layout() const { return layout_; }
  std::string_view name() const { return layout_.name; }
  Control& caption() { return *caption_; }
  // A control by its layout-table name: how the typed members are bound (ui/TypedForm.h), and
  // how tests reach a control; the program's own code uses the typed members.
  Control& control(std::string_view name) const;
  bool hasControl(std::string_view name) const;
  std::vector<Control*> controls() const;

  // Shows the window modelessly, centred on the screen the first time.
  virtual void show() = 0;
  // Shows the window centred and modal to the owner; returns once it is hidden again.
  virtual void showModal(Form& owner) = 0;
  virtual void hide() = 0;
  virtual bool isShown() const = 0;
  // Closes the window for good; no handler runs.
  virtual void destroy() = 0;
  // Name of the control that has the keyboard focus, empty when none of this form's has it.
  virtual std::string focusedControl() const = 0;
  // The platform's handle of the window, for owners of platform dialogs.
  virtual void* nativeHandle() const = 0;

  // Raised by the backend when the user asks to close the window (close box, Alt+F4).
  std::function<void()> onCloseRequest;
  // Raised by the backend when the user's session ends (logging off, shutting down) while the
  // window is open; the process ends soon after the handler returns.
  std::function<void()> onEndSession;
  // Raised by the backend when files are dropped onto the window, with their full paths in
  // the order the platform gives them; a path that the platform cannot write in its 8-bit code
  // page, not even as its short name, comes as an empty text.
  std::function<void(const std::vector<std::string>& paths)> onDropFiles;

 protected:
  // Backends hand over the caption and each control of the layout table as they build them.
  void adoptCaption(std::unique_ptr<Control> caption);
  void adopt(std::unique_ptr<Control> control);

 private:
  const FormLayout& layout_;
  std::unique_ptr<Control> caption_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::string, Control*, std::less<>> byName_;
};

// Creates forms for the platform the program runs on.
class Toolkit {
 public:
  virtual ~Toolkit() = default;
  virtual std::unique_ptr<Form> createForm(const FormLayout& layout) = 0;
};

}  // namespace loadergui::ui
