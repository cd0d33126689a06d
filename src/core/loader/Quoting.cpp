// The loaders are Cygwin programs: started from Windows, they split their command line into
// words themselves. Blanks and tabs separate words outside quotes; a word holding a quote, a
// wildcard or a bracket goes through a wildcard step, where an unquoted * ? [ { is matched
// against the folder, a leading ~ names the home folder, and an unquoted word starting with @
// is replaced by the file of that name. Inside double quotes a backslash shields the next
// character from the scanner; for a word that starts with a drive letter and a colon every
// backslash is then an ordinary character, while in any other word \\ and \" are escapes.
// The early runtimes read the line byte by byte, so the second byte of a double-byte character
// that happens to be 0x5C is a backslash to them; later ones see the character.
#include "loader/Quoting.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "app/Captions.h"

namespace loadergui {

namespace {

constexpr char kBackslash = '\\';
// In every double-byte code page the second byte of a character is at least this.
constexpr unsigned char kLowestSecondByte = 0x40;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

struct Character {
  std::size_t at;
  std::size_t size;  // 1, or 2 for a double-byte character
};

// The text's characters in the code page; a lead byte without a second byte that belongs to it
// ends the list early, at `incomplete`.
std::vector<Character> Characters(const std::string& text, const platform::LeadBytes& leadBytes,
                                  std::size_t& incomplete) {
  std::vector<Character> characters;
  incomplete = std::string::npos;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!leadBytes[static_cast<unsigned char>(text[at])]) {
      characters.push_back({at, 1});
      continue;
    }
    if (at + 1 == text.size() || static_cast<unsigned char>(text[at + 1]) < kLowestSecondByte) {
      incomplete = at;
      break;
    }
    characters.push_back({at, 2});
    ++at;
  }
  return characters;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string CannotContain(const std::string& what, const std::string& character) {
  return "Sorry, " + what + " cannot contain the character " + character + ".";
}

// Characters that make a word go through the wildcard step, where an unquoted backslash has
// no meaning the loaders promise and these themselves would be expanded or taken as quotes.
constexpr std::string_view kWildcardStepCharacters = "?*[(){}";

// A drive word keeps every backslash, so a drive path (C:...) needs no escapes; but one that
// ends in backslash bytes has its quote closed before them, as "C:\dir"\ or "C:"\, so that no
// reader takes the closing quote for an escaped one. Unquoted, they are ordinary characters of
// the drive word; the characters they end are never split.
std::string DrivePathForm(const std::string& path, const std::vector<Character>& characters) {
  if (path.empty() || path.back() != kBackslash) return Quoted(path);
  std::size_t tail = characters.size();
  while (tail > 0 && path[characters[tail - 1].at + characters[tail - 1].size - 1] == kBackslash) {
    --tail;
  }
  std::size_t split = characters[tail].at;
  return Quoted(path.substr(0, split)) + path.substr(split);
}

// Any other path (a share, a relative or rooted name) loses a backslash of each \\ pair inside
// quotes, and one before the closing quote; each backslash doubled, it comes back whole. Not
// when it ends in a double-byte character whose second byte is 0x5C (and maybe backslashes after
// it): before the closing quote a reader of bytes then sees one backslash more than one of
// characters, so no doubling suits both. Such a path goes without quotes when nothing in it
// needs them, and has no form otherwise.
std::optional<std::string> OtherPathForm(const std::string& path,
                                         const std::vector<Character>& characters) {
  bool endsInBackslashByte = !path.empty() && path.back() == kBackslash;
  if (!endsInBackslashByte && path.find("\\\\") == std::string::npos) return Quoted(path);
  std::size_t last = characters.size();
  while (last > 0 && characters[last - 1].size == 1 &&
         path[characters[last - 1].at] == kBackslash) {
    --last;
  }
  bool endsInDoubleByteBackslash =
      last > 0 && characters[last - 1].size == 2 && path[characters[last - 1].at + 1] == kBackslash;
  if (!endsInDoubleByteBackslash) {
    std::string doubled;
    for (const Character& c : characters) {
      std::string character = path.substr(c.at, c.size);
      doubled += character == "\\" ? "\\\\" : character;
    }
    return Quoted(doubled);
  }
  bool plainWord = !path.empty() && path.front() != '~' && path.front() != '@';
  for (char byte : path) {
    plainWord = plainWord && !IsBlank(byte) && byte != '\'' &&
                kWildcardStepCharacters.find(byte) == std::string_view::npos;
  }
  if (plainWord) return path;
  return std::nullopt;
}

}  // namespace

std::vector<std::string> TypedWords(const std::string& value) {
  std::vector<std::string> words;
  std::size_t at = 0;
  for (;;) {
    while (at < value.size() && IsBlank(value[at])) ++at;
    if (at == value.size()) return words;
    std::size_t end = at;
    while (end < value.size() && !IsBlank(value[end])) ++end;
    words.push_back(value.substr(at, end - at));
    at = end;
  }
}

// A typed value is not quoted: its blanks separate words, as they always have, and each word
// must be one the loaders take as it stands. They see the bytes of the line, so a second byte
// that looks like a bracket counts as one.
LineText TypedValueInLine(const char* what, const std::string& value,
                          const platform::LeadBytes& leadBytes) {
  std::string name = what;
  if (value.find('"') != std::string::npos) {
    return {{}, "Sorry, " + name + " cannot contain a double quote (\")."};
  }
  std::size_t incomplete;
  std::vector<Character> characters = Characters(value, leadBytes, incomplete);
  if (incomplete != std::string::npos) {
    return {{}, CannotContain(name, value.substr(incomplete, 1))};
  }
  for (const Character& c : characters) {
    for (std::size_t at = c.at; at < c.at + c.size; ++at) {
      char byte = value[at];
      if (byte == '\'') return {{}, "Sorry, " + name + " cannot contain a single quote (')."};
      if (kWildcardStepCharacters.find(byte) == std::string_view::npos) continue;
      if (c.size == 2) return {{}, CannotContain(name, value.substr(c.at, c.size))};
      return {{}, "Sorry, " + name + " cannot contain *, ?, [, {, }, ( or )."};
    }
  }
  for (const std::string& word : TypedWords(value)) {
    if (word.front() == '@' || word.front() == '~') {
      return {
          {},
          "Sorry, " + name + " cannot start with @ or ~, nor can any part of it after a blank."};
    }
  }
  return {value, {}};
}

// The usual form, "path", serves wherever the loaders read it back whole; a name with a quote of
// its own, or with a character cut short, goes nowhere.
LineText PathInLine(const std::string& path, const platform::LeadBytes& leadBytes) {
  if (path.find('"') != std::string::npos) return {{}, text::kQuoteInFileName};
  std::size_t incomplete;
  std::vector<Character> characters = Characters(path, leadBytes, incomplete);
  if (incomplete != std::string::npos) {
    return {{}, CannotContain("a file name", path.substr(incomplete, 1))};
  }
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (drive) return {DrivePathForm(path, characters), {}};
  if (std::optional<std::string> form = OtherPathForm(path, characters)) return {*form, {}};
  return {{},
          "Sorry, the loader would not receive the name \"" + path +
              "\" whole.\r\nPlease give it by a path that starts with a drive letter (such as "
              "C:\\), or rename it."};
}

}  // namespace loadergui
