// Drives the profile store with decoded writes and reads and compares it with a plain model.
#include "ProfileStoreChecks.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <utility>

#include "Printable.h"
#include "ReferenceProfile.h"
#include "profile/ProfileDocument.h"
#include "profile/ProfileSettingsFile.h"

namespace loadergui::fuzzing {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBufferSize = 255;   // what the settings reader passes
const std::string kMissing = "<missing>";  // the default: tells a missing key from an empty one
const std::string kBlanks(" \t\r\n\v\f\x1a");

// Reads the input front to back; once it runs dry every read gives zeros.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return next_ == size_; }
  std::uint8_t Byte() { return Empty() ? 0 : data_[next_++]; }
  std::string Bytes(std::size_t count) {
    count = std::min(count, size_ - next_);
    std::string text(reinterpret_cast<const char*>(data_ + next_), count);
    next_ += count;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;
};

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// What a read gives for a stored value: no blanks around it, one pair of enclosing quotes gone,
// cut to the buffer.
std::string AsRead(const std::string& written) {
  std::string text = Trim(written);
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return text.substr(0, kBufferSize - 1);
}

using Identity = std::pair<std::string, std::string>;  // section and key as the file matches them

struct Name {
  std::string section;
  std::string key;
  Identity identity() const { return {Lower(Trim(section)), Lower(Trim(key))}; }
};

struct Operation {
  bool write = false;
  Name name;
  std::string value;
};

// Names come mostly from a small pool, in varying case and with blanks, so that writes and
// reads meet the same keys and the keys of the starting file; some are free text.
const char* const kSections[] = {"SETTINGS", "OPTIONS", "CHROOT", "CDFSREDIRECT", "S", ""};
const char* const kKeys[] = {"TYPE", "RAVLINK", "ADDRESS", "DIR", "ISO", "K", "k2", ""};

std::string Without(std::string text, const std::string& banned) {
  std::string kept;
  for (char c : text) {
    if (banned.find(c) == std::string::npos) kept += c;
  }
  return kept;
}

std::string VaryCase(std::string text, std::uint8_t pattern) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((pattern >> (i % 8)) & 1) text[i] = Lower(std::string(1, text[i]))[0];
  }
  return text;
}

std::string DrawName(ByteReader& in, const char* const* pool, std::size_t poolSize, bool isKey) {
  std::uint8_t choice = in.Byte();
  std::string name;
  if (choice < 0xE0) {
    name = VaryCase(pool[choice % poolSize], in.Byte());
    if (choice & 0x80) name = " " + name + "\t";
  } else {
    name = Without(in.Bytes(in.Byte() % 12), "\n");
  }
  if (isKey) {
    name = Without(name, "=");
    // A key whose line would start with "[" could read as a section header.
    std::size_t first = name.find_first_not_of(kBlanks);
    if (first != std::string::npos && name[first] == '[') name[first] = '(';
  }
  return name;
}

std::vector<Operation> DrawOperations(ByteReader& in) {
  std::vector<Operation> operations;
  while (!in.Empty() && operations.size() < 24) {
    Operation operation;
    operation.write = in.Byte() & 1;
    operation.name.section = DrawName(in, kSections, std::size(kSections), false);
    operation.name.key = DrawName(in, kKeys, std::size(kKeys), true);
    if (operation.write) operation.value = Without(in.Bytes(in.Byte()), "\n");
    operations.push_back(std::move(operation));
  }
  return operations;
}

// A scratch file that lives as long as the process.
class ScratchFile {
 public:
  ScratchFile() {
    std::string pattern = (fs::temp_directory_path() / "loadergui-store-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
  }
  ~ScratchFile() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  std::string path() const { return (folder_ / "settings.ini").string(); }

 private:
  fs::path folder_;
};

// A read through a buffer of the settings reader's size.
template <typename Reader>
std::string ReadKey(const Reader& read, const Name& name) {
  std::string buffer(kBufferSize, ' ');
  std::size_t count = read(name.section, name.key, kMissing, buffer.data(), buffer.size());
  if (count >= kBufferSize || buffer[count] != '\0') return "<no NUL after the value>";
  return buffer.substr(0, count);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a single line keeps of a value: the text before its first line break.
std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

std::vector<std::string> CheckProfileStoreSequence(const std::uint8_t* data, std::size_t size) {
  static ScratchFile scratch;
  const std::string path = scratch.path();
  ByteReader in(data, size);
  std::size_t startLength = in.Byte() | (in.Byte() << 8);
  std::string start = in.Bytes(startLength % 1024);
  std::vector<Operation> operations = DrawOperations(in);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << start;

  // The store under test in memory, the same on disk, and the plain reference model's text.
  profile::ProfileDocument document(start);
  profile::ProfileSettingsFile file(path);
  std::string reference = start;
  auto readDocument = [&document](const auto&... arguments) { return document.read(arguments...); };
  auto readReference = [&reference](const auto& section, const auto& key, const auto&... rest) {
    return reference::ReadProfileText(reference, section, key, rest...);
  };

  // Every name the sequence uses, with what the starting file gives for it.
  std::map<Identity, std::string> expected;
  std::map<Identity, Name> spelling;
  for (const auto& operation : operations) {
    Identity identity = operation.name.identity();
    if (expected.count(identity)) continue;
    expected[identity] = ReadKey(readReference, operation.name);
    spelling[identity] = operation.name;
  }

  std::vector<std::string> failures;
  auto check = [&](const auto& read, const Name& name, const std::string& when) {
    std::string seen = ReadKey(read, name);
    const std::string& wanted = expected[name.identity()];
    if (seen != wanted) {
      failures.push_back(when + ": [" + Visible(name.section) + "] " + Visible(name.key) +
                         " reads " + Visible(seen) + ", expected " + Visible(wanted));
    }
  };
  for (std::size_t i = 0; i < operations.size(); ++i) {
    const auto& operation = operations[i];
    std::string when = "step " + std::to_string(i);
    if (!operation.write) {
      check(readDocument, operation.name, when + " (read)");
      continue;
    }
    document.write(operation.name.section, operation.name.key, operation.value);
    file.writePrivateProfileString(operation.name.section, operation.name.key, operation.value);
    reference = reference::WriteProfileText(reference, operation.name.section, operation.name.key,
                                            operation.value);
    expected[operation.name.identity()] = AsRead(FirstLine(operation.value));
    if (document.text() != reference) {
      failures.push_back(when + ": the text is " + Visible(document.text()) +
                         ", the reference model's " + Visible(reference));
    }
    // Every name, written or not, still reads what the model says.
    for (const auto& [identity, name] : spelling) {
      check(readDocument, name, when + " (after the write)");
    }
  }
  // The file as saved, read from scratch: the same text, the same values; a file that did not
  // change is left alone.
  std::string failure = file.save();
  if (!failure.empty()) failures.push_back("the save failed: " + failure);
  if (FileText(path) != reference) failures.push_back("the saved file differs from the text");
  profile::ProfileDocument reread(FileText(path));
  auto readSaved = [&reread](const auto&... arguments) { return reread.read(arguments...); };
  for (const auto& [identity, name] : spelling) check(readSaved, name, "end");
  if (!failures.empty()) {
    failures.push_back("the file started as " + Visible(start) + " and is now " +
                       Visible(FileText(path)));
  }
  return failures;
}

}  // namespace loadergui::fuzzing
