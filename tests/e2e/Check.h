// Steps and checks of a scenario: a failed check names the step it happened in and what it saw.
#pragma once

#include <string>

namespace e2e {

// Thrown by a failed check; the runner prints it and goes on with the next scenario.
struct Failure {
  std::string step;
  std::string seen;
};

// Names what the scenario does next, as a user would describe it.
void Step(std::string description);
const std::string& CurrentStep();

[[noreturn]] void Fail(const std::string& seen);
void Require(bool condition, const std::string& seen);
// "what: expected '...', saw '...'", with bytes a terminal cannot show written as escapes.
void RequireEqual(const std::string& what, const std::string& expected, const std::string& seen);
void RequireEqual(const std::string& what, long long expected, long long seen);

// A text with CR, LF, tabs and bytes outside printable ASCII written as \r, \n, \t and \xNN.
std::string Printable(const std::string& text);

}  // namespace e2e
