// Helpers shared by the files of the Windows platform services.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/Form.h"

namespace loadergui::win32::detail {

// The window that owns a platform dialog; none when there is no owner form.
inline HWND OwnerWindow(const ui::Form* owner) {
  return owner ? static_cast<HWND>(owner->nativeHandle()) : nullptr;
}

// A writable copy of a fixed answer buffer, at least minimumSize long, so that a platform
// function can never write past the caller's string, padded with NULs.
inline std::vector<char> AnswerBuffer(const std::string& buffer, std::size_t minimumSize) {
  std::vector<char> copy(std::max(buffer.size() + 1, minimumSize), '\0');
  std::copy(buffer.begin(), buffer.end(), copy.begin());
  return copy;
}

// Puts the platform's answer back into the caller's buffer, which keeps its size.
inline void CopyAnswerBack(const std::vector<char>& answer, std::string& buffer) {
  std::copy_n(answer.begin(), std::min(buffer.size(), answer.size()), buffer.begin());
}

// The serial ports among the device names of a NUL-separated list (the answer of
// QueryDosDeviceA): "COM" and digits in any case, returned in capitals, in the list's order.
std::vector<std::string> SerialPortNames(const char* list, std::size_t length);

// Initialises COM on the calling thread once, before the first dialog that is built on it.
void InitialiseComOnce();

}  // namespace loadergui::win32::detail
