// The open and save dialogs and the folder browser, given the records exactly as the program
// filled them.
#include "Pickers.h"

#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "OwnerWindow.h"
#include "SystemFunctions.h"

namespace loadergui::win32 {

namespace {

// The record is passed in its first published layout, which ends with lpTemplateName
// (OPENFILENAME_SIZE_VERSION_400A, which the headers spell in a way no constant expression
// accepts); the shipped 32-bit build knows it as 76 bytes.
constexpr DWORD kFirstLayoutSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if !defined(_WIN64)
static_assert(kFirstLayoutSize == 76, "first published OPENFILENAMEA layout");
#else
static_assert(kFirstLayoutSize == 136, "first published OPENFILENAMEA layout");
#endif

using DialogFunction = decltype(&GetOpenFileNameA);

// The folder browser is a shell COM object and the Explorer-style file dialogs host shell
// views. COM starts with the first of them rather than with the program, so a run that opens
// no dialog never loads it. It stays initialised until the thread ends.
void InitialiseComOnce() {
  thread_local bool initialised = false;
  if (initialised) return;
  initialised = true;
  static const auto coInitialize =
      FindSystemFunction<decltype(&CoInitialize)>("ole32.dll", "CoInitialize");
  if (coInitialize) coInitialize(nullptr);
}

// A writable copy of a fixed answer buffer, at least minimumSize long, so that a platform
// function can never write past the caller's string, padded with NULs.
std::vector<char> AnswerBuffer(const std::string& buffer, std::size_t minimumSize) {
  std::vector<char> copy(std::max(buffer.size() + 1, minimumSize), '\0');
  std::copy(buffer.begin(), buffer.end(), copy.begin());
  return copy;
}

// Puts the platform's answer back into the caller's buffer, which keeps its size.
void CopyAnswerBack(const std::vector<char>& answer, std::string& buffer) {
  std::copy_n(answer.begin(), std::min(buffer.size(), answer.size()), buffer.begin());
}

// Everything not filled here stays zero: no custom filter, no initial folder, no default
// extension, no hook and no template.
// A system without the dialog function counts as a cancelled dialog.
bool RunFileDialog(DialogFunction dialog, platform::FileDialogRecord& record) {
  if (!dialog) return false;
  std::vector<char> file = AnswerBuffer(record.file, record.maxFile);
  std::vector<char> fileTitle = AnswerBuffer(record.fileTitle, record.maxFileTitle);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = kFirstLayoutSize;
  ofn.hwndOwner = OwnerWindow(record.owner);
  ofn.hInstance = GetModuleHandleA(nullptr);
  ofn.lpstrFilter = record.filter.empty() ? nullptr : record.filter.c_str();
  ofn.nFilterIndex = record.filterIndex;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = record.maxFile;
  ofn.lpstrFileTitle = record.maxFileTitle ? fileTitle.data() : nullptr;
  ofn.nMaxFileTitle = record.maxFileTitle;
  ofn.lpstrTitle = record.title.empty() ? nullptr : record.title.c_str();
  ofn.Flags = record.flags;

  bool confirmed = dialog(&ofn) != FALSE;
  if (confirmed) {
    CopyAnswerBack(file, record.file);
    CopyAnswerBack(fileTitle, record.fileTitle);
  }
  return confirmed;
}

}  // namespace

bool Win32Pickers::getOpenFileName(platform::FileDialogRecord& record) {
  InitialiseComOnce();
  static const auto getOpenFileName =
      FindSystemFunction<DialogFunction>("comdlg32.dll", "GetOpenFileNameA");
  return RunFileDialog(getOpenFileName, record);
}

bool Win32Pickers::getSaveFileName(platform::FileDialogRecord& record) {
  InitialiseComOnce();
  static const auto getSaveFileName =
      FindSystemFunction<DialogFunction>("comdlg32.dll", "GetSaveFileNameA");
  return RunFileDialog(getSaveFileName, record);
}

// The browser starts at the root of the shell's namespace and offers no display-name buffer.
bool Win32Pickers::browseForFolder(const platform::FolderBrowseRecord& record,
                                   std::string& pathBuffer) {
  InitialiseComOnce();
  BROWSEINFOA info{};
  info.hwndOwner = OwnerWindow(record.owner);
  info.pidlRoot = nullptr;
  info.pszDisplayName = nullptr;
  info.lpszTitle = record.title.c_str();
  info.ulFlags = record.flags;
  info.lpfn = nullptr;

  static const auto browse =
      FindSystemFunction<decltype(&SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
  static const auto pathFromItem =
      FindSystemFunction<decltype(&SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
  static const auto freeItem =
      FindSystemFunction<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
  if (!browse || !pathFromItem) return false;

  LPITEMIDLIST chosen = browse(&info);
  // A cancelled browser returns no item, and no item has a path.
  if (!chosen) return false;

  // The path function writes up to MAX_PATH characters whatever the caller's buffer holds.
  std::vector<char> path = AnswerBuffer(pathBuffer, MAX_PATH + 1);
  bool found = pathFromItem(chosen, path.data()) != FALSE;
  if (freeItem) freeItem(chosen);
  if (found) CopyAnswerBack(path, pathBuffer);
  return found;
}

}  // namespace loadergui::win32
