// Text on the desktop's clipboard, its lines ending as a terminal takes them.
#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "Text.h"

namespace loadergui::qt {

// The lines as the tip shows them: a line feed each, which a terminal takes as Enter; a carriage
// return would reach the shell as a character of the line. The program keeps the text on offer
// for as long as it runs, or until another program puts something there.
bool QtClipboard::putText(const ui::Form*, const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(ToQtLines(text), QClipboard::Clipboard);
  return true;
}

}  // namespace loadergui::qt
