// The desktop entry and icons of the current user: the Exec key quoted by the Desktop Entry
// rules, the files written whole or not at all, and exactly those files removed again.
#include "DesktopEntry.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "ProgramIcon.h"

namespace loadergui::qt {

namespace {

QString EntryFile() {
  return QStringLiteral("applications/") + kDesktopId + QStringLiteral(".desktop");
}

// An argument holding one of these is quoted; inside the quotes the four after it take a
// backslash. Carriage return is no reserved character, but quoting it is allowed and spares
// every reader the question.
constexpr char16_t kReserved[] = u" \t\n\r\"'\\><~|&;$*?#()`";
constexpr char16_t kEscapedInQuotes[] = u"\"`$\\";

bool IsAnyOf(QChar c, const char16_t* set) {
  return std::char_traits<char16_t>::find(set, std::char_traits<char16_t>::length(set),
                                          c.unicode()) != nullptr;
}

bool IsWritableControl(QChar c) {
  return c == u'\t' || c == u'\n' || c == u'\r';
}

bool HoldsOtherControls(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) {
    return (c.unicode() < 0x20 || c.unicode() == 0x7F) && !IsWritableControl(c);
  });
}

QString QuotedArgument(const QString& argument) {
  if (std::none_of(argument.begin(), argument.end(),
                   [](QChar c) { return IsAnyOf(c, kReserved); })) {
    return argument;
  }
  QString quoted = QStringLiteral("\"");
  for (QChar c : argument) {
    if (IsAnyOf(c, kEscapedInQuotes)) quoted += u'\\';
    quoted += c;
  }
  return quoted + u'"';
}

// The escapes of every string value, applied after the quoting: a backslash of the quoting
// becomes two in the file.
QString EscapedValue(const QString& value) {
  QString escaped;
  for (QChar c : value) {
    switch (c.unicode()) {
      case u'\\':
        escaped += QStringLiteral("\\\\");
        break;
      case u'\n':
        escaped += QStringLiteral("\\n");
        break;
      case u'\t':
        escaped += QStringLiteral("\\t");
        break;
      case u'\r':
        escaped += QStringLiteral("\\r");
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Native(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QByteArray ResourceBytes(const QString& relativePath) {
  QFile resource(kDesktopResources + u'/' + relativePath);
  return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}

// Folders that do not exist yet are made for the user alone, as the XDG base directories ask.
bool MakeFolders(const QString& folder, std::ostream& errors) {
  QFileInfo info(folder);
  if (info.isDir()) return true;
  QString parent = info.absolutePath();
  if (parent != folder && !MakeFolders(parent, errors)) return false;
  if (::mkdir(QFile::encodeName(folder).constData(), 0700) == 0) return true;
  int error = errno;
  if (QFileInfo(folder).isDir()) return true;
  errors << "ravlinkgui: could not make the folder " << Native(folder) << ": "
         << std::strerror(error) << "\n";
  return false;
}

// Written to a temporary file beside the target and renamed over it: an older file stays whole
// until the new one is.
bool WriteWhole(const QString& path, const QByteArray& content, std::ostream& errors) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit()) {
    return true;
  }
  errors << "ravlinkgui: could not write " << Native(path) << ": "
         << file.errorString().toStdString() << "\n";
  return false;
}

}  // namespace

std::optional<QString> ExecValue(const QString& program) {
  if (HoldsOtherControls(program)) return std::nullopt;
  QString argument = QuotedArgument(program);
  // A percent sign is a field code's start, even inside quotes, unless doubled.
  argument.replace(u'%', QStringLiteral("%%"));
  return EscapedValue(argument) + QStringLiteral(" %f");
}

std::optional<QByteArray> InstalledEntry(const QString& program) {
  std::optional<QString> exec = ExecValue(program);
  if (!exec) return std::nullopt;
  QByteArray entry;
  for (const QByteArray& line : ResourceBytes(EntryFile()).split('\n')) {
    if (line.isEmpty()) continue;
    if (line.startsWith("Exec=")) {
      entry += "Exec=" + exec->toUtf8() + '\n';
      // The menu leaves the entry out while the program is not there.
      entry += "TryExec=" + EscapedValue(program).toUtf8() + '\n';
    } else {
      entry += line + '\n';
    }
  }
  return entry;
}

std::optional<QString> DataHome(const QByteArray& xdgDataHome, const QByteArray& home) {
  // A relative XDG_DATA_HOME is no valid setting and is ignored.
  if (xdgDataHome.startsWith('/')) return QDir::cleanPath(QFile::decodeName(xdgDataHome));
  if (home.isEmpty()) return std::nullopt;
  return QDir::cleanPath(QFile::decodeName(home) + QStringLiteral("/.local/share"));
}

QStringList DesktopEntryFiles() {
  QStringList icons;
  QDirIterator files(kDesktopResources + QStringLiteral("/icons"), QDir::Files,
                     QDirIterator::Subdirectories);
  while (files.hasNext()) icons += files.next().mid(kDesktopResources.size() + 1);
  icons.sort();
  // The entry comes last: a menu that shows it finds its icon already there.
  return icons << EntryFile();
}

int InstallDesktopEntry(const QString& dataHome, const QString& program, std::ostream& out,
                        std::ostream& errors) {
  std::optional<QByteArray> entry = InstalledEntry(program);
  if (!entry) {
    errors << "ravlinkgui: a desktop entry cannot name the program's path " << Native(program)
           << ", which holds a control character\n";
    return 1;
  }
  for (const QString& file : DesktopEntryFiles()) {
    QString target = dataHome + u'/' + file;
    QByteArray content = file == EntryFile() ? *entry : ResourceBytes(file);
    if (!MakeFolders(QFileInfo(target).absolutePath(), errors) ||
        !WriteWhole(target, content, errors)) {
      return 1;
    }
    out << "wrote " << Native(target) << "\n";
  }
  return 0;
}

int RemoveDesktopEntry(const QString& dataHome, std::ostream& out, std::ostream& errors) {
  QStringList files = DesktopEntryFiles();
  // The entry goes first, so that no menu shows it without its icon.
  std::reverse(files.begin(), files.end());
  int removed = 0;
  for (const QString& file : files) {
    QString target = dataHome + u'/' + file;
    QFileInfo info(target);
    if (!info.exists() && !info.isSymLink()) continue;
    QFile existing(target);
    if (!existing.remove()) {
      errors << "ravlinkgui: could not remove " << Native(target) << ": "
             << existing.errorString().toStdString() << "\n";
      return 1;
    }
    out << "removed " << Native(target) << "\n";
    ++removed;
  }
  if (removed == 0) {
    out << "ravlinkgui: no desktop entry of ravlinkgui in " << Native(dataHome)
        << ": nothing to remove\n";
  }
  return 0;
}

std::optional<int> RunDesktopEntryOption(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  bool install = std::strcmp(argv[1], kInstallOption) == 0;
  bool remove = std::strcmp(argv[1], kRemoveOption) == 0;
  if (!install && !remove) return std::nullopt;
  if (argc > 2) {
    std::cerr << "ravlinkgui: " << argv[1] << " takes no other argument\n";
    return 2;
  }
  std::optional<QString> dataHome = DataHome(qgetenv("XDG_DATA_HOME"), qgetenv("HOME"));
  if (!dataHome) {
    std::cerr << "ravlinkgui: neither XDG_DATA_HOME nor HOME is set, so the desktop's menu "
                 "folder is unknown\n";
    return 1;
  }
  if (remove) return RemoveDesktopEntry(*dataHome, std::cout, std::cerr);
  // The program's own file, found as the program finds its folder; a core application needs
  // no display.
  std::optional<QCoreApplication> core;
  if (!QCoreApplication::instance()) core.emplace(argc, argv);
  QString program = QCoreApplication::applicationFilePath();
  if (!QFileInfo(program).isFile()) {
    std::cerr << "ravlinkgui: cannot find the program's own file\n";
    return 1;
  }
  return InstallDesktopEntry(*dataHome, program, std::cout, std::cerr);
}

}  // namespace loadergui::qt
