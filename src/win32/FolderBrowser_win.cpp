// The shell's folder browser and the fetch of the chosen folder's path.
#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <objbase.h>
#include <shlobj.h>

#include "SystemFunctions.h"
#include "Win32Services.h"
#include "Win32ServicesInternal.h"

namespace loadergui::win32 {

namespace detail {

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

}  // namespace detail

// The browser starts at the root of the shell's namespace and offers no display-name buffer.
bool Win32Services::browseForFolder(const platform::FolderBrowseRecord& record,
                                    std::string& pathBuffer) {
  detail::InitialiseComOnce();
  BROWSEINFOA info{};
  info.hwndOwner = detail::OwnerWindow(record.owner);
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
  std::vector<char> path = detail::AnswerBuffer(pathBuffer, MAX_PATH + 1);
  bool found = pathFromItem(chosen, path.data()) != FALSE;
  if (freeItem) freeItem(chosen);
  if (found) detail::CopyAnswerBack(path, pathBuffer);
  return found;
}

}  // namespace loadergui::win32
