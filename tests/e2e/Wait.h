// Polling with a bounded timeout: the driver never waits by a fixed sleep.
#pragma once

#include <windows.h>

namespace e2e {

// Generous enough for a slow, shared machine; a scenario that passes never waits this long.
constexpr DWORD kPatience = 15000;
constexpr DWORD kPollInterval = 15;

// True as soon as the condition holds; false when it still does not after the timeout.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout = kPatience, DWORD interval = kPollInterval) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeout) return condition();
    Sleep(interval);
  }
}

}  // namespace e2e
