// A form built from a layout table: its window, menu bar and child controls.
#pragma once

#include <QMenuBar>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "FormWindow.h"
#include "WidgetControl.h"
#include "ui/Form.h"

namespace loadergui::qt {

class QtToolkit;

class QtForm : public ui::Form {
 public:
  // Builds the window, hidden, with every control of the table.
  QtForm(const ui::FormLayout& layout, QtToolkit& toolkit);
  ~QtForm() override;

  void show() override;
  void showModal(ui::Form& owner) override;
  void hide() override;
  bool isShown() const override;
  void destroy() override;
  std::string focusedControl() const override;
  // The window, a QWidget, as the owner of message boxes and file dialogs.
  void* nativeHandle() const override { return window_.get(); }

  FormWindow& window() const { return *window_; }
  // The client area below the menu bar, which the table's positions start from.
  QWidget& client() const { return *client_; }
  QMenuBar* menuBar() const { return menuBar_; }
  bool destroyed() const { return destroyed_; }

 private:
  void buildControls();
  void nameBoxes();
  void buildMenu();
  void centreOnScreen();
  void acceptDropsIfWanted();

  QtToolkit& toolkit_;
  std::unique_ptr<FormWindow> window_;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::vector<WidgetControl*> children_;
  bool centredOnce_ = false;
  bool destroyed_ = false;
};

}  // namespace loadergui::qt
