// The file dialogs as the records describe them, and the folder dialog; each answer goes into
// the record's buffer, NUL-terminated, as the Windows dialogs write it.
#include "Pickers.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "DialogFilters.h"
#include "OwnerWidget.h"
#include "Text.h"

namespace loadergui::qt {

namespace {

// The record's flags as the Windows dialogs read them.
constexpr unsigned kOverwritePrompt = 0x2;
constexpr unsigned kFileMustExist = 0x1000;

// The initial name is the buffer's content up to its NUL, without the spaces that pad it.
QString InitialName(const std::string& buffer) {
  std::string name = buffer.substr(0, buffer.find('\0'));
  std::size_t last = name.find_last_not_of(' ');
  name.erase(last == std::string::npos ? 0 : last + 1);
  return QFile::decodeName(QByteArray::fromStdString(name));
}

// A Linux path can be longer than the Windows buffer; the buffer grows rather than cut it. A
// name with a line break in it is refused (false), as the Windows program refuses a name that it
// cannot hand to a loader: the file boxes hold one line, and cut short it would name another
// file.
bool WriteAnswer(const QString& path, std::string& buffer, bool& notPassable) {
  std::string answer = QFile::encodeName(path).toStdString();
  if (HoldsLineBreak(answer)) {
    notPassable = true;
    return false;
  }
  if (buffer.size() < answer.size() + 1) buffer.resize(answer.size() + 1);
  buffer.replace(0, answer.size() + 1, answer.c_str(), answer.size() + 1);
  return true;
}

// The dialog opens in the current directory, which the ISO picker makes the program's folder
// first; the first filter is preselected; no extension is added to a name typed without one.
bool RunFileDialog(QFileDialog::AcceptMode mode, platform::FileDialogRecord& record) {
  QFileDialog dialog(OwnerWidget(record.owner), ToQt(record.title), QDir::currentPath());
  dialog.setObjectName(QStringLiteral("fileDialog"));
  dialog.setAcceptMode(mode);
  dialog.setFileMode((record.flags & kFileMustExist) ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, (record.flags & kOverwritePrompt) == 0);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  QStringList filters = NameFilters(record.filter);
  dialog.setNameFilters(filters);
  int index = record.filterIndex > 0 ? static_cast<int>(record.filterIndex) - 1 : 0;
  if (index < filters.size()) dialog.selectNameFilter(filters[index]);
  QString initialName = InitialName(record.file);
  if (!initialName.isEmpty()) dialog.selectFile(initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return WriteAnswer(dialog.selectedFiles().first(), record.file, record.nameNotPassable);
}

}  // namespace

bool QtPickers::getOpenFileName(platform::FileDialogRecord& record) {
  return RunFileDialog(QFileDialog::AcceptOpen, record);
}

bool QtPickers::getSaveFileName(platform::FileDialogRecord& record) {
  return RunFileDialog(QFileDialog::AcceptSave, record);
}

// Folders only, and only existing ones can be confirmed.
bool QtPickers::browseForFolder(platform::FolderBrowseRecord& record, std::string& pathBuffer) {
  QFileDialog dialog(OwnerWidget(record.owner), ToQt(record.title));
  dialog.setObjectName(QStringLiteral("folderDialog"));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return WriteAnswer(dialog.selectedFiles().first(), pathBuffer, record.nameNotPassable);
}

}  // namespace loadergui::qt
