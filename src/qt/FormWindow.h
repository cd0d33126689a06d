// The Qt window of a form: a dialog window, so that Enter presses the default button (or the
// focused one) and Esc the cancel button, with a menu bar above its client area when it has one.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

namespace loadergui::qt {

class FormWindow : public QDialog {
 public:
  enum class Frame { MainWindow, Dialog };
  explicit FormWindow(Frame frame);

  // The button that Esc presses; none for a window without one.
  void setCancelButton(QPushButton* button) { cancelButton_ = button; }

  // The close box and Alt+F4 only ask; the form decides what closing means.
  std::function<void()> onCloseRequest;
  // Files dropped onto the window, as full paths in the order the desktop gives them.
  std::function<void(const std::vector<std::string>& paths)> onDropFiles;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Esc: the cancel button is pressed, when there is one that can be used.
  void reject() override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QPointer<QPushButton> cancelButton_;
};

}  // namespace loadergui::qt
