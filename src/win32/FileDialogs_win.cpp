// The open and save dialogs, given the record exactly as the program filled it.
#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <commdlg.h>

#include <cstddef>

#include "SystemFunctions.h"
#include "Win32Services.h"
#include "Win32ServicesInternal.h"

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

// Everything not filled here stays zero: no custom filter, no initial folder, no default
// extension, no hook and no template.
// A system without the dialog function counts as a cancelled dialog.
bool RunFileDialog(DialogFunction dialog, platform::FileDialogRecord& record) {
  if (!dialog) return false;
  std::vector<char> file = detail::AnswerBuffer(record.file, record.maxFile);
  std::vector<char> fileTitle = detail::AnswerBuffer(record.fileTitle, record.maxFileTitle);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = kFirstLayoutSize;
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
  detail::InitialiseComOnce();
  static const auto getOpenFileName =
      FindSystemFunction<DialogFunction>("comdlg32.dll", "GetOpenFileNameA");
  return RunFileDialog(getOpenFileName, record);
}

bool Win32Services::getSaveFileName(platform::FileDialogRecord& record) {
  detail::InitialiseComOnce();
  static const auto getSaveFileName =
      FindSystemFunction<DialogFunction>("comdlg32.dll", "GetSaveFileNameA");
  return RunFileDialog(getSaveFileName, record);
}

}  // namespace loadergui::win32
