// The filter pairs of a file-dialog record as the name filters of a Qt file dialog.
#pragma once

#include <QStringList>
#include <string>

namespace loadergui::qt {

// "Description\0*.a; *.b\0...\0\0" gives "Description (*.a *.b)" for each pair. The description
// is shown as it is, with the dialog set to hide the pattern list Qt reads from the end; "*.*",
// which means every file on Windows, becomes "*", which means it here.
QStringList NameFilters(const std::string& recordFilter);

}  // namespace loadergui::qt
