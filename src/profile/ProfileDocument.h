// A profile (INI) file held in memory: parsed once, read and written by section and key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace loadergui::profile {

class ProfileDocument {
 public:
  // The largest text a document holds; its lines are indexed with 32-bit offsets.
  static constexpr std::size_t kMaxSize = 0xFFFFFFF0u;

  // Takes the file's text as it is on disk (at most kMaxSize bytes).
  explicit ProfileDocument(std::string text = {});

  // Same contract as the platform's profile read: copies at most size-1 characters of the value
  // (or of the default when the section or key is missing) into buffer, NUL-terminated, and
  // returns the number copied. Section and key names match without regard to case; the value
  // loses the blanks around it and one pair of enclosing quotation marks.
  std::size_t read(std::string_view section, std::string_view key, std::string_view defaultValue,
                   char* buffer, std::size_t size) const;

  // Replaces one key's value; a missing key is added at the end of its section, a missing
  // section at the end of the file. Everything else stays as it was.
  void write(std::string_view section, std::string_view key, std::string_view value);

  // Whether a write has changed the text since it was read.
  bool changed() const { return changed_; }

  // Hands the whole text to sink in order, in pieces.
  void writeTo(const std::function<void(std::string_view)>& sink) const;
  std::string text() const;

 private:
  enum class Kind : std::uint8_t { Blank, Section, Entry };
  static constexpr std::uint32_t kNotReplaced = 0xFFFFFFFFu;

  // A line that is not blank. Lines of the file point into text_; a line whose text was
  // replaced, and a line added by a write, take their text from added_.
  struct Line {
    std::uint32_t begin = 0;  // its text in text_ (line break excluded)
    std::uint32_t end = 0;
    std::uint32_t next = 0;  // where the following line starts; end to next is its line break
    std::uint32_t replacement = kNotReplaced;  // index into added_
    Kind kind = Kind::Blank;
    bool added = false;  // not in the file that was read; ends in CR LF
    bool atEnd = false;  // added after the file's last line, blank lines included
  };

  std::string_view raw(const Line& line) const;
  static Kind KindOf(std::string_view raw);
  // The first section of that name: the index of its header and one past its last entry.
  bool findSection(std::string_view section, std::size_t& header, std::size_t& endOfEntries) const;
  std::size_t findKey(std::size_t header, std::size_t endOfEntries, std::string_view key) const;
  void insert(std::size_t at, std::string raw, bool atEnd);

  std::string text_;
  std::size_t bodyStart_ = 0;  // after a byte-order mark
  std::vector<Line> lines_;
  std::vector<std::string> added_;
  bool changed_ = false;
};

}  // namespace loadergui::profile
