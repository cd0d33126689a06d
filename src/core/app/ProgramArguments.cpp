// Reading the program's command line and following it in the main window.
#include "app/ProgramArguments.h"

#include "app/App.h"
#include "app/Captions.h"
#include "app/Handlers.h"

namespace loadergui {

namespace {

constexpr const char* kExecuteOption = "--execute";

}  // namespace

ProgramArguments ReadProgramArguments(const std::vector<std::string>& arguments) {
  ProgramArguments read;
  for (const std::string& argument : arguments) {
    if (argument.empty() || argument.front() != kOptionMark) {
      read.files.push_back(argument);
    } else if (argument == kExecuteOption) {
      read.execute = true;
    } else if (read.unknownOption.empty()) {
      read.unknownOption = argument;
    }
  }
  return read;
}

// One transfer moves one file: unlike a drop, where the first of several is plainly the one
// under the pointer, the order of several names on a command line means nothing.
std::string ArgumentsRefusal(const ProgramArguments& arguments) {
  if (!arguments.unknownOption.empty()) {
    return "Sorry, the option \"" + arguments.unknownOption +
           "\" is not known. The program takes the name of one file, and --execute to upload "
           "and execute it at once.";
  }
  if (arguments.files.size() > 1) {
    return "Sorry, only one file can be handed to the program at a time.";
  }
  return {};
}

// Whatever is refused, --execute with it is dropped: a press then would send the file that was
// in the box before, not the one the caller meant.
bool ApplyProgramArguments(App& app, const ProgramArguments& arguments) {
  std::string refusal = ArgumentsRefusal(arguments);
  if (!refusal.empty()) {
    app.services().messages.messageBox(&app.frmMain().form(), refusal, text::kOops);
    return false;
  }
  if (arguments.files.empty()) return arguments.execute;
  return frmMain::Form_OpenFile(app, arguments.files.front()) && arguments.execute;
}

}  // namespace loadergui
