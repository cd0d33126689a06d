// Single quotes keep every character as it is, but a single quote itself, which ends them for
// a moment: '\''.
#include "ShellLine.h"

#include <string_view>

namespace loadergui::qt {

namespace {

// Characters that no shell gives a meaning of its own anywhere in a word.
bool Plain(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("@%+=:,./_-").find(c) != std::string_view::npos;
}

}  // namespace

// A word that starts with "=" is a command's path to zsh ("=ls" is /usr/bin/ls), so it goes
// quoted like any other word with a character of meaning.
std::string ShellQuoted(const std::string& argument) {
  bool plain = !argument.empty() && argument.front() != '=';
  for (char c : argument) plain = plain && Plain(c);
  if (plain) return argument;
  std::string quoted = "'";
  for (char c : argument) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string ShellLineIn(const std::string& folder, const std::vector<std::string>& arguments) {
  std::string line = "cd " + ShellQuoted(folder) + " &&";
  for (const std::string& argument : arguments) line += " " + ShellQuoted(argument);
  return line;
}

}  // namespace loadergui::qt
