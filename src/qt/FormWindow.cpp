// Closing, Esc and dropped files of a form's window, handed to the form.
#include "FormWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "Text.h"

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

// A path with a line break comes empty, as a path the program cannot hand on does: the form
// refuses it with a message rather than cut it short into another path.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    std::string path = QFile::encodeName(url.toLocalFile()).toStdString();
    paths.push_back(HoldsLineBreak(path) ? std::string() : path);
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
