// The checks a path passes before a file box takes it from outside the window.
#pragma once

#include <string>

namespace loadergui {

class App;

// The refusal for a path dropped onto the window or named on the program's command line, for
// the upload box or the download box; empty when the box may take it. A path the platform could
// not write in its 8-bit code page comes as an empty text.
std::string OutsidePathRefusal(App& app, const std::string& path, bool upload);

}  // namespace loadergui
