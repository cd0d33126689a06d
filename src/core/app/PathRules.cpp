// Paths read character by character: in a double-byte code page the second byte of a character
// may be a backslash, which separates nothing, or a letter, which has no case.
#include "app/PathRules.h"

#include <string_view>
#include <vector>

#include "app/App.h"

namespace loadergui {

namespace {

constexpr std::string_view kAnyPlatformSeparators = "/\\";
constexpr std::string_view kProtectedStart = "./";

// The length of the character that starts at `at`: a lead byte and the byte after it are one.
std::size_t CharacterLength(const std::string& text, std::size_t at, const PathRules& rules) {
  bool lead = rules.leadBytes[static_cast<unsigned char>(text[at])];
  return lead && at + 1 < text.size() ? 2 : 1;
}

bool IsSeparator(char c, const PathRules& rules) {
  return rules.facts.pathSeparators.find(c) != std::string_view::npos;
}

// The start of each character of the text, and its end.
std::vector<std::size_t> CharacterStarts(const std::string& text, const PathRules& rules) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, rules)) {
    starts.push_back(at);
  }
  starts.push_back(text.size());
  return starts;
}

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

bool SameCharacter(std::string_view a, std::string_view b, const PathRules& rules) {
  if (a.size() != 1 || b.size() != 1) return a == b;
  if (IsSeparator(a[0], rules) && IsSeparator(b[0], rules)) return true;
  if (rules.facts.pathsIgnoreCase) return Lower(a[0]) == Lower(b[0]);
  return a[0] == b[0];
}

// Where the path goes on after the given start, compared as SamePath compares; npos when the
// path does not start with it.
std::size_t PastStart(const std::string& path, const std::string& start, const PathRules& rules) {
  std::size_t i = 0, j = 0;
  while (j < start.size()) {
    if (i >= path.size()) return std::string::npos;
    std::size_t a = CharacterLength(path, i, rules), b = CharacterLength(start, j, rules);
    if (!SameCharacter({path.data() + i, a}, {start.data() + j, b}, rules)) {
      return std::string::npos;
    }
    i += a;
    j += b;
  }
  return i;
}

bool EndsWithSeparator(const std::string& text, const PathRules& rules) {
  std::vector<std::size_t> starts = CharacterStarts(text, rules);
  if (starts.size() < 2) return false;
  std::size_t last = starts[starts.size() - 2];
  return text.size() - last == 1 && IsSeparator(text[last], rules);
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
  while (names < path.size() && IsSeparator(path[names], rules)) ++names;
  if (names == at && !EndsWithSeparator(rules.programFolder, rules)) return {};
  return path.substr(names);
}

// Each separator of the text, a single-byte character, becomes `separator`.
std::string WithSeparators(const std::string& text, const PathRules& rules, char separator,
                           bool (*separates)(char, const PathRules&)) {
  std::string result = text;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, rules)) {
    if (CharacterLength(text, at, rules) == 1 && separates(text[at], rules)) {
      result[at] = separator;
    }
  }
  return result;
}

bool IsKeptSeparator(char c, const PathRules&) {
  return c == kKeptSeparator;
}

}  // namespace

PathRules PathRulesOf(App& app) {
  const platform::Services& services = app.services();
  return {services.facts, services.files.programFolder(),
          services.processes.commandLineLeadBytes()};
}

bool IsAbsolutePath(const std::string& path, const PathRules& rules) {
  if (path.empty()) return false;
  return IsSeparator(path[0], rules) || (rules.facts.driveLetters && StartsWithDrive(path));
}

std::string AbsolutePath(const std::string& path, const PathRules& rules) {
  if (path.empty() || IsAbsolutePath(path, rules)) return path;
  return InProgramFolder(path, rules);
}

bool SamePath(const std::string& a, const std::string& b, const PathRules& rules) {
  std::size_t past = PastStart(a, b, rules);
  return past == a.size();
}

std::string FolderOfPath(const std::string& path, const PathRules& rules) {
  std::string absolute = AbsolutePath(path, rules);
  std::size_t last = std::string::npos;
  for (std::size_t at = 0; at < absolute.size(); at += CharacterLength(absolute, at, rules)) {
    if (IsSeparator(absolute[at], rules) && CharacterLength(absolute, at, rules) == 1) last = at;
  }
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
  std::string kept = WithSeparators(relative, rules, kKeptSeparator, IsSeparator);
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
  return InProgramFolder(
      WithSeparators(relative, rules, rules.facts.pathSeparator, IsKeptSeparator), rules);
}

}  // namespace loadergui
