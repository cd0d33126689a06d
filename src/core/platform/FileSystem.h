// File search, folders, the current directory and where the running program lives.
#pragma once

#include <string>

namespace loadergui::platform {

// Which directory entries a file search counts as found.
enum class SearchFor {
  OrdinaryFiles,   // ordinary files only: no folders, no hidden or system files
  FilesAndFolders  // ordinary folders count too; hidden and system entries still do not
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Whether at least one directory entry matches the pattern (wildcards allowed).
  virtual bool findFile(const std::string& pattern, SearchFor what) = 0;
  // Whether the path names an existing folder.
  virtual bool isFolder(const std::string& path) = 0;
  virtual void setCurrentDirectory(const std::string& folder) = 0;
  virtual std::string currentDirectory() = 0;
  // Folder that holds the running executable, without a trailing separator.
  virtual std::string programFolder() = 0;
  // File name of the running executable without its extension.
  virtual std::string programBaseName() = 0;
};

}  // namespace loadergui::platform
