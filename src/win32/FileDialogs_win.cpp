// The open and save dialogs, given the record exactly as the program filled it.
#include <windows.h>
#include <commdlg.h>

#include "Win32Services.h"
#include "Win32ServicesInternal.h"

namespace loadergui::win32 {

// The record is passed in its first published layout, which the shipped 32-bit build knows as
// 76 bytes.
#if !defined(_WIN64)
static_assert(OPENFILENAME_SIZE_VERSION_400A == 76, "first published OPENFILENAMEA layout");
#endif

namespace {

using DialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

// Everything not filled here stays zero: no custom filter, no initial folder, no default
// extension, no hook and no template.
bool RunFileDialog(DialogFunction dialog, platform::FileDialogRecord& record) {
  std::vector<char> file = detail::AnswerBuffer(record.file, record.maxFile);
  std::vector<char> fileTitle = detail::AnswerBuffer(record.fileTitle, record.maxFileTitle);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = detail::OwnerWindow(record.owner);
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
    detail::CopyAnswerBack(file, record.file);
    detail::CopyAnswerBack(fileTitle, record.fileTitle);
  }
  return confirmed;
}

}  // namespace

bool Win32Services::getOpenFileName(platform::FileDialogRecord& record) {
  return RunFileDialog(GetOpenFileNameA, record);
}

bool Win32Services::getSaveFileName(platform::FileDialogRecord& record) {
  return RunFileDialog(GetSaveFileNameA, record);
}

}  // namespace loadergui::win32
