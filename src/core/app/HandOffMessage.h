// What a second start of the program hands to the one already running from its folder: the
// same bytes on every platform, whatever carries them there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace loadergui {

struct HandOffMessage {
  // The sender's program folder as its platform identifies it: a program takes only messages
  // from a start of its own folder.
  std::string folder;
  // MonotonicMilliseconds() of the sender when it sent the message.
  std::uint64_t sentAt = 0;
  // The sender's arguments as ReadProgramArguments takes them: file names already absolute.
  std::vector<std::string> arguments;
};

// How long a second start waits for the running program's answer before it opens a window of
// its own; the running program turns away a message older than kHandOffFreshMs, so that a
// message it reaches only after the sender has given up is not followed twice.
inline constexpr std::uint64_t kHandOffAnswerMs = 8000;
inline constexpr std::uint64_t kHandOffFreshMs = 4000;
// A message longer than this is no hand-off of this program's.
inline constexpr std::size_t kHandOffMaxBytes = 1 << 20;

std::string EncodeHandOff(const HandOffMessage& message);
// Nothing when the bytes are not a whole hand-off message of this program.
std::optional<HandOffMessage> DecodeHandOff(std::string_view bytes);

// A clock that every process of the machine reads alike and that never goes back.
std::uint64_t MonotonicMilliseconds();
// Whether the message, received at `now`, is still one its sender waits for.
bool IsFresh(const HandOffMessage& message, std::uint64_t now);

}  // namespace loadergui
