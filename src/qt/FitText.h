// Fitting a control's text into the width the layout table gives it.
#pragma once

#include <QString>
#include <QWidget>

namespace loadergui::qt {

// The form's font, no larger than the size the tables were laid out for: text boxes and combo
// boxes a table makes 19 to 21 pixels high hold no larger text.
QFont FormFont();

// Gives a widget whose text would not fit into room pixels a smaller font of its own, down to
// a smallest size; at that size a text still too long is cut by the widget. A text that fits
// keeps the form's font. Access-key ampersands take no room.
void FitTextInto(QWidget& widget, const QString& text, int room);

// The room for the text of a check box: its width less the box and the gap after it.
int CheckBoxTextRoom(const QWidget& checkBox);

}  // namespace loadergui::qt
