// The number of handles another process holds open.
#pragma once

#include <windows.h>

namespace bench {

// GetProcessHandleCount where it answers; Wine answers 0 for every process, so there the
// handles are counted in the system's handle table instead. False when neither way works.
bool CountProcessHandles(HANDLE process, DWORD& count);
// Which of the two ways the last successful count took.
const char* HandleCountMethod();

}  // namespace bench
