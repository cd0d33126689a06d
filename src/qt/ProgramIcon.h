// The program's icon, carried as resources in the freedesktop sizes, for its windows.
#pragma once

#include <QIcon>
#include <QString>

namespace loadergui::qt {

// The resources lie as they lie under a desktop's data folder ($XDG_DATA_HOME):
// "icons/hicolor/<n>x<n>/apps/<id>.png", "icons/hicolor/scalable/apps/<id>.svg" and
// "applications/<id>.desktop", below this resource folder.
inline const QString kDesktopResources = QStringLiteral(":/loadergui/share");

// The icon with every PNG size of the resources, from which Qt picks the one a window needs.
QIcon ProgramIcon();

}  // namespace loadergui::qt
