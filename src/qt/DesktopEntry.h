// The program in the desktop's menu: --install-desktop-entry writes its entry and icons for the
// current user, --remove-desktop-entry takes them away again.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <ostream>

namespace loadergui::qt {

// The name desktops know the program by: its entry's file name without ".desktop", its icon's
// name, and the desktop file name its windows tell the desktop.
inline const QString kDesktopId = QStringLiteral("ravlinkgui");

inline constexpr char kInstallOption[] = "--install-desktop-entry";
inline constexpr char kRemoveOption[] = "--remove-desktop-entry";

// The value of the Exec key that starts the program at this absolute path with one file; nullopt
// for a path that a desktop entry cannot hold (one with a control character other than tab, line
// feed and carriage return).
std::optional<QString> ExecValue(const QString& program);

// The entry that --install-desktop-entry writes: the one the Linux archive carries, with Exec
// and TryExec naming the program where it stands; nullopt as for ExecValue.
std::optional<QByteArray> InstalledEntry(const QString& program);

// The user's data folder of the XDG base directories: $XDG_DATA_HOME when it is an absolute
// path, else $HOME/.local/share; nullopt when neither says.
std::optional<QString> DataHome(const QByteArray& xdgDataHome, const QByteArray& home);

// The files of the entry below a data folder, relative to it: the icons, then the entry.
QStringList DesktopEntryFiles();

// Both say on `out` what they wrote or removed, and on `errors` why they failed, and return the
// program's exit status.
int InstallDesktopEntry(const QString& dataHome, const QString& program, std::ostream& out,
                        std::ostream& errors);
int RemoveDesktopEntry(const QString& dataHome, std::ostream& out, std::ostream& errors);

// Runs the option of argv[1] when it is one of the two, without a display or the tools folder,
// and returns the exit status; nullopt for any other command line.
std::optional<int> RunDesktopEntryOption(int argc, char** argv);

}  // namespace loadergui::qt
