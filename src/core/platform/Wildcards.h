// The wildcards of a directory search, for the platforms that match them themselves.
#pragma once

namespace loadergui::platform {

// '*' stands for any run of characters and '?' for any one; everything else for itself.
inline bool MatchesWildcards(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') {
    for (const char* rest = name;; ++rest) {
      if (MatchesWildcards(pattern + 1, rest)) return true;
      if (*rest == '\0') return false;
    }
  }
  if (*name == '\0') return false;
  return (*pattern == '?' || *pattern == *name) && MatchesWildcards(pattern + 1, name + 1);
}

}  // namespace loadergui::platform
