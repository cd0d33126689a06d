// The refusal box and the About box: a title, plain text, one OK button, no icon; and the
// question box, the same with Yes, No and Cancel.
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

// Yes is the default button; Esc and the close box answer Cancel.
platform::Answer QtMessages::ask(const ui::Form* owner, const std::string& text,
                                 const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, ToQt(title), ToQtLines(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, OwnerWidget(owner));
  box.setObjectName(QStringLiteral("questionBox"));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return platform::Answer::Yes;
    case QMessageBox::No:
      return platform::Answer::No;
    default:
      return platform::Answer::Cancel;
  }
}

void QtMessages::beep() {
  QApplication::beep();
}

}  // namespace loadergui::qt
