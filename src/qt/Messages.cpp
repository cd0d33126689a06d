// The refusal box and the About box: a title, plain text, one OK button, no icon.
#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

#include "OwnerWidget.h"
#include "Text.h"

namespace loadergui::qt {

// Modal: the owner, and every other window of the program, takes no input until it closes.
void QtMessages::messageBox(const ui::Form* owner, const std::string& text,
                            const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, ToQt(title), ToQtLines(text), QMessageBox::Ok,
                  OwnerWidget(owner));
  box.setObjectName(QStringLiteral("messageBox"));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void QtMessages::beep() {
  QApplication::beep();
}

}  // namespace loadergui::qt
