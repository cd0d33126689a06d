// What the stand-in tools of every platform share: the files that steer them and the dump file
// a download writes.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace loadergui::standin {

// Files in the tool's own folder through which the tests watch and steer the tools.
constexpr const char* kLogFileName = "standin-calls.log";
constexpr const char* kSleepFileName = "standin-sleep-ms.txt";
constexpr unsigned long kLongestSleepMs = 120000;
constexpr unsigned long long kLargestDump = 4ull * 1024 * 1024;

// Milliseconds to stay alive, from the sleep file at that path; 0 when there is none.
inline unsigned long SleepMilliseconds(const std::string& sleepFile) {
  std::FILE* file = std::fopen(sleepFile.c_str(), "r");
  if (!file) return 0;
  unsigned long milliseconds = 0;
  if (std::fscanf(file, "%lu", &milliseconds) != 1) milliseconds = 0;
  std::fclose(file);
  return milliseconds < kLongestSleepMs ? milliseconds : kLongestSleepMs;
}

// The value after an option letter such as "-s", or nullptr when the option is absent.
inline const std::string* OptionValue(const std::vector<std::string>& arguments,
                                      const std::string& option) {
  for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == option) return &arguments[i + 1];
  }
  return nullptr;
}

// A size in hexadecimal with "0x" or in decimal; false for anything else.
inline bool ParseSize(const std::string& text, unsigned long long& size) {
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = text.c_str() + (hex ? 2 : 0);
  if (*digits == '\0' || *digits == '-' || *digits == '+' || *digits == ' ') return false;
  char* end = nullptr;
  size = std::strtoull(digits, &end, hex ? 16 : 10);
  return *end == '\0';
}

// A download ("-s SIZE -d FILE") writes FILE with SIZE bytes, as the console's memory would.
inline void WriteDump(const std::vector<std::string>& arguments) {
  const std::string* sizeText = OptionValue(arguments, "-s");
  const std::string* target = OptionValue(arguments, "-d");
  if (!sizeText || !target) return;
  unsigned long long size = 0;
  if (!ParseSize(*sizeText, size)) {
    std::printf("not a size: %s\n", sizeText->c_str());
    return;
  }
  if (size > kLargestDump) size = kLargestDump;
  std::FILE* file = std::fopen(target->c_str(), "wb");
  if (!file) {
    std::printf("cannot write %s\n", target->c_str());
    return;
  }
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i);
  std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  std::printf("wrote %zu bytes to %s\n", written, target->c_str());
}

}  // namespace loadergui::standin
