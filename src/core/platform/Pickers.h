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
};

// The fields of the platform's folder-browser record that the program fills.
struct FolderBrowseRecord {
  const ui::Form* owner = nullptr;
  std::string title;
  unsigned flags = 0;
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
  virtual bool browseForFolder(const FolderBrowseRecord& record, std::string& pathBuffer) = 0;
};

}  // namespace loadergui::platform
