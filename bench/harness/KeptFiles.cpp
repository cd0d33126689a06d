// What the program's settings file keeps of the files used last, set before each start.
#include "KeptFiles.h"

#include <windows.h>

#include "Launch.h"

namespace bench {

namespace {

constexpr char kSection[] = "FILES";
constexpr int kRecentFiles = 8;

// The program keeps a file below its own folder relative to it, with "/" between the names, so
// the section reads as one the program wrote itself. The files lie one folder down, as a
// project's build output does, so their menu entries are long enough to be shortened.
std::string KeptName(int number) {
  return "projects/demo" + std::to_string(number) + ".elf";
}

std::string FullName(const std::string& folder, const std::string& kept) {
  std::string name = folder + "\\" + kept;
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

// Empty files: the program only asks whether they exist.
bool MakeFile(const std::string& path) {
  CreateDirectoryA(FolderOf(path).c_str(), nullptr);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

// Every key of the section is written on each call, since the program writes the section
// afresh when it closes and the starts of the two kinds take turns with one settings file.
std::string KeepFiles(const std::string& executable, KeptFiles kept, std::string& failure) {
  if (kept == KeptFiles::NoSettings) return {};
  std::string folder = FolderOf(executable);
  std::string settings = folder + "\\tools\\settings.ini";
  bool keeping = kept == KeptFiles::UploadAndEightRecent;
  // With no file yet there is nothing to clear, and the program's first start makes the file
  // itself, its sections in its own order.
  if (!keeping && GetFileAttributesA(settings.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  for (int number = 1; keeping && number <= kRecentFiles; ++number) {
    std::string file = FullName(folder, KeptName(number));
    if (!MakeFile(file)) {
      failure = "could not make " + file + " (error " + std::to_string(GetLastError()) + ")";
      return {};
    }
  }
  // The newest recent file is the one uploaded last, as after a day's work.
  std::string upload = keeping ? KeptName(1) : std::string();
  bool written = WritePrivateProfileStringA(kSection, "UPLOAD", upload.c_str(), settings.c_str()) &&
                 WritePrivateProfileStringA(kSection, "DOWNLOAD", "", settings.c_str());
  for (int number = 1; written && number <= kRecentFiles; ++number) {
    std::string key = "RECENT" + std::to_string(number);
    std::string value = keeping ? KeptName(number) : std::string();
    written = WritePrivateProfileStringA(kSection, key.c_str(), value.c_str(), settings.c_str());
  }
  if (!written) {
    failure = "could not write " + settings + " (error " + std::to_string(GetLastError()) + ")";
    return {};
  }
  // Puts the cached file on disk before the program reads it; Wine answers false to it always.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.c_str());
  return keeping ? FullName(folder, upload) : std::string();
}

}  // namespace bench
