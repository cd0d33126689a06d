// A line edit keeps a line feed or carriage return that comes in with a paste, a drop or a text
// set by code, and hands it on to the settings file and the loaders; these boxes drop it and
// whatever follows it in what came in, as Windows does.
#include "SingleLine.h"

#include <algorithm>

namespace loadergui::qt {

namespace {

int FirstLineBreak(const QString& text) {
  for (int index = 0; index < text.size(); ++index) {
    if (text[index] == QLatin1Char('\n') || text[index] == QLatin1Char('\r')) return index;
  }
  return -1;
}

}  // namespace

// The edit put its text at the cursor, so what follows the cursor stood at the end of the box
// before it; the longest start the two texts share, short of that end, stood before it.
LineEdit KeepOneLine(const QString& before, const QString& after, int cursor) {
  if (FirstLineBreak(after) < 0) return {after, cursor};
  cursor = std::clamp(cursor, 0, static_cast<int>(after.size()));
  int following = static_cast<int>(after.size()) - cursor;
  if (following > before.size() || !before.endsWith(after.right(following))) following = 0;
  int sharedLimit = std::min(static_cast<int>(before.size()) - following,
                             static_cast<int>(after.size()) - following);
  int shared = 0;
  while (shared < sharedLimit && before[shared] == after[shared]) ++shared;
  QString cameIn = after.mid(shared, after.size() - following - shared);
  int cut = FirstLineBreak(cameIn);
  if (cut >= 0) cameIn.truncate(cut);
  QString text = after.left(shared) + cameIn + after.right(following);
  // Only a box that somehow held a line break already could still hold one.
  int stray = FirstLineBreak(text);
  if (stray >= 0) text.truncate(stray);
  return {text, std::min(shared + static_cast<int>(cameIn.size()), static_cast<int>(text.size()))};
}

SingleLineValidator::SingleLineValidator(QLineEdit& edit)
    : QValidator(&edit), accepted_(edit.text()) {
  edit.setValidator(this);
}

// Never refuses a text: it gives back the one line to keep, which the field then holds.
QValidator::State SingleLineValidator::validate(QString& input, int& pos) const {
  LineEdit kept = KeepOneLine(accepted_, input, pos);
  input = kept.text;
  pos = kept.cursor;
  accepted_ = input;
  return Acceptable;
}

}  // namespace loadergui::qt
