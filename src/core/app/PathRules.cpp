// Paths read character by character: in a double-byte code page the second byte of a character
// may be a backslash, which separates nothing, or a letter, which has no case.
#include "app/PathRules.h"

#include <string_view>

#include "app/App.h"

namespace loadergui {

namespace {

constexpr std::string_view kAnyPlatformSeparators = "/\\";
constexpr std::string_view kProtectedStart = "./";

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A drive letter and its colon; no lead byte is a letter, and no second byte a colon.
bool StartsWithDrive(const std::string& path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

// A kept path is read by both programs, so what either takes for absolute stays as it is.
bool AbsoluteOnAnyPlatform(const std::string& path) {
  return !path.empty() &&
         (kAnyPlatformSeparators.find(path[0]) != std::string_view::npos || StartsWithDrive(path));
}

// Where the path goes on after the given start, compared as SamePath compares; npos when the
// path does not start with it.
std::size_t PastStart(const std::string& path, const std::string& start, const PathRules& rules) {
  std::size_t i = 0, j = 0;
  while (j < start.size()) {
    if (i >= path.size()) return std::string::npos;
    std::size_t a = CharacterLength(path, i, rules), b = CharacterLength(start, j, rules);
    bool same = a == b && path.compare(i, a, start, j, b) == 0;
    if (a == 1 && b == 1 && !same) {
      same = (IsSeparatorAt(path, i, rules) && IsSeparatorAt(start, j, rules)) ||
             (rules.facts.pathsIgnoreCase && Lower(path[i]) == Lower(start[j]));
    }
    if (!same) return std::string::npos;
    i += a;
    j += b;
  }
  return i;
}

// Where the last separator stands; npos when there is none.
std::size_t LastSeparator(const std::string& text, const PathRules& rules) {
  std::size_t last = std::string::npos;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, rules)) {
    if (IsSeparatorAt(text, at, rules)) last = at;
  }
  return last;
}

bool EndsWithSeparator(const std::string& text, const PathRules& rules) {
  return !text.empty() && LastSeparator(text, rules) == text.size() - 1;
}

std::string InProgramFolder(const std::string& relative, const PathRules& rules) {
  const std::string& folder = rules.programFolder;
  if (EndsWithSeparator(folder, rules)) return folder + relative;
  return folder + rules.facts.pathSeparator + relative;
}

// The part of a path below the program's folder; empty when the path lies elsewhere or names
// the folder itself.
std::string BelowProgramFolder(const std::string& path, const PathRules& rules) {
  if (rules.programFolder.empty()) return {};
  std::size_t at = PastStart(path, rules.programFolder, rules);
  if (at == std::string::npos) return {};
  std::size_t names = at;
  while (names < path.size() && IsSeparatorAt(path, names, rules)) ++names;
  if (names == at && !EndsWithSeparator(rules.programFolder, rules)) return {};
  return path.substr(names);
}

// The separators of a path become "/" on the way into the settings file, and the platform's
// own on the way out.
std::string WithSeparators(const std::string& text, const PathRules& rules, bool toKept) {
  std::string result = text;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, rules)) {
    bool separates = toKept ? IsSeparatorAt(text, at, rules) : text[at] == kKeptSeparator;
    if (separates) result[at] = toKept ? kKeptSeparator : rules.facts.pathSeparator;
  }
  return result;
}

}  // namespace

PathRules PathRulesOf(App& app) {
  const platform::Services& services = app.services();
  return {services.facts, services.files.programFolder(),
          services.processes.commandLineLeadBytes()};
}

std::size_t CharacterLength(const std::string& text, std::size_t at, const PathRules& rules) {
  bool lead = rules.leadBytes[static_cast<unsigned char>(text[at])];
  return lead && at + 1 < text.size() ? 2 : 1;
}

bool IsSeparatorAt(const std::string& text, std::size_t at, const PathRules& rules) {
  return CharacterLength(text, at, rules) == 1 &&
         rules.facts.pathSeparators.find(text[at]) != std::string_view::npos;
}

bool IsAbsolutePath(const std::string& path, const PathRules& rules) {
  if (path.empty()) return false;
  return IsSeparatorAt(path, 0, rules) || (rules.facts.driveLetters && StartsWithDrive(path));
}

std::string AbsolutePath(const std::string& path, const PathRules& rules) {
  if (path.empty() || IsAbsolutePath(path, rules)) return path;
  return InProgramFolder(path, rules);
}

bool SamePath(const std::string& a, const std::string& b, const PathRules& rules) {
  return PastStart(a, b, rules) == a.size();
}

std::string FolderOfPath(const std::string& path, const PathRules& rules) {
  std::string absolute = AbsolutePath(path, rules);
  std::size_t last = LastSeparator(absolute, rules);
  if (last == std::string::npos) {
    return rules.facts.driveLetters && StartsWithDrive(absolute) ? absolute.substr(0, 2)
                                                                 : std::string();
  }
  std::string folder = absolute.substr(0, last);
  bool root =
      folder.empty() || (rules.facts.driveLetters && folder.size() == 2 && StartsWithDrive(folder));
  return root ? absolute.substr(0, last + 1) : folder;
}

// A name below the folder that would read as absolute (a Linux file named "C:x", say) is kept
// behind "./", which PathFromKept takes off again. A path that either platform takes for absolute
// stays as it is, the other platform's too: it names no file here, but it is the other's.
std::string KeptPath(const std::string& path, const PathRules& rules) {
  if (path.find_first_of("\r\n") != std::string::npos) return {};
  std::string relative = BelowProgramFolder(path, rules);
  if (relative.empty()) {
    if (IsAbsolutePath(path, rules) || AbsoluteOnAnyPlatform(path)) return path;
    relative = path;
  }
  std::string kept = WithSeparators(relative, rules, true);
  if (AbsoluteOnAnyPlatform(kept)) kept.insert(0, kProtectedStart);
  return kept;
}

std::string PathFromKept(const std::string& kept, const PathRules& rules) {
  if (kept.empty() || AbsoluteOnAnyPlatform(kept)) return kept;
  std::string relative = kept;
  if (relative.compare(0, kProtectedStart.size(), kProtectedStart) == 0 &&
      AbsoluteOnAnyPlatform(relative.substr(kProtectedStart.size()))) {
    relative.erase(0, kProtectedStart.size());
  }
  return InProgramFolder(WithSeparators(relative, rules, false), rules);
}

}  // namespace loadergui
