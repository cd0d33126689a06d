// Single-line boxes that hold no line break, as a single-line box on Windows holds none.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace loadergui::qt {

struct LineEdit {
  QString text;
  int cursor;
};

// What a box that held `before` (no line break) holds after an edit that left `after` with the
// cursor at the end of what came in (typed, pasted, dropped or set): the text that came in up
// to its first line break, between what stood before and after it.
LineEdit KeepOneLine(const QString& before, const QString& after, int cursor);

// Sees every change of the field's text, whatever made it, and keeps it to one line.
class SingleLineValidator : public QValidator {
 public:
  explicit SingleLineValidator(QLineEdit& edit);

  State validate(QString& input, int& pos) const override;

 private:
  // The text as it stood after the last change: the `before` of the next one.
  mutable QString accepted_;
};

}  // namespace loadergui::qt
