// The narrow set of platform services that the program's behaviour needs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace loadergui::ui {
class Form;
}

namespace loadergui::platform {

// Which directory entries a file search counts as found.
enum class SearchFor {
  OrdinaryFiles,   // ordinary files only: no folders, no hidden or system files
  FilesAndFolders  // ordinary folders count too; hidden and system entries still do not
};

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

class Services {
 public:
  virtual ~Services() = default;

  // Modal message box with a single OK button and no icon.
  virtual void messageBox(const ui::Form* owner, const std::string& text,
                          const std::string& title) = 0;
  virtual void beep() = 0;

  // Open and save dialogs: true when the user confirmed; the chosen path is then at the start
  // of record.file, terminated by a NUL.
  virtual bool getOpenFileName(FileDialogRecord& record) = 0;
  virtual bool getSaveFileName(FileDialogRecord& record) = 0;
  // Folder browser followed by the path fetch: true when a file-system path was written,
  // NUL-terminated, at the start of pathBuffer.
  virtual bool browseForFolder(const FolderBrowseRecord& record, std::string& pathBuffer) = 0;

  // Starts a command line and blocks until the process has ended; failures pass silently.
  virtual void runAndWait(const std::string& commandLine, int windowStyle) = 0;
  // Starts a command line in a window of its own and returns at once; false if it could not
  // be started.
  virtual bool startProcess(const std::string& commandLine, int windowStyle) = 0;

  // Whether at least one directory entry matches the pattern (wildcards allowed).
  virtual bool findFile(const std::string& pattern, SearchFor what) = 0;
  // Whether the path names an existing folder.
  virtual bool isFolder(const std::string& path) = 0;
  // Names of the serial ports present on the machine ("COM7"), in any order.
  virtual std::vector<std::string> serialPorts() = 0;
  virtual void setCurrentDirectory(const std::string& folder) = 0;
  virtual std::string currentDirectory() = 0;
  // Folder that holds the running executable, without a trailing separator.
  virtual std::string programFolder() = 0;
  // File name of the running executable without its extension.
  virtual std::string programBaseName() = 0;

  // Profile (INI) file access with the platform's rules: copies at most size-1 characters of
  // the value (or of the default) into buffer, NUL-terminated, and returns the count copied.
  virtual std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, char* buffer,
                                              std::size_t size, const std::string& file) = 0;
  virtual bool writePrivateProfileString(const std::string& section, const std::string& key,
                                         const std::string& value, const std::string& file) = 0;
};

}  // namespace loadergui::platform
