// The program's icon from its PNG resources: no SVG renderer needed at run time.
#include "ProgramIcon.h"

#include <QDirIterator>

namespace loadergui::qt {

QIcon ProgramIcon() {
  QIcon icon;
  QDirIterator pngs(kDesktopResources + QStringLiteral("/icons"), {QStringLiteral("*.png")},
                    QDir::Files, QDirIterator::Subdirectories);
  while (pngs.hasNext()) icon.addFile(pngs.next());
  return icon;
}

}  // namespace loadergui::qt
