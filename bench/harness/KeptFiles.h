// What the program's settings file keeps of the files used last, set before each start.
#pragma once

#include <string>

namespace bench {

// Which files a start of the program finds kept in its settings file, the section [FILES]:
// those of a fresh program (none), or a kept upload file and eight recent files that all exist,
// so that the upload box is filled and the File menu shows every recent entry. A floor keeps
// no settings at all.
enum class KeptFiles { NoSettings, None, UploadAndEightRecent };

// Writes the section into the settings file beside the program (making the files it names
// first). Gives the text the upload box must show once the program has started, empty for
// none, or the failure in `failure`.
std::string KeepFiles(const std::string& executable, KeptFiles kept, std::string& failure);

}  // namespace bench
