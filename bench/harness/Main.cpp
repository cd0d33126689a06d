// The benchmark: starts the program and the floor program alternately, compares their start-up
// time and memory, then watches the program's handle count over many Execute presses.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HandleCount.h"
#include "Launch.h"
#include "Presses.h"

namespace {

using namespace bench;

// The program may take this much more than the floor, in start-up time and in memory.
constexpr double kLargestRatio = 1.25;

struct Arguments {
  std::string program;
  std::string floor;
  std::string upload;
  int runs = 15;
  int presses = 300;
};

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: bench --program EXE --floor EXE --upload FILE [--runs N] [--presses N]\n"
               "  --runs 0 leaves out the start-up comparison, --presses 0 the handle count\n");
  std::exit(2);
}

Arguments ReadArguments(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (i + 1 >= argc) Usage();
    std::string value = argv[++i];
    if (option == "--program") {
      arguments.program = value;
    } else if (option == "--floor") {
      arguments.floor = value;
    } else if (option == "--upload") {
      arguments.upload = value;
    } else if (option == "--runs") {
      arguments.runs = std::atoi(value.c_str());
    } else if (option == "--presses") {
      arguments.presses = std::atoi(value.c_str());
    } else {
      Usage();
    }
  }
  bool startsWanted = arguments.runs > 0, pressesWanted = arguments.presses > 0;
  if (arguments.program.empty() || (startsWanted && arguments.floor.empty()) ||
      (pressesWanted && arguments.upload.empty()) || arguments.runs < 0 || arguments.presses < 0) {
    Usage();
  }
  return arguments;
}

struct Spread {
  double median, low, high;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  double median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  return {median, values.front(), values.back()};
}

const char* Verdict(bool met) {
  return met ? "met" : "MISSED";
}

struct Samples {
  std::vector<double> milliseconds;
  std::vector<double> kibibytes;
};

// False after a failed start, which it reports.
bool Sample(const char* who, const std::string& executable, Samples* samples) {
  StartResult result = MeasureStart(executable);
  if (!result.failure.empty()) {
    std::printf("startup   %s: %s\n", who, result.failure.c_str());
    return false;
  }
  if (samples) {
    samples->milliseconds.push_back(result.milliseconds);
    samples->kibibytes.push_back(static_cast<double>(result.peakWorkingSet) / 1024.0);
  }
  return true;
}

bool CompareStarts(const Arguments& arguments) {
  std::printf("startup   %d starts of each, alternating, after one uncounted start of each\n",
              arguments.runs);
  std::fflush(stdout);
  // The first start of each reads its files from disk; the counted ones find them cached.
  if (!Sample("program", arguments.program, nullptr) ||
      !Sample("floor", arguments.floor, nullptr)) {
    return false;
  }
  Samples program, floor;
  for (int run = 0; run < arguments.runs; ++run) {
    // Which of the two goes first changes each round, so neither always follows the other.
    bool programFirst = run % 2 == 0;
    bool ok = programFirst ? Sample("program", arguments.program, &program) &&
                                 Sample("floor", arguments.floor, &floor)
                           : Sample("floor", arguments.floor, &floor) &&
                                 Sample("program", arguments.program, &program);
    if (!ok) return false;
  }
  Spread programTime = SpreadOf(program.milliseconds), floorTime = SpreadOf(floor.milliseconds);
  Spread programMemory = SpreadOf(program.kibibytes), floorMemory = SpreadOf(floor.kibibytes);
  double timeRatio = programTime.median / floorTime.median;
  double memoryRatio = programMemory.median / floorMemory.median;
  std::printf("startup   program: median %7.1f ms (%.1f to %.1f)\n", programTime.median,
              programTime.low, programTime.high);
  std::printf("startup   floor:   median %7.1f ms (%.1f to %.1f)\n", floorTime.median,
              floorTime.low, floorTime.high);
  std::printf("startup   ratio %.2f, target at most %.2f: %s\n", timeRatio, kLargestRatio,
              Verdict(timeRatio <= kLargestRatio));
  std::printf("memory    program: median peak working set %7.0f KiB (%.0f to %.0f)\n",
              programMemory.median, programMemory.low, programMemory.high);
  std::printf("memory    floor:   median peak working set %7.0f KiB (%.0f to %.0f)\n",
              floorMemory.median, floorMemory.low, floorMemory.high);
  std::printf("memory    ratio %.2f, target at most %.2f: %s\n", memoryRatio, kLargestRatio,
              Verdict(memoryRatio <= kLargestRatio));
  return timeRatio <= kLargestRatio && memoryRatio <= kLargestRatio;
}

bool CountHandles(const Arguments& arguments) {
  std::printf("handles   %d Execute presses in Upload mode, each loader run waited for\n",
              arguments.presses);
  std::fflush(stdout);
  PressResult result = MeasureHandles(arguments.program, arguments.upload, arguments.presses);
  if (!result.failure.empty()) {
    std::printf("handles   failed: %s\n", result.failure.c_str());
    return false;
  }
  bool unchanged = result.after == result.before;
  std::printf(
      "handles   before %lu, after the first press %lu, after %d presses %lu "
      "(%d loader runs ended)\n",
      static_cast<unsigned long>(result.before), static_cast<unsigned long>(result.afterFirst),
      arguments.presses, static_cast<unsigned long>(result.after), result.loaderRuns);
  std::printf("handles   counted through %s\n", HandleCountMethod());
  std::printf("handles   target unchanged: %s\n", Verdict(unchanged));
  return unchanged;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments = ReadArguments(argc, argv);
  bool met = true;
  if (arguments.runs > 0) met = CompareStarts(arguments) && met;
  if (arguments.presses > 0) met = CountHandles(arguments) && met;
  std::fflush(stdout);
  return met ? 0 : 1;
}
