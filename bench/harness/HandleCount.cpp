// The number of handles another process holds open.
#include "HandleCount.h"

#include <vector>

namespace bench {

namespace {

// The system's handle table as NtQuerySystemInformation returns it (information class 16):
// one entry per open handle of any process, with the owner's process id.
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct SystemHandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT handleValue;
  PVOID object;
  ULONG accessMask;
};

struct SystemHandleTable {
  ULONG count;
  SystemHandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

const char* method = "none";

bool CountInSystemTable(DWORD pid, DWORD& count) {
  auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return false;
  std::vector<unsigned char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    LONG status =
        query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) {
      buffer.resize(buffer.size() * 2 > needed ? buffer.size() * 2 : needed + 4096);
      continue;
    }
    if (status < 0) return false;
    break;
  }
  const auto* table = reinterpret_cast<const SystemHandleTable*>(buffer.data());
  count = 0;
  for (ULONG i = 0; i < table->count; ++i) {
    if (table->entries[i].ownerPid == pid) ++count;
  }
  return count > 0;
}

}  // namespace

bool CountProcessHandles(HANDLE process, DWORD& count) {
  // A live process always holds some handles, so 0 means the call only pretends to answer.
  if (GetProcessHandleCount(process, &count) && count > 0) {
    method = "GetProcessHandleCount";
    return true;
  }
  if (CountInSystemTable(GetProcessId(process), count)) {
    method = "the system handle table (NtQuerySystemInformation)";
    return true;
  }
  return false;
}

const char* HandleCountMethod() {
  return method;
}

}  // namespace bench
