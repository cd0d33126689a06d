// The hand-off message: a tag, the folder, the time sent and the arguments, each ended by a NUL,
// which no path or argument can hold.
#include "app/HandOffMessage.h"

#include <chrono>

namespace loadergui {

namespace {

constexpr std::string_view kTag = "ravlinkgui hand-off 1";
constexpr std::size_t kMaxDigits = 19;

std::vector<std::string_view> Fields(std::string_view bytes) {
  std::vector<std::string_view> fields;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\0');
    if (end == std::string_view::npos) return {};  // the last field must be ended too
    fields.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
  }
  return fields;
}

std::optional<std::uint64_t> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > kMaxDigits) return std::nullopt;
  std::uint64_t value = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(digit - '0');
  }
  return value;
}

}  // namespace

std::string EncodeHandOff(const HandOffMessage& message) {
  std::string bytes(kTag);
  bytes.push_back('\0');
  bytes.append(message.folder).push_back('\0');
  bytes.append(std::to_string(message.sentAt)).push_back('\0');
  for (const std::string& argument : message.arguments) bytes.append(argument).push_back('\0');
  return bytes;
}

std::optional<HandOffMessage> DecodeHandOff(std::string_view bytes) {
  if (bytes.size() > kHandOffMaxBytes) return std::nullopt;
  std::vector<std::string_view> fields = Fields(bytes);
  if (fields.size() < 3 || fields[0] != kTag || fields[1].empty()) return std::nullopt;
  std::optional<std::uint64_t> sentAt = Number(fields[2]);
  if (!sentAt) return std::nullopt;
  HandOffMessage message;
  message.folder = std::string(fields[1]);
  message.sentAt = *sentAt;
  for (std::size_t i = 3; i < fields.size(); ++i) message.arguments.emplace_back(fields[i]);
  return message;
}

std::uint64_t MonotonicMilliseconds() {
  auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

// A message from the future comes from a clock that is not this one's: it is refused as well.
bool IsFresh(const HandOffMessage& message, std::uint64_t now) {
  return message.sentAt <= now && now - message.sentAt <= kHandOffFreshMs;
}

}  // namespace loadergui
