// The core's texts are UTF-8 bytes; Qt's are QStrings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace loadergui::qt {

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) {
  return text.toStdString();
}

// A path with a line break in its name cannot stand in a single-line box, nor in the settings
// file, without becoming another path.
inline bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// Line breaks as the core writes them (CR LF) in the form Qt shows them (LF).
inline QString ToQtLines(std::string_view text) {
  return ToQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace loadergui::qt
