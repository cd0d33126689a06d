// Files and folders in the system's 8-bit code page, as the program itself names them.
#pragma once

#include <optional>
#include <string>

namespace e2e {

std::optional<std::string> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// -1 when the file does not exist.
long long FileSize(const std::string& path);
void MakeFolder(const std::string& path);
void CopyOneFile(const std::string& from, const std::string& to);
void DeleteOneFile(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);
void SetHidden(const std::string& path);
// Deletes a folder with everything in it; read-only files too. False if something stayed.
bool RemoveTree(const std::string& path);

// The names of the entries of a folder that match a pattern, sorted and joined with ", ".
std::string NamesIn(const std::string& folder, const std::string& pattern);

// The folder part of a path, without the last separator.
std::string FolderOf(const std::string& path);

// A path in the system's 8-bit code page turned wide, for the names it cannot hold.
std::wstring Wide(const std::string& path);

}  // namespace e2e
