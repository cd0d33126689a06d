// Bytes shown readably in a property failure: printable ASCII as it is, everything else as \xNN.
#pragma once

#include <string>

namespace loadergui::fuzzing {

inline std::string Visible(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789abcdef";
      shown += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
    }
  }
  return "\"" + shown + "\"";
}

}  // namespace loadergui::fuzzing
