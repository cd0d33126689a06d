// How a Cygwin program started from Windows builds its argv from its command line, for tests to
// read the lines the program hands the loaders. It never touches the disk: a word whose result
// would depend on it (a wildcard, ~, @file) is reported, not expanded.
#pragma once

#include <bitset>
#include <string>
#include <vector>

namespace loadergui::cygwin {

// The bytes that begin a two-byte character in the code page the line is written in; none for
// a code page of one byte per character.
using LeadBytes = std::bitset<256>;

// Code page 932 (Japanese): lead bytes 0x81-0x9F and 0xE0-0xFC.
LeadBytes CodePage932();

enum class Reader {
  Bytes,  // the early runtimes: every byte is a character, a second byte 0x5C a backslash
  Wide    // the later ones: they see the characters of the line, not their bytes
};

enum class Verdict {
  Whole,        // every argument is exactly what the line says it is
  WouldChange,  // a word would be expanded or replaced, depending on the disk or the home folder
  Undefined     // the line relies on something whose meaning is not known
};

struct Reading {
  Verdict verdict = Verdict::Whole;
  // The program's name first; each argument in the code page's bytes. A word that would change
  // is given as written, without its quotes.
  std::vector<std::string> arguments;
  // Why the verdict is not Whole: the first word at fault and what is wrong with it.
  std::string why;
};

Reading ReadCommandLine(const std::string& line, Reader reader, const LeadBytes& leadBytes);

const char* VerdictName(Verdict verdict);

}  // namespace loadergui::cygwin
