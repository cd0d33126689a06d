// The settings file through the system's profile functions. Reads go to the file itself. Writes
// go to a copy of it in the same folder, which replaces the file in one step once every write
// has succeeded, so that a save cut short (the program ended, the disk full) leaves the file of
// the run before, whole.
#include "SettingsStorage.h"

#include <windows.h>

#include "SystemMessage.h"

namespace loadergui::win32 {

namespace {

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  content.clear();
  char block[65536];
  DWORD count = 0;
  bool read = true;
  while ((read = ReadFile(file, block, sizeof block, &count, nullptr) != FALSE) && count > 0) {
    content.append(block, count);
  }
  CloseHandle(file);
  return read;
}

// Writes every byte, then makes the system put them on the disk.
bool WriteWholeFile(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole =
      content.empty() || (WriteFile(file, content.data(), static_cast<DWORD>(content.size()),
                                    &written, nullptr) != FALSE &&
                          written == content.size());
  DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return whole;
}

bool FlushToDisk(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool flushed = FlushFileBuffers(file) != FALSE;
  DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return flushed;
}

std::string FolderOf(const std::string& path) {
  std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? "." : path.substr(0, separator + 1);
}

// A disk with no room left: the profile write under Wine reports success when the disk fills
// up under it, leaving a file cut short.
bool DiskIsFull(const std::string& folder) {
  ULARGE_INTEGER available{};
  return GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) &&
         available.QuadPart == 0;
}

class Win32SettingsFile : public platform::SettingsFile {
 public:
  explicit Win32SettingsFile(std::string path) : path_(std::move(path)) {}
  ~Win32SettingsFile() override {
    if (!copy_.empty()) DeleteFileA(copy_.c_str());
  }
  Win32SettingsFile(const Win32SettingsFile&) = delete;
  Win32SettingsFile& operator=(const Win32SettingsFile&) = delete;

  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::size_t size) override {
    return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                    static_cast<DWORD>(size), path_.c_str());
  }

  void writePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value) override {
    if (!failure_.empty() || (copy_.empty() && !makeCopy())) return;
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), copy_.c_str())) {
      fail(GetLastError());
    }
  }

  std::string save() override {
    if (failure_.empty() && !copy_.empty()) replaceFile();
    return failure_;
  }

 private:
  void fail(DWORD error) {
    if (failure_.empty()) failure_ = SystemMessage(error);
  }

  // The copy starts as the file is now, written byte by byte and checked, in the same folder
  // so that it can take the file's place in one step.
  bool makeCopy() {
    attributes_ = GetFileAttributesA(path_.c_str());
    bool exists = attributes_ != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes_ & FILE_ATTRIBUTE_DIRECTORY)) {
      fail(ERROR_ACCESS_DENIED);
      return false;
    }
    if (exists && !ReadWholeFile(path_, original_)) {
      fail(GetLastError());
      return false;
    }
    char name[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderOf(path_).c_str(), "set", 0, name)) {
      fail(GetLastError());
      return false;
    }
    copy_ = name;
    if (!WriteWholeFile(copy_, original_)) {
      fail(GetLastError());
      return false;
    }
    existed_ = exists;
    return true;
  }

  // A file that already holds every value is left as it is, read-only or not. A read-only file
  // keeps its values, as the system would keep it for anyone else.
  void replaceFile() {
    std::string written;
    if (!ReadWholeFile(copy_, written)) return fail(GetLastError());
    if (existed_ && written == original_) return;
    if (existed_ && (attributes_ & FILE_ATTRIBUTE_READONLY)) return fail(ERROR_ACCESS_DENIED);
    if (DiskIsFull(FolderOf(copy_))) return fail(ERROR_DISK_FULL);
    if (existed_) SetFileAttributesA(copy_.c_str(), attributes_);
    if (!FlushToDisk(copy_)) return fail(GetLastError());
    if (!MoveFileExA(copy_.c_str(), path_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return fail(GetLastError());
    }
    copy_.clear();
  }

  std::string path_;
  std::string copy_;  // the copy the writes go to, until it replaces the file
  std::string original_;
  DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
  bool existed_ = false;
  std::string failure_;
};

}  // namespace

std::unique_ptr<platform::SettingsFile> Win32SettingsStorage::open(const std::string& path) {
  return std::make_unique<Win32SettingsFile>(path);
}

}  // namespace loadergui::win32
