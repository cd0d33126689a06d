// Closing, Esc and dropped files of a form's window, handed to the form.
#include "FormWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace loadergui::qt {

namespace {

// Both frames are fixed in size (see QtForm); a main window can be minimised and has a taskbar
// entry, a dialog has neither.
Qt::WindowFlags FlagsFor(FormWindow::Frame frame) {
  Qt::WindowFlags common = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (frame == FormWindow::Frame::MainWindow) {
    return Qt::Window | common | Qt::WindowMinimizeButtonHint;
  }
  return Qt::Dialog | common;
}

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

}  // namespace

FormWindow::FormWindow(Frame frame) : QDialog(nullptr, FlagsFor(frame)) {
  setSizeGripEnabled(false);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (onCloseRequest) onCloseRequest();
}

void FormWindow::reject() {
  if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled()) {
    cancelButton_->click();
  }
}

void FormWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (onDropFiles && !LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void FormWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (!onDropFiles || paths.empty()) return;
  event->acceptProposedAction();
  onDropFiles(paths);
}

}  // namespace loadergui::qt
