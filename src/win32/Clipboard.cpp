// Text on the clipboard in both its forms: the 8-bit text as the program holds it, and the same
// text wide, so that a program that pastes wide text gets the characters the code page means.
#include "Clipboard.h"

#include <windows.h>

#include <cstring>

#include "CodePage.h"
#include "OwnerWindow.h"

namespace loadergui::win32 {

namespace {

// Another program may hold the clipboard open for a moment; it is asked a few times.
bool OpenClipboardFor(HWND owner) {
  constexpr int kAttempts = 5;
  constexpr DWORD kPauseMs = 20;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kPauseMs);
  }
  return false;
}

// The clipboard owns the memory once it has taken it; until then it is the program's to free.
bool PutData(UINT format, const void* data, SIZE_T bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, data, bytes);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

}  // namespace

// The owner window becomes the clipboard's owner: without one, Windows refuses the data.
bool Win32Clipboard::putText(const ui::Form* owner, const std::string& text) {
  if (!OpenClipboardFor(OwnerWindow(owner))) return false;
  WideText wide = Widen(text);
  bool put = EmptyClipboard() && PutData(CF_TEXT, text.c_str(), text.size() + 1) &&
             PutData(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t));
  CloseClipboard();
  return put;
}

}  // namespace loadergui::win32
