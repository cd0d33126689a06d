// Paths from outside the window: a name the loaders cannot be given, or a folder, is refused.
#include "app/PathChecks.h"

#include "app/App.h"
#include "app/Captions.h"

namespace loadergui {

// A folder can neither be sent nor written to. A file to download into need not exist yet, so
// existence is left to the callers that need it.
std::string OutsidePathRefusal(App& app, const std::string& path, bool upload) {
  if (path.empty()) return text::kNameNotPassable;
  if (app.services().files.isFolder(path)) {
    return upload ? text::kFolderNotUploadable
                  : "Sorry, a folder cannot be downloaded to. Please drop a file.";
  }
  return {};
}

}  // namespace loadergui
