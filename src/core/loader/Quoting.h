// How paths and typed values are written into a loader's command line so that the loaders,
// which split their own command lines by Cygwin's rules, receive exactly them.
#pragma once

#include <string>
#include <vector>

#include "platform/Command.h"

namespace loadergui {

// A piece of a command line: the text it takes in the line, or why the tool would not receive
// it as given (the refusal box's message), when no text would do.
struct LineText {
  std::string text;
  std::string refusal;
};

// The words a tool receives for a typed value: split at runs of blanks and tabs, as the loaders
// split their command lines; an empty value gives none.
std::vector<std::string> TypedWords(const std::string& value);

// A typed value goes into the line as typed; `what` names it in a refusal ("the IP address").
LineText TypedValueInLine(const char* what, const std::string& value,
                          const platform::LeadBytes& leadBytes);

// A file or folder path, one argument of the tool whatever it holds.
LineText PathInLine(const std::string& path, const platform::LeadBytes& leadBytes);

}  // namespace loadergui
