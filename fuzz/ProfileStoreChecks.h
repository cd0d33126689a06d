// Properties of the profile store under any sequence of writes and reads on any starting file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace loadergui::fuzzing {

// Decodes the bytes into a starting file and a sequence of writes and reads, runs them through
// the store's file functions on a scratch file, and checks that a key written earlier always
// reads back as written (less the blanks and one pair of quotes that every read takes away),
// that a key never written keeps the value it had in the starting file, and that the final
// file reads back the same values from scratch.
//
// Names and values are drawn only from what a line of a profile file can carry: no line feed
// anywhere (it would end the line), no "=" in a key (the first one ends the key), and no key
// that starts with "[" (its line could read as a section header). The program itself writes
// fixed names and single-line texts only; the platform's profile functions share these limits.
// Returns one line for each property that failed; empty when all hold.
std::vector<std::string> CheckProfileStoreSequence(const std::uint8_t* data, std::size_t size);

}  // namespace loadergui::fuzzing
