// A Cygwin program's reading of its command line: the split into words, the quote scanner, the
// drive words and the escapes of the other words, and the wildcard, ~ and @ steps.
#include "CygwinReader.h"

#include <cstddef>
#include <optional>

namespace loadergui::cygwin {

namespace {

// One character of the line as the reader sees it: a byte, or the two bytes of a character
// of a double-byte code page, which the wide reader sees as one and never as punctuation.
struct Char {
  std::string bytes;
  int code;  // the byte of a one-byte character; -1 for a two-byte one

  bool is(char c) const { return code == static_cast<unsigned char>(c); }
};

// The byte that follows a lead byte belongs to it only from 0x40 up, in every double-byte code
// page; below that, the two bytes are no character, and what a wide reader makes of them is
// not known.
constexpr int kLowestSecondByte = 0x40;

std::optional<std::vector<Char>> Characters(const std::string& line, Reader reader,
                                            const LeadBytes& leadBytes, std::string& why) {
  std::vector<Char> characters;
  for (std::size_t at = 0; at < line.size(); ++at) {
    auto byte = static_cast<unsigned char>(line[at]);
    if (reader == Reader::Wide && leadBytes[byte]) {
      if (at + 1 == line.size() || static_cast<unsigned char>(line[at + 1]) < kLowestSecondByte) {
        why = "a lead byte without its second byte at byte " + std::to_string(at);
        return std::nullopt;
      }
      characters.push_back({line.substr(at, 2), -1});
      ++at;
    } else {
      characters.push_back({std::string(1, line[at]), byte});
    }
  }
  return characters;
}

bool IsBlank(const Char& c) {
  return c.is(' ') || c.is('\t');
}

enum class Quote { None, Double, Single };

// A character of a word with the quoting it was read under.
struct Unit {
  Char c;
  Quote quote = Quote::None;
  int run = -1;               // which quoted run of the word; -1 outside quotes
  std::size_t raw = 0;        // where it stood in the word as written, quotes counted
  bool doubledQuote = false;  // the "" of a double-quoted run, which stands for one "
};

struct Word {
  std::vector<Unit> units;
  bool quoted = false;  // the word holds a quote character as written
};

struct Result {
  Verdict verdict = Verdict::Whole;
  std::string why;
  void worsen(Verdict to, const std::string& reason) {
    if (static_cast<int>(to) > static_cast<int>(verdict)) {
      verdict = to;
      why = reason;
    }
  }
};

// Reads one word after the program's name, from `at` (not a blank) to the next blank outside
// quotes. Inside a double-quoted run a backslash makes the scanner step over the next character,
// so that it can neither end the run nor be part of a "".
Word ReadWord(const std::vector<Char>& line, std::size_t& at, Result& result) {
  Word word;
  Quote quote = Quote::None;
  int runs = 0;
  std::size_t raw = 0;
  auto add = [&](const Char& c, bool doubled = false) {
    word.units.push_back({c, quote, quote == Quote::None ? -1 : runs - 1, raw, doubled});
  };
  while (at < line.size()) {
    const Char& c = line[at];
    if (quote == Quote::None) {
      if (IsBlank(c)) break;
      if (c.is('"') || c.is('\'')) {
        quote = c.is('"') ? Quote::Double : Quote::Single;
        ++runs;
        word.quoted = true;
      } else {
        add(c);
      }
      ++at;
      ++raw;
    } else if (quote == Quote::Double && c.is('\\')) {
      add(c);
      ++at;
      ++raw;
      if (at == line.size()) break;
      add(line[at]);
      ++at;
      ++raw;
    } else if (quote == Quote::Double && c.is('"')) {
      if (at + 1 < line.size() && line[at + 1].is('"')) {
        add(c, true);
        at += 2;
        raw += 2;
      } else {
        quote = Quote::None;
        ++at;
        ++raw;
      }
    } else if (quote == Quote::Single && c.is('\'')) {
      quote = Quote::None;
      ++at;
      ++raw;
    } else {
      add(c);
      ++at;
      ++raw;
    }
  }
  if (quote != Quote::None) result.worsen(Verdict::Undefined, "a quoted run that never ends");
  return word;
}

bool IsDriveLetter(const Char& c) {
  return (c.code >= 'A' && c.code <= 'Z') || (c.code >= 'a' && c.code <= 'z');
}

// The word, or the word after its opening quote, starts with a drive letter and a colon.
bool IsDriveWord(const Word& word) {
  if (word.units.size() < 2) return false;
  const Unit& letter = word.units[0];
  const Unit& colon = word.units[1];
  std::size_t start = letter.quote == Quote::None ? 0 : 1;
  return IsDriveLetter(letter.c) && colon.c.is(':') && letter.raw == start &&
         colon.raw == start + 1 && colon.run == letter.run;
}

bool SendsToWildcardStep(const Word& word) {
  if (word.quoted) return true;
  if (!word.units.empty() && word.units[0].c.is('~')) return true;
  for (const Unit& unit : word.units) {
    for (char special : {'?', '*', '[', '(', ')', '{', '}'}) {
      if (unit.c.is(special)) return true;
    }
  }
  return false;
}

// Quotes removed, quoted characters literal, the escapes of a word that is no drive word, and
// what unquoted characters would do.
std::string WildcardStep(const Word& word, Result& result) {
  bool drive = IsDriveWord(word);
  std::string text;
  const std::vector<Unit>& units = word.units;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const Unit& unit = units[i];
    const Char& c = unit.c;
    if (unit.quote != Quote::None) {
      if (unit.doubledQuote) {
        if (!drive && i > 0 && units[i - 1].c.is('\\') && units[i - 1].run == unit.run) {
          result.worsen(Verdict::Undefined, "a backslash before a doubled quote");
        }
        text += '"';
        continue;
      }
      if (!drive && c.is('\\')) {
        bool nextInRun = i + 1 < units.size() && units[i + 1].run == unit.run;
        if (!nextInRun) {
          result.worsen(Verdict::Undefined, "a backslash that ends a quoted run");
        } else if (units[i + 1].doubledQuote) {
          result.worsen(Verdict::Undefined, "a backslash before a doubled quote");
        } else if (units[i + 1].c.is('\\') || units[i + 1].c.is('"')) {
          text += units[i + 1].c.bytes;
          ++i;
          continue;
        }
      }
      text += c.bytes;
      continue;
    }
    if (c.is('*') || c.is('?') || c.is('[') || c.is(']') || c.is('{') || c.is('}')) {
      result.worsen(Verdict::WouldChange, "an unquoted wildcard " + c.bytes);
    } else if (c.is('(') || c.is(')')) {
      result.worsen(Verdict::Undefined, "an unquoted " + c.bytes);
    } else if (c.is('~') && unit.raw == 0) {
      result.worsen(Verdict::WouldChange, "an unquoted ~ naming the home folder");
    } else if (c.is('\\') && !drive) {
      result.worsen(Verdict::Undefined, "an unquoted backslash in a word that is no drive word");
    }
    text += c.bytes;
  }
  return text;
}

}  // namespace

LeadBytes CodePage932() {
  LeadBytes lead;
  for (int byte = 0x81; byte <= 0x9F; ++byte) lead.set(static_cast<std::size_t>(byte));
  for (int byte = 0xE0; byte <= 0xFC; ++byte) lead.set(static_cast<std::size_t>(byte));
  return lead;
}

Reading ReadCommandLine(const std::string& line, Reader reader, const LeadBytes& leadBytes) {
  Reading reading;
  std::optional<std::vector<Char>> characters = Characters(line, reader, leadBytes, reading.why);
  if (!characters) {
    reading.verdict = Verdict::Undefined;
    return reading;
  }
  const std::vector<Char>& chars = *characters;
  std::size_t at = 0;
  while (at < chars.size() && IsBlank(chars[at])) ++at;
  // The program's own name: up to the first blank; quotes in it are no concern of this reader.
  std::string program;
  Result result;
  for (; at < chars.size() && !IsBlank(chars[at]); ++at) {
    if (chars[at].is('"') || chars[at].is('\'')) {
      result.worsen(Verdict::Undefined, "a quote in the program's name");
    }
    program += chars[at].bytes;
  }
  reading.arguments.push_back(program);
  for (;;) {
    while (at < chars.size() && IsBlank(chars[at])) ++at;
    if (at >= chars.size()) break;
    Result wordResult;
    Word word = ReadWord(chars, at, wordResult);
    std::string text;
    if (SendsToWildcardStep(word)) {
      text = WildcardStep(word, wordResult);
    } else {
      for (const Unit& unit : word.units) text += unit.c.bytes;
    }
    if (!word.units.empty() && word.units[0].quote == Quote::None && word.units[0].raw == 0 &&
        word.units[0].c.is('@')) {
      wordResult.worsen(Verdict::WouldChange, "an unquoted @ naming a file to read the word from");
    }
    if (wordResult.verdict != Verdict::Whole) {
      result.worsen(wordResult.verdict, "word " + std::to_string(reading.arguments.size()) + " (" +
                                            text + "): " + wordResult.why);
    }
    reading.arguments.push_back(text);
  }
  reading.verdict = result.verdict;
  reading.why = result.why;
  return reading;
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Whole:
      return "whole";
    case Verdict::WouldChange:
      return "would change";
    case Verdict::Undefined:
      return "undefined";
  }
  return "?";
}

}  // namespace loadergui::cygwin
