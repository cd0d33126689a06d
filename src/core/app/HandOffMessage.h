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
  // When the sender sent it: the machine's millisecond tick count since it started, which every
  // process reads alike and which wraps around after some 49 days.
  std::uint32_t sentAt = 0;
  // The sender's arguments as ReadProgramArguments takes them: file names already absolute.
  std::vector<std::string> arguments;
};

// How long a second start waits for the running program's answer before it opens a window of
// its own; the running program turns away a message older than kHandOffFreshMs, so that a
// message it reaches only after the sender has given up is not followed twice.
inline constexpr std::uint32_t kHandOffAnswerMs = 8000;
inline constexpr std::uint32_t kHandOffFreshMs = 4000;
// A message longer than this is no hand-off of this program's.
inline constexpr std::size_t kHandOffMaxBytes = 1 << 20;

std::string EncodeHandOff(const HandOffMessage& message);
// Nothing when the bytes are not a whole hand-off message of this program.
std::optional<HandOffMessage> DecodeHandOff(std::string_view bytes);

// Whether the message, received at the tick count `now`, is still one its sender waits for.
bool IsFresh(const HandOffMessage& message, std::uint32_t now);

}  // namespace loadergui
