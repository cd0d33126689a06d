// The platform's open-file, save-file and folder dialogs, given the records the program fills.
#pragma once

#include <string>

namespace loadergui::ui {
class Form;
}

namespace loadergui::platform {

// The fields of the platform's 8-bit open/save-file record that the program fills (the record
// size is the platform side's own: that of the first published layout); the buffers keep their
// fixed sizes and their spaces.
struct FileDialogRecord {
  const ui::Form* owner = nullptr;
  std::string filter;  // description, NUL, patterns, NUL, ... ending in a further NUL
  unsigned filterIndex = 0;
  std::string file;  // file-name buffer, NUL-terminated; its size is maxFile
  unsigned maxFile = 0;
  std::string fileTitle;  // written by the dialog, never read
  unsigned maxFileTitle = 0;
  std::string title;
  unsigned flags = 0;
  // Set by the platform, with a false answer, when the user chose a path that cannot be written
  // in the system's 8-bit code page, not even as its short name: the loader could not be given
  // it, so it is refused rather than handed on with "?" in place of its characters.
  bool nameNotPassable = false;
};

// The fields of the platform's folder-browser record that the program fills.
struct FolderBrowseRecord {
  const ui::Form* owner = nullptr;
  std::string title;
  unsigned flags = 0;
  bool nameNotPassable = false;  // as in FileDialogRecord
};

class Pickers {
 public:
  virtual ~Pickers() = default;

  // Open and save dialogs: true when the user confirmed; the chosen path is then at the start
  // of record.file, terminated by a NUL.
  virtual bool getOpenFileName(FileDialogRecord& record) = 0;
  virtual bool getSaveFileName(FileDialogRecord& record) = 0;
  // Folder browser followed by the path fetch: true when a file-system path was written,
  // NUL-terminated, at the start of pathBuffer.
  virtual bool browseForFolder(FolderBrowseRecord& record, std::string& pathBuffer) = 0;
};

}  // namespace loadergui::platform
