// modBrowseFolder: the folder browser as the chroot picker uses it.
#pragma once

#include <optional>
#include <string>

namespace loadergui {

class App;

inline constexpr unsigned kBifReturnOnlyFsDirs = 1;
inline constexpr std::size_t kFolderBufferSize = 512;

// The chosen folder's file-system path, untrimmed, or nothing when none results.
std::optional<std::string> BrowseForChrootFolder(App& app);

}  // namespace loadergui
