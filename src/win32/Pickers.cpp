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

#include "CodePage.h"
#include "OwnerWindow.h"
#include "SystemFunctions.h"

namespace loadergui::win32 {

namespace {

// The record is passed in its first published layout, which ends with lpTemplateName
// (OPENFILENAME_SIZE_VERSION_400, which the headers spell in a way no constant expression
// accepts); the shipped 32-bit build knows it as 76 bytes.
constexpr DWORD kFirstLayoutSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#if !defined(_WIN64)
static_assert(kFirstLayoutSize == 76, "first published OPENFILENAME layout");
#else
static_assert(kFirstLayoutSize == 136, "first published OPENFILENAME layout");
#endif

using DialogFunction = decltype(&GetOpenFileNameW);

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

// The program's 8-bit buffer as the wide buffer the dialog writes into: at least minimumSize
// characters, so that the dialog can never write past it, padded with NULs.
WideText WideBuffer(const std::string& buffer, std::size_t minimumSize) {
  WideText wide = Widen(buffer);
  if (wide.size() < minimumSize) wide.resize(minimumSize, L'\0');
  return wide;
}

// Writes the chosen path and its NUL over the start of the program's buffer, as the 8-bit
// dialogs do; the rest of the buffer stays. A path that cannot be written in the 8-bit code page
// is not written at all, and one too long for the buffer neither, as a dialog fails then.
bool WriteAnswer(const WideText& answer, std::string& buffer, bool& notPassable) {
  std::optional<std::string> path = PassablePath(answer.data());
  if (!path) {
    notPassable = true;
    return false;
  }
  if (path->size() + 1 > buffer.size()) return false;
  std::copy(path->begin(), path->end(), buffer.begin());
  buffer[path->size()] = '\0';
  return true;
}

// The wide dialogs, so that a name outside the system's 8-bit code page is seen as it is,
// rather than with "?" in place of its characters, which the existence check would take for a
// wildcard. Everything not filled here stays zero: no custom filter, no initial folder, no
// default extension, no hook and no template. A system without the dialog function counts as a
// cancelled dialog. What the dialog writes into the title buffer is not read.
bool RunFileDialog(DialogFunction dialog, platform::FileDialogRecord& record) {
  if (!dialog) return false;
  WideText file = WideBuffer(record.file, record.maxFile);
  WideText fileTitle = WideBuffer(record.fileTitle, record.maxFileTitle);
  WideText filter = Widen(record.filter);
  WideText title = Widen(record.title);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = kFirstLayoutSize;
  ofn.hwndOwner = OwnerWindow(record.owner);
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = record.filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = record.filterIndex;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = record.maxFile;
  ofn.lpstrFileTitle = record.maxFileTitle ? fileTitle.data() : nullptr;
  ofn.nMaxFileTitle = record.maxFileTitle;
  ofn.lpstrTitle = record.title.empty() ? nullptr : title.data();
  ofn.Flags = record.flags;

  if (dialog(&ofn) == FALSE) return false;
  return WriteAnswer(file, record.file, record.nameNotPassable);
}

}  // namespace

bool Win32Pickers::getOpenFileName(platform::FileDialogRecord& record) {
  InitialiseComOnce();
  static const auto getOpenFileName =
      FindSystemFunction<DialogFunction>("comdlg32.dll", "GetOpenFileNameW");
  return RunFileDialog(getOpenFileName, record);
}

bool Win32Pickers::getSaveFileName(platform::FileDialogRecord& record) {
  InitialiseComOnce();
  static const auto getSaveFileName =
      FindSystemFunction<DialogFunction>("comdlg32.dll", "GetSaveFileNameW");
  return RunFileDialog(getSaveFileName, record);
}

// The browser starts at the root of the shell's namespace and offers no display-name buffer.
bool Win32Pickers::browseForFolder(platform::FolderBrowseRecord& record, std::string& pathBuffer) {
  InitialiseComOnce();
  WideText title = Widen(record.title);
  BROWSEINFOW info{};
  info.hwndOwner = OwnerWindow(record.owner);
  info.pidlRoot = nullptr;
  info.pszDisplayName = nullptr;
  info.lpszTitle = title.data();
  info.ulFlags = record.flags;
  info.lpfn = nullptr;

  static const auto browse =
      FindSystemFunction<decltype(&SHBrowseForFolderW)>("shell32.dll", "SHBrowseForFolderW");
  static const auto pathFromItem =
      FindSystemFunction<decltype(&SHGetPathFromIDListW)>("shell32.dll", "SHGetPathFromIDListW");
  static const auto freeItem =
      FindSystemFunction<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
  if (!browse || !pathFromItem) return false;

  LPITEMIDLIST chosen = browse(&info);
  // A cancelled browser returns no item, and no item has a path.
  if (!chosen) return false;

  // The path function writes up to MAX_PATH characters whatever the caller's buffer holds.
  WideText path = WideBuffer(pathBuffer, MAX_PATH + 1);
  bool found = pathFromItem(chosen, path.data()) != FALSE;
  if (freeItem) freeItem(chosen);
  return found && WriteAnswer(path, pathBuffer, record.nameNotPassable);
}

}  // namespace loadergui::win32
