// libFuzzer target: any bytes as the settings file, through start-up, every press and save-load.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "SettingsChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string content(reinterpret_cast<const char*>(data), size);
  auto failures = loadergui::fuzzing::CheckSettingsFile(content);
  if (failures.empty()) return 0;
  for (const auto& failure : failures)
    std::fprintf(stderr, "property failed: %s\n", failure.c_str());
  std::abort();
}
