// Typed characters, from the keyboard or an input method, pass the control's key handler.
#include "KeyFilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace loadergui::qt {

namespace {

constexpr int kBackspace = 8;

bool MovesAboutTheWindow(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      return true;
    default:
      return false;
  }
}

// X gives the Delete key the text DEL (127), but it types no character: it deletes, as on
// Windows, where it never reaches a key handler.
bool TypesNoCharacter(const QKeyEvent& key) {
  return key.text().isEmpty() || key.key() == Qt::Key_Delete;
}

}  // namespace

KeyFilter::KeyFilter(QLineEdit& edit, ui::Control& control)
    : QObject(&edit), edit_(edit), control_(control) {
  edit.installEventFilter(this);
  // An editable combo box is its field's focus proxy: it takes the typed keys itself and hands
  // them to the field directly, past the field's event filters, so it is watched as well.
  if (QWidget* proxy = edit.focusProxy()) proxy->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if ((watched != &edit_ && watched != edit_.focusProxy()) || !control_.onKeyPress) return false;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (TypesNoCharacter(*key) || MovesAboutTheWindow(key->key())) return false;
    return !passes(key->text());
  }
  if (event->type() == QEvent::InputMethod) {
    auto* input = static_cast<QInputMethodEvent*>(event);
    // Only the committed text is typed; what the input method still composes is not yet.
    if (input->commitString().isEmpty()) return false;
    return !passes(input->commitString());
  }
  return false;
}

bool KeyFilter::passes(const QString& typed) {
  QString kept;
  bool unchanged = true;
  for (QChar character : typed) {
    int keyAscii = control_.keyPress(character.unicode());
    if (keyAscii != character.unicode()) unchanged = false;
    if (keyAscii != 0) kept.append(QChar(keyAscii));
  }
  if (unchanged) return true;
  for (QChar character : kept) {
    if (character.unicode() == kBackspace) {
      edit_.backspace();
    } else {
      edit_.insert(QString(character));
    }
  }
  return false;
}

}  // namespace loadergui::qt
