// Profile text with the rules of the platform's profile functions, parsed once into an index of
// its lines: reading a key costs no copy, and writing keys touches only their lines.
#include "profile/ProfileDocument.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace loadergui::profile {

namespace {

// A byte-order mark that an editor may put before the first line is not part of it.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kAddedBreak = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Only trailing blanks of a default go, as with the platform's profile read.
std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

// The name between the brackets of a section header line.
std::string_view SectionName(std::string_view raw) {
  std::string_view text = Trim(raw);
  return Trim(text.substr(1, text.rfind(']') - 1));
}

struct EntryParts {
  std::string_view name;
  std::string_view value;
  bool hasValue = false;  // a line without an equals sign has no value at all
};

EntryParts SplitEntry(std::string_view raw) {
  std::string_view text = Trim(raw);
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {text, {}, false};
  return {Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)), true};
}

// Copies a value as the profile read does: one pair of enclosing quotes (double or single) goes,
// and at most size-1 characters are copied.
std::size_t CopyValue(std::string_view value, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  std::size_t count = std::min(value.size(), size - 1);
  std::memcpy(buffer, value.data(), count);
  buffer[count] = '\0';
  return count;
}

// A line feed in a name or value would start a line of its own that reads back as another key
// or section; what comes before the first one is all that a single line can hold. A value also
// ends at a carriage return, the other half of a line break, which no box holds either; in a
// name it is one more character, as the read takes it.
std::string_view BeforeLineFeed(std::string_view name) {
  return name.substr(0, name.find('\n'));
}
std::string_view FirstLine(std::string_view value) {
  return value.substr(0, value.find_first_of("\r\n"));
}

}  // namespace

ProfileDocument::ProfileDocument(std::string text) : text_(std::move(text)) {
  if (text_.size() > kMaxSize) text_.resize(kMaxSize);
  bodyStart_ = text_.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0 ? kUtf8Mark.size() : 0;
  std::size_t start = bodyStart_;
  while (start < text_.size()) {
    std::size_t lineFeed = text_.find('\n', start);
    std::size_t next = lineFeed == std::string::npos ? text_.size() : lineFeed + 1;
    std::size_t end = lineFeed == std::string::npos ? text_.size() : lineFeed;
    if (end > start && text_[end - 1] == '\r') --end;
    Kind kind = KindOf(std::string_view(text_).substr(start, end - start));
    if (kind != Kind::Blank) {
      Line line;
      line.begin = static_cast<std::uint32_t>(start);
      line.end = static_cast<std::uint32_t>(end);
      line.next = static_cast<std::uint32_t>(next);
      line.kind = kind;
      lines_.push_back(line);
    }
    start = next;
  }
}

ProfileDocument::Kind ProfileDocument::KindOf(std::string_view raw) {
  std::string_view text = Trim(raw);
  if (text.empty()) return Kind::Blank;
  if (text.front() == '[' && text.rfind(']') != std::string_view::npos) return Kind::Section;
  return Kind::Entry;
}

std::string_view ProfileDocument::raw(const Line& line) const {
  if (line.replacement != kNotReplaced) return added_[line.replacement];
  return std::string_view(text_).substr(line.begin, line.end - line.begin);
}

// Only the first section of a name is searched, as the platform does.
bool ProfileDocument::findSection(std::string_view section, std::size_t& header,
                                  std::size_t& endOfEntries) const {
  std::string_view wanted = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Kind::Section || !SameName(SectionName(raw(lines_[i])), wanted)) {
      continue;
    }
    header = i;
    endOfEntries = i + 1;
    for (std::size_t j = i + 1; j < lines_.size() && lines_[j].kind != Kind::Section; ++j) {
      endOfEntries = j + 1;
    }
    return true;
  }
  return false;
}

std::size_t ProfileDocument::findKey(std::size_t header, std::size_t endOfEntries,
                                     std::string_view key) const {
  std::string_view wanted = Trim(key);
  for (std::size_t i = header + 1; i < endOfEntries; ++i) {
    if (SameName(SplitEntry(raw(lines_[i])).name, wanted)) return i;
  }
  return lines_.size();
}

std::size_t ProfileDocument::read(std::string_view section, std::string_view key,
                                  std::string_view defaultValue, char* buffer,
                                  std::size_t size) const {
  std::size_t header = 0, endOfEntries = 0;
  if (findSection(section, header, endOfEntries)) {
    std::size_t index = findKey(header, endOfEntries, key);
    if (index < lines_.size()) {
      EntryParts entry = SplitEntry(raw(lines_[index]));
      // A key line without an equals sign has no value, so the default stands in.
      if (entry.hasValue) return CopyValue(entry.value, buffer, size);
    }
  }
  return CopyValue(TrimEnd(defaultValue), buffer, size);
}

// Lines the write adds end in CR LF. A line added after the file's last line belongs after its
// blank lines too; one added to a section goes straight after the section's last entry.
void ProfileDocument::insert(std::size_t at, std::string rawText, bool atEnd) {
  Line line;
  line.replacement = static_cast<std::uint32_t>(added_.size());
  line.kind = KindOf(rawText);
  line.added = true;
  line.atEnd = atEnd;
  added_.push_back(std::move(rawText));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
  changed_ = true;
}

void ProfileDocument::write(std::string_view section, std::string_view key,
                            std::string_view value) {
  section = BeforeLineFeed(section);
  key = BeforeLineFeed(key);
  value = FirstLine(value);
  std::size_t header = 0, endOfEntries = 0;
  if (!findSection(section, header, endOfEntries)) {
    std::string sectionLine = "[" + std::string(section) + "]";
    insert(lines_.size(), std::move(sectionLine), true);
    insert(lines_.size(), std::string(key) + "=" + std::string(value), true);
    return;
  }
  std::size_t index = findKey(header, endOfEntries, key);
  if (index == lines_.size()) {
    bool atEnd = lines_[endOfEntries - 1].atEnd;
    insert(endOfEntries, std::string(key) + "=" + std::string(value), atEnd);
    return;
  }
  // The key keeps the spelling it has in the file; only its value changes. A last line without
  // a line break gets one.
  Line& line = lines_[index];
  std::string replaced = std::string(SplitEntry(raw(line)).name) + "=" + std::string(value);
  if (replaced != raw(line) || (!line.added && line.next == line.end)) changed_ = true;
  if (line.replacement == kNotReplaced) {
    line.replacement = static_cast<std::uint32_t>(added_.size());
    added_.push_back(std::move(replaced));
  } else {
    added_[line.replacement] = std::move(replaced);
  }
}

// The text between the lines (blank lines, the byte-order mark) comes from the file as it was
// read, and so does every line not written: the file goes out in as few pieces as there are
// lines written. A line that ends without a line feed (the file's last, or one ending in a lone
// CR) gets a whole line break before a line added after it.
void ProfileDocument::writeTo(const std::function<void(std::string_view)>& sink) const {
  const std::string_view text = text_;
  std::size_t cursor = 0;  // the file's text before it has been handed on
  std::size_t upTo = 0;    // the end of the last line of the file passed so far
  bool anyLine = false;
  char last = '\0';
  auto emit = [&](std::string_view piece) {
    if (piece.empty()) return;
    sink(piece);
    last = piece.back();
  };
  auto emitFile = [&](std::size_t end) {
    if (end > cursor) emit(text.substr(cursor, end - cursor));
    cursor = std::max(cursor, end);
  };
  auto emitAdded = [&](const Line& line) {
    if (anyLine && last != '\n') emit(last == '\r' ? "\n" : kAddedBreak);
    emit(raw(line));
    emit(kAddedBreak);
    anyLine = true;
  };

  std::size_t i = 0;
  for (; i < lines_.size() && !lines_[i].atEnd; ++i) {
    const Line& line = lines_[i];
    if (line.added) {
      emitFile(upTo);
      emitAdded(line);
      continue;
    }
    if (line.replacement != kNotReplaced) {
      emitFile(line.begin);
      emit(added_[line.replacement]);
      emit(line.next == line.end ? kAddedBreak : text.substr(line.end, line.next - line.end));
      cursor = line.next;
    }
    upTo = line.next;
    anyLine = true;
  }
  emitFile(text.size());
  anyLine = anyLine || text.size() > bodyStart_;
  for (; i < lines_.size(); ++i) emitAdded(lines_[i]);
}

std::string ProfileDocument::text() const {
  std::string whole;
  writeTo([&whole](std::string_view piece) { whole.append(piece); });
  return whole;
}

}  // namespace loadergui::profile
