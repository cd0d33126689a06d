// The hand-off message: a tag, the folder, the time sent and the arguments, each ended by a NUL,
// which no path or argument can hold.
#include "app/HandOffMessage.h"

#include <limits>

namespace loadergui {

namespace {

constexpr std::string_view kTag = "ravlinkgui hand-off 1";
constexpr std::size_t kMaxDigits = 10;

// Takes the next field off the front of the bytes; nothing when no NUL ends it.
std::optional<std::string_view> NextField(std::string_view& bytes) {
  std::size_t end = bytes.find('\0');
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view field = bytes.substr(0, end);
  bytes.remove_prefix(end + 1);
  return field;
}

std::optional<std::uint32_t> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > kMaxDigits) return std::nullopt;
  std::uint64_t value = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(digit - '0');
  }
  if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(value);
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
  std::optional<std::string_view> tag = NextField(bytes);
  std::optional<std::string_view> folder = NextField(bytes);
  std::optional<std::string_view> sentAt = NextField(bytes);
  if (!tag || *tag != kTag || !folder || folder->empty() || !sentAt) return std::nullopt;
  std::optional<std::uint32_t> time = Number(*sentAt);
  if (!time) return std::nullopt;
  HandOffMessage message{std::string(*folder), *time, {}};
  while (!bytes.empty()) {
    std::optional<std::string_view> argument = NextField(bytes);
    if (!argument) return std::nullopt;  // the last field must be ended too
    message.arguments.emplace_back(*argument);
  }
  return message;
}

// The age is taken modulo 2^32, which stays right across the tick count's wrap; a message sent
// "after" it arrived comes out some 49 days old and is refused as well.
bool IsFresh(const HandOffMessage& message, std::uint32_t now) {
  std::uint32_t age = now - message.sentAt;
  return age <= kHandOffFreshMs;
}

}  // namespace loadergui
