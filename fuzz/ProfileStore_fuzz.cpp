// libFuzzer target: the profile store against itself, under random writes and reads.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ProfileStoreChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto failures = loadergui::fuzzing::CheckProfileStoreSequence(data, size);
  if (failures.empty()) return 0;
  for (const auto& failure : failures)
    std::fprintf(stderr, "property failed: %s\n", failure.c_str());
  std::abort();
}
