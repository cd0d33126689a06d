// Finding system functions at run time; the file dialogs, the folder browser and dropped files
// reach comdlg32, shell32 and ole32 only through here.
#include "SystemFunctions.h"

#include <string>

namespace loadergui::win32 {

namespace {

// A run that opens no dialog never loads these libraries (under Wine comdlg32 alone adds some
// 5 MB to the working set). The program calls them through addresses looked up here rather than
// through the linker's delay-load imports: the 32-bit linker leaves those import slots zero, so
// the first file dialog jumped to address 0.
HMODULE LoadFromSystemFolder(const char* library) {
  char folder[MAX_PATH + 1] = {};
  UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length > MAX_PATH) return nullptr;
  std::string path(folder, length);
  if (path.back() != '\\') path += '\\';
  path += library;
  return LoadLibraryA(path.c_str());
}

}  // namespace

FARPROC FindSystemProcedure(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadFromSystemFolder(library);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace loadergui::win32
