// The benchmark: starts the program and the two floor programs in turn, compares their start-up
// time and memory, then watches the program's handle count over many Execute presses.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HandleCount.h"
#include "KeptFiles.h"
#include "Launch.h"
#include "Presses.h"

namespace {

using namespace bench;

// The program may take this much more than the forms floor (its two windows without its
// behaviour), in start-up time and in memory, whatever files its settings keep.
constexpr double kLargestRatio = 1.25;

// The build the harness, the program and the floors all come from: the shipped program is the
// 32-bit one, and a machine that runs no 32-bit code measures the x86_64 build instead.
constexpr const char* kBuild =
    sizeof(void*) == 4 ? "i686, as the program ships" : "x86_64, NOT the shipped 32-bit program";

struct Arguments {
  std::string program;
  std::string windowFloor;
  std::string formsFloor;
  std::string upload;
  int runs = 15;
  int presses = 300;
};

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: bench --program EXE --window-floor EXE --forms-floor EXE --upload FILE\n"
               "             [--runs N] [--presses N]\n"
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
    } else if (option == "--window-floor") {
      arguments.windowFloor = value;
    } else if (option == "--forms-floor") {
      arguments.formsFloor = value;
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
  if (arguments.program.empty() ||
      (startsWanted && (arguments.windowFloor.empty() || arguments.formsFloor.empty())) ||
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

// One program of the start-up comparison and what its starts measured.
struct Contender {
  const char* name;
  std::string executable;
  KeptFiles kept;
  std::vector<double> milliseconds;
  std::vector<double> kibibytes;
};

// False after a failed start, which it reports; an uncounted start records nothing.
bool Sample(Contender& contender, bool counted) {
  std::string failure;
  std::string uploadFile = KeepFiles(contender.executable, contender.kept, failure);
  StartResult result;
  if (failure.empty()) {
    result = MeasureStart(contender.executable, uploadFile);
  } else {
    result.failure = failure;
  }
  if (!result.failure.empty()) {
    std::printf("startup   %s: %s\n", contender.name, result.failure.c_str());
    return false;
  }
  if (counted) {
    contender.milliseconds.push_back(result.milliseconds);
    contender.kibibytes.push_back(static_cast<double>(result.peakWorkingSet) / 1024.0);
  }
  return true;
}

void PrintSpreads(const Contender& contender) {
  Spread time = SpreadOf(contender.milliseconds), memory = SpreadOf(contender.kibibytes);
  std::printf(
      "startup   %-12s median %7.1f ms (%.1f to %.1f), peak working set %7.0f KiB "
      "(%.0f to %.0f)\n",
      contender.name, time.median, time.low, time.high, memory.median, memory.low, memory.high);
}

// The program's medians against a floor's; with a target, says whether it is met.
bool PrintRatios(const Contender& program, const Contender& floor, bool targeted) {
  double timeRatio = SpreadOf(program.milliseconds).median / SpreadOf(floor.milliseconds).median;
  double memoryRatio = SpreadOf(program.kibibytes).median / SpreadOf(floor.kibibytes).median;
  bool met = timeRatio <= kLargestRatio && memoryRatio <= kLargestRatio;
  std::printf("ratio     %-12s against the %-12s start-up %.2f, working set %.2f", program.name,
              floor.name, timeRatio, memoryRatio);
  if (targeted) {
    std::printf("; target at most %.2f each: start-up %s, working set %s", kLargestRatio,
                Verdict(timeRatio <= kLargestRatio), Verdict(memoryRatio <= kLargestRatio));
  }
  std::printf("\n");
  return !targeted || met;
}

bool CompareStarts(const Arguments& arguments) {
  std::printf(
      "startup   %d starts of each, in turn, after one uncounted start of each; \"recent files\" "
      "is the program with a kept upload file and eight recent files\n",
      arguments.runs);
  std::fflush(stdout);
  // The program starts with no files kept, and with a kept upload file and eight recent files
  // that exist, as after a day's work; both against the same floors and targets.
  Contender contenders[] = {
      {"program", arguments.program, KeptFiles::None, {}, {}},
      {"recent files", arguments.program, KeptFiles::UploadAndEightRecent, {}, {}},
      {"window floor", arguments.windowFloor, KeptFiles::NoSettings, {}, {}},
      {"forms floor", arguments.formsFloor, KeptFiles::NoSettings, {}, {}}};
  constexpr int kCount = 4, kPrograms = 2;
  const Contender& windowFloor = contenders[2];
  const Contender& formsFloor = contenders[3];
  // The first start of each reads its files from disk; the counted ones find them cached.
  for (Contender& contender : contenders) {
    if (!Sample(contender, false)) return false;
  }
  for (int run = 0; run < arguments.runs; ++run) {
    // Which one goes first changes each round, so none always follows the same other.
    for (int turn = 0; turn < kCount; ++turn) {
      if (!Sample(contenders[(run + turn) % kCount], true)) return false;
    }
  }
  for (const Contender& contender : contenders) PrintSpreads(contender);
  bool met = true;
  for (int program = 0; program < kPrograms; ++program) {
    PrintRatios(contenders[program], windowFloor, false);
    met = PrintRatios(contenders[program], formsFloor, true) && met;
  }
  return met;
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
  if (!result.refusedStarts.empty()) {
    std::printf(
        "handles   %zu start(s) refused by the system, reported by the program and pressed "
        "again; the first said: %s\n",
        result.refusedStarts.size(), result.refusedStarts.front().c_str());
  }
  std::printf("handles   target unchanged: %s\n", Verdict(unchanged));
  return unchanged;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments = ReadArguments(argc, argv);
  std::printf("build     %s\n", kBuild);
  bool met = true;
  if (arguments.runs > 0) met = CompareStarts(arguments) && met;
  if (arguments.presses > 0) met = CountHandles(arguments) && met;
  std::fflush(stdout);
  return met ? 0 : 1;
}
