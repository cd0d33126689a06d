// Checks of a command line against the arguments a Windows loader must receive from it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CygwinReader.h"

namespace loadergui::cygwin {

// Both kinds of Cygwin reader, the byte reader and the wide one, take the line as exactly these
// arguments, each of them as it stands.
inline ::testing::AssertionResult LoadersRead(const std::string& line,
                                              const std::vector<std::string>& arguments,
                                              const LeadBytes& leadBytes = {}) {
  for (Reader reader : {Reader::Bytes, Reader::Wide}) {
    const char* name = reader == Reader::Bytes ? "byte" : "wide";
    Reading reading = ReadCommandLine(line, reader, leadBytes);
    if (reading.verdict != Verdict::Whole) {
      return ::testing::AssertionFailure() << "the " << name << " reader finds [" << line << "] "
                                           << VerdictName(reading.verdict) << ": " << reading.why;
    }
    if (reading.arguments != arguments) {
      auto failure = ::testing::AssertionFailure();
      failure << "the " << name << " reader reads [" << line << "] as";
      for (const std::string& argument : reading.arguments) failure << " [" << argument << "]";
      return failure;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace loadergui::cygwin
