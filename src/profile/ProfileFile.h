// A profile file on a POSIX system: read whole, and replaced whole without ever being half
// written.
#pragma once

#include <string>

#include "profile/ProfileDocument.h"

namespace loadergui::profile {

struct FileText {
  std::string text;
  // Why the file could not be read; empty when it was, or when there is none.
  std::string failure;
};

// A missing file reads as empty. Anything else that cannot be read (no permission, a folder in
// its place, a file too large for a profile) reads as empty too, and says why.
FileText ReadFileText(const std::string& path);

// Writes the document's text into a new file beside the old one, flushes it to the disk and
// renames it over the old one, so that whatever happens (the program killed, the disk full) the
// file is either the old one or the new one, whole. A path that is a symbolic link is written
// through to the file it names. A file without write permission is not replaced. Returns the
// system's reason when the file could not be written (and the old one stays), else empty.
std::string ReplaceFileText(const std::string& path, const ProfileDocument& document);

}  // namespace loadergui::profile
