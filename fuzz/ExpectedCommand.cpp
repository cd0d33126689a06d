// The tools' arguments as the user's choices dictate them, piece by piece, and the reasons a
// press may have to refuse them.
#include "ExpectedCommand.h"

namespace loadergui::fuzzing {

namespace {

using Arguments = std::vector<std::string>;

void AddWords(Arguments& arguments, const std::string& value) {
  std::string word;
  for (char c : value + " ") {
    if (c != ' ' && c != '\t') {
      word += c;
    } else if (!word.empty()) {
      arguments.push_back(word);
      word.clear();
    }
  }
}

// Splits the text into its characters, a lead byte and the one after it being one; false when
// a lead byte has no second byte from 0x40 up.
bool SplitCharacters(const std::string& text, const LeadBytes& leadBytes, Arguments& characters) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (!leadBytes.test(byte)) {
      characters.push_back(text.substr(i, 1));
    } else if (i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x40) {
      characters.push_back(text.substr(i, 2));
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

bool HoldsAnyOf(const std::string& text, const char* bytes) {
  return text.find_first_of(bytes) != std::string::npos;
}

// Typed values go unquoted: no quote, nothing a wildcard step would expand or leave undefined,
// and no word that names the home folder or a file to read arguments from.
bool ValueRefused(const std::string& value, const LeadBytes& leadBytes) {
  Arguments characters, words;
  if (!SplitCharacters(value, leadBytes, characters)) return true;
  if (HoldsAnyOf(value, "\"'*?[{}()")) return true;
  AddWords(words, value);
  for (const std::string& word : words) {
    if (word[0] == '@' || word[0] == '~') return true;
  }
  return false;
}

// A path has no form the loaders all receive whole when it is no drive path and its last
// character before any backslashes is a double-byte one whose second byte is 0x5C, unless it
// can go without quotes: nothing in it a loader would split at or expand.
bool PathRefused(const std::string& path, const LeadBytes& leadBytes) {
  Arguments characters;
  if (path.find('"') != std::string::npos) return true;
  if (!SplitCharacters(path, leadBytes, characters)) return true;
  char first = path.empty() ? '\0' : static_cast<char>(path[0] | 0x20);
  if (path.size() > 1 && path[1] == ':' && first >= 'a' && first <= 'z') return false;
  while (!characters.empty() && characters.back() == "\\") characters.pop_back();
  if (characters.empty() || characters.back().size() != 2 || characters.back()[1] != '\\') {
    return false;
  }
  bool needsQuotes =
      path.empty() || path[0] == '@' || path[0] == '~' || HoldsAnyOf(path, " \t'*?[{}()");
  return needsQuotes;
}

}  // namespace

Arguments ExpectedLoaderArguments(const PressInputs& in) {
  Arguments arguments;
  if (in.serial) {
    arguments = {"tools\\ravlink-serial.exe", "-t"};
    AddWords(arguments, in.device);
    arguments.push_back("-b");
    AddWords(arguments, in.baudrate);
  } else {
    arguments = {"tools\\ravlink-ip.exe", "-t"};
    AddWords(arguments, in.ip);
  }
  arguments.push_back("-a");
  AddWords(arguments, in.address);
  if (in.noConsole) arguments.push_back("-n");
  if (in.dumbTerminal) arguments.push_back("-p");
  if (in.noScreenClear) arguments.push_back("-q");
  if (in.chroot) arguments.insert(arguments.end(), {"-c", *in.chroot});
  if (in.iso) arguments.insert(arguments.end(), {"-i", *in.iso});
  switch (in.action) {
    case LoaderAction::Upload:
      arguments.push_back("-u");
      break;
    case LoaderAction::UploadExecute:
      arguments.push_back("-x");
      break;
    case LoaderAction::Download:
      arguments.push_back("-s");
      AddWords(arguments, in.size);
      arguments.push_back("-d");
      break;
  }
  arguments.push_back(in.file);
  return arguments;
}

Arguments ExpectedArpArguments(const PressInputs& in) {
  Arguments arguments{"tools\\arp.exe", "-s"};
  AddWords(arguments, in.ip);
  AddWords(arguments, in.mac.value_or(""));
  return arguments;
}

const char* RefusalReason(const PressInputs& in, const LeadBytes& leadBytes) {
  Arguments values = in.serial ? Arguments{in.device, in.baudrate} : Arguments{in.ip};
  values.push_back(in.address);
  if (in.action == LoaderAction::Download) values.push_back(in.size);
  if (in.mac) values.insert(values.end(), {in.ip, *in.mac});
  for (const std::string& value : values) {
    if (ValueRefused(value, leadBytes)) return "a typed value would not reach the tool as typed";
  }
  Arguments paths{in.file};
  if (in.chroot) paths.push_back(*in.chroot);
  if (in.iso) paths.push_back(*in.iso);
  for (const std::string& path : paths) {
    if (PathRefused(path, leadBytes)) return "a path has no form the loaders receive whole";
  }
  return nullptr;
}

}  // namespace loadergui::fuzzing
