// The profile rules as the store once implemented them, line by line with a copy of every line:
// slow and greedy, but plain; the fuzz property holds the store to the same results.
#include "ReferenceProfile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>
#include <vector>

namespace loadergui::fuzzing::reference {

std::string WriteOneLine(const std::string& fileText, const std::string& section,
                         const std::string& key, const std::string& value);

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string Trim(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Only trailing blanks of a default go, as with the platform's profile read.
std::string TrimEnd(const std::string& text) {
  std::size_t last = text.size();
  while (last > 0 && IsBlank(text[last - 1])) --last;
  return text.substr(0, last);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// One line of the file as the profile functions see it.
struct Line {
  std::string raw;     // without its line break
  std::string ending;  // the line break as found: CR LF, LF, or none on a last line
  enum Kind { Blank, Section, Entry } kind = Blank;
  std::string name;   // section or key name
  std::string value;  // entry value, blanks around it removed
  bool hasValue = false;
};

Line ParseLine(const std::string& raw) {
  Line line;
  line.raw = raw;
  std::string text = Trim(raw);
  if (text.empty()) return line;
  if (text[0] == '[') {
    auto close = text.rfind(']');
    if (close != std::string::npos) {
      line.kind = Line::Section;
      line.name = Trim(text.substr(1, close - 1));
      return line;
    }
  }
  line.kind = Line::Entry;
  auto equals = text.find('=');
  if (equals == std::string::npos) {
    line.name = text;
    return line;
  }
  line.name = Trim(text.substr(0, equals));
  line.value = Trim(text.substr(equals + 1));
  line.hasValue = true;
  return line;
}

// A byte-order mark that an editor may put before the first line is not part of it.
const std::string kUtf8Mark = "\xEF\xBB\xBF";

bool StartsWithMark(const std::string& text) {
  return text.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0;
}

std::vector<Line> ParseText(const std::string& text) {
  std::vector<Line> lines;
  std::size_t start = StartsWithMark(text) ? kUtf8Mark.size() : 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(start, end - start);
    std::string ending = end < text.size() ? "\n" : "";
    if (!raw.empty() && raw.back() == '\r') {
      raw.pop_back();
      ending = "\r" + ending;
    }
    lines.push_back(ParseLine(raw));
    lines.back().ending = ending;
    start = end + 1;
  }
  return lines;
}

// Where a section's lines are: its header and the index one past its last entry. Only the first
// section of a name is searched, as the platform does.
struct SectionPlace {
  bool found = false;
  std::size_t header = 0;
  std::size_t endOfEntries = 0;
};

SectionPlace FindSection(const std::vector<Line>& lines, const std::string& section) {
  SectionPlace place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != Line::Section || !SameName(lines[i].name, Trim(section))) continue;
    place.found = true;
    place.header = i;
    place.endOfEntries = i + 1;
    for (std::size_t j = i + 1; j < lines.size() && lines[j].kind != Line::Section; ++j) {
      if (lines[j].kind == Line::Entry) place.endOfEntries = j + 1;
    }
    return place;
  }
  return place;
}

long FindKey(const std::vector<Line>& lines, const SectionPlace& place, const std::string& key) {
  for (std::size_t i = place.header + 1; i < place.endOfEntries; ++i) {
    if (lines[i].kind == Line::Entry && SameName(lines[i].name, Trim(key))) {
      return static_cast<long>(i);
    }
  }
  return -1;
}

// Copies a value as the profile read does: one pair of enclosing quotes (double or single) goes,
// and at most size-1 characters are copied.
std::size_t CopyValue(const std::string& value, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  std::string text = value;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  std::size_t count = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return count;
}

}  // namespace

std::size_t ReadProfileText(const std::string& fileText, const std::string& section,
                            const std::string& key, const std::string& defaultValue, char* buffer,
                            std::size_t size) {
  auto lines = ParseText(fileText);
  auto place = FindSection(lines, section);
  if (place.found) {
    long index = FindKey(lines, place, key);
    // A key line without an equals sign has no value at all, so the default stands in.
    if (index >= 0 && lines[index].hasValue) return CopyValue(lines[index].value, buffer, size);
  }
  return CopyValue(TrimEnd(defaultValue), buffer, size);
}

std::string WriteProfileText(const std::string& fileText, const std::string& section,
                             const std::string& key, const std::string& value) {
  // What the store keeps: of a name the text before its first line feed, of a value the text
  // before its first line break.
  auto beforeLineFeed = [](const std::string& name) { return name.substr(0, name.find('\n')); };
  return WriteOneLine(fileText, beforeLineFeed(section), beforeLineFeed(key),
                      value.substr(0, value.find_first_of("\r\n")));
}

std::string WriteOneLine(const std::string& fileText, const std::string& section,
                         const std::string& key, const std::string& value) {
  auto lines = ParseText(fileText);
  // Lines the write adds end in CR LF; a last line without a line feed (none at all, or a lone
  // CR, which does not end a line) gets a whole break before them.
  auto added = [](std::string raw) {
    Line line;
    line.raw = std::move(raw);
    line.ending = "\r\n";
    return line;
  };
  auto insertAt = [&lines](std::size_t index, Line line) {
    if (index > 0 && lines[index - 1].ending.find('\n') == std::string::npos) {
      lines[index - 1].ending = "\r\n";
    }
    lines.insert(lines.begin() + static_cast<long>(index), std::move(line));
  };

  auto place = FindSection(lines, section);
  if (!place.found) {
    insertAt(lines.size(), added("[" + section + "]"));
    insertAt(lines.size(), added(key + "=" + value));
  } else {
    long index = FindKey(lines, place, key);
    if (index >= 0) {
      // The key keeps the spelling it has in the file; only its value changes.
      lines[index].raw = lines[index].name + "=" + value;
      if (lines[index].ending.empty()) lines[index].ending = "\r\n";
    } else {
      insertAt(place.endOfEntries, added(key + "=" + value));
    }
  }

  // The mark stays where it was: without it, a second mark the first line may begin with would
  // become the file's own on the next read, and that line would turn into a section header.
  std::string text = StartsWithMark(fileText) ? kUtf8Mark : std::string();
  for (const auto& line : lines) text += line.raw + line.ending;
  return text;
}

}  // namespace loadergui::fuzzing::reference
