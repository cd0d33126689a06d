// Steps and checks of a scenario.
#include "Check.h"

#include <cstdio>
#include <utility>

namespace e2e {

namespace {
std::string currentStep;
}

void Step(std::string description) {
  currentStep = std::move(description);
}

const std::string& CurrentStep() {
  return currentStep;
}

void Fail(const std::string& seen) {
  throw Failure{currentStep, seen};
}

void Require(bool condition, const std::string& seen) {
  if (!condition) Fail(seen);
}

void RequireEqual(const std::string& what, const std::string& expected, const std::string& seen) {
  if (expected != seen) {
    Fail(what + ": expected '" + Printable(expected) + "', saw '" + Printable(seen) + "'");
  }
}

void RequireEqual(const std::string& what, long long expected, long long seen) {
  if (expected != seen) {
    Fail(what + ": expected " + std::to_string(expected) + ", saw " + std::to_string(seen));
  }
}

std::string Printable(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      shown += escape;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown;
}

}  // namespace e2e
