// How the program compares, completes and keeps the paths of files on the platform it runs on.
#pragma once

#include <string>

#include "platform/Command.h"
#include "platform/PlatformFacts.h"

namespace loadergui {

class App;

// What a path's meaning depends on: the platform's rules, the program's folder (which relative
// names are taken from) and the lead bytes of the code page the paths are written in.
struct PathRules {
  const platform::PlatformFacts& facts;
  std::string programFolder;
  platform::LeadBytes leadBytes;
};

PathRules PathRulesOf(App& app);

// Whether the path starts from a root on this platform: a separator, or on Windows a drive.
bool IsAbsolutePath(const std::string& path, const PathRules& rules);
// A relative name as the program takes it, from its own folder; an absolute path as it is.
std::string AbsolutePath(const std::string& path, const PathRules& rules);
// Whether two paths are written the same, as the platform compares names: without regard to
// the case of their letters on Windows, where a slash also stands for a backslash.
bool SamePath(const std::string& a, const std::string& b, const PathRules& rules);
// The folder a file lies in: the path up to its last separator, with that separator when the
// folder is a root ("C:\", "/").
std::string FolderOfPath(const std::string& path, const PathRules& rules);

// The length of the character that starts at `at`: a lead byte and the byte after it are one.
std::size_t CharacterLength(const std::string& text, std::size_t at, const PathRules& rules);
// Whether the character that starts at `at` separates folders.
bool IsSeparatorAt(const std::string& text, std::size_t at, const PathRules& rules);

// The separator of a path kept in the settings file, whichever platform wrote it.
inline constexpr char kKeptSeparator = '/';

// The form a path is kept in: a file in the program's folder, or below it, relative to that
// folder with "/" between the names, so that it follows the folder when it moves (a stick with
// another drive letter) and reads the same on both platforms; any other path as it is. Empty for
// a path that a line of the settings file cannot hold (one with a line break).
std::string KeptPath(const std::string& path, const PathRules& rules);
// A kept path as the program uses it: a relative one below the program's folder, with this
// platform's separators; one that is absolute on any platform as it was kept.
std::string PathFromKept(const std::string& kept, const PathRules& rules);

}  // namespace loadergui
