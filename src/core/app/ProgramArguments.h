// The program's command line, ravlinkgui [--execute] [file]: what a build script, an IDE's tool
// entry or the desktop ("Open with", "Send to", a drop on the program's icon) hands it.
#pragma once

#include <string>
#include <vector>

namespace loadergui {

class App;

struct ProgramArguments {
  // The files named, in the order given; an empty text stands for a name the platform could not
  // write in its 8-bit code page.
  std::vector<std::string> files;
  // --execute: press Execute once the file is in the upload box.
  bool execute = false;
  // The first argument that is an option the program does not know; empty when there is none.
  std::string unknownOption;
};

// An argument that starts with this is an option; any other names a file.
inline constexpr char kOptionMark = '-';

// The front end hands over the arguments after the program's own name, options as typed and
// file names made absolute from the directory the program was started in (a build script's,
// not the program's folder). Empty arguments are left out before.
ProgramArguments ReadProgramArguments(const std::vector<std::string>& arguments);

// The refusal for arguments the program cannot follow; empty when it can.
std::string ArgumentsRefusal(const ProgramArguments& arguments);

// Runs in the shown main window: refuses what it cannot follow, or puts the file into the
// upload box. True when Execute is to be pressed next: --execute was given and nothing refused.
bool ApplyProgramArguments(App& app, const ProgramArguments& arguments);

}  // namespace loadergui
