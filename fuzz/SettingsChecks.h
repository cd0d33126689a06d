// Properties that must hold for any settings file: start-up, every press, and save-load passes.
#pragma once

#include <string>
#include <vector>

namespace loadergui::fuzzing {

// Starts the whole program headless (stand-in controls and platform, a scratch program folder)
// on a settings file with the given bytes, then:
// - every value read back through the profile store is at most 254 characters, and the loaded
//   controls hold what the load sequence can produce;
// - in both loader variants and all three transfer modes it presses Execute, and presses both
//   dumps, once with a code page of one byte per character and once with code page 932: a
//   press with a reason to refuse (no download file, the size 0x0, a typed value a loader would
//   not take as typed, a path no form brings to the loaders whole) shows one message and starts
//   nothing; any other press starts the ARP step when due and the loader, each with exactly the
//   arguments its values dictate, built apart from the program's own code: in the argument
//   list the Linux program starts it with, and in its Windows command line as both kinds of
//   Windows loader read it (tests/support/CygwinReader.h);
// - it saves and loads again until the values stop changing, checking that no pass lengthens a
//   text value, that a text without surrounding blanks or enclosing quotes is kept exactly, and
//   that every other value is kept.
// The file may carry a section [FUZZ] that the program ignores: its DOWNLOAD and DUMP keys give
// the download file box text and the save dialog's answer for the dumps.
// Returns one line for each property that failed; empty when all hold.
std::vector<std::string> CheckSettingsFile(const std::string& content);

}  // namespace loadergui::fuzzing
