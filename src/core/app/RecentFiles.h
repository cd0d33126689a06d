// The upload files used last, newest first, and the File menu's entries that offer them again.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/PathRules.h"

namespace loadergui {

class App;

inline constexpr std::size_t kRecentFileCount = 8;
// Each entry's number is one digit: its access key, and the end of its key in the settings file.
static_assert(kRecentFileCount <= 9);

// The list's own rules. PutFirst puts the file at the top: an entry naming the same file leaves
// its place, and the oldest beyond eight falls off. TakeOut removes the entries naming it.
void PutFirst(std::vector<std::string>& list, const std::string& path, const PathRules& rules);
void TakeOut(std::vector<std::string>& list, const std::string& path, const PathRules& rules);

// The caption of the entry at `index` (from 0): "&1 " and the path, shortened in the middle
// when it is long, with every ampersand doubled so that none marks an access key.
std::string RecentFileCaption(std::size_t index, const std::string& path, const PathRules& rules);

// Each way a file comes into the upload box (Browse, a drop, the command line, the list itself,
// a press of Execute that uploads it) remembers it here; a relative name is taken from the
// program's folder, and only a file that exists is remembered.
void RememberUploadFile(App& app, const std::string& path);
// The upload box's file when a press of Execute uploads it; empty in Download.
std::string UploadOfPress(App& app);
// Brings the File menu's entries into line with the list.
void ShowRecentFiles(App& app);

}  // namespace loadergui
