// The end-to-end driver: runs every scenario against the real program, one fresh folder each,
// and prints one line per scenario and a closing count.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Check.h"
#include "Files.h"
#include "Scenario.h"

namespace {

using namespace e2e;

struct Arguments {
  Layout layout;
  std::vector<std::string> only;  // run only scenarios whose name holds one of these
  bool keep = false;              // keep every scenario folder, not only those that failed
  std::string rootDrive;          // a drive letter mapped to an empty folder of its own ("R:")
};

std::string DriverFolder() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return FolderOf(path);
}

Arguments ReadArguments(int argc, char** argv) {
  Arguments arguments;
  arguments.layout.payload = DriverFolder() + "\\payload";
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  arguments.layout.workRoot = std::string(temp) + "ravlink-e2e";
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    bool hasValue = i + 1 < argc;
    if (option == "--payload" && hasValue) {
      arguments.layout.payload = argv[++i];
    } else if (option == "--work" && hasValue) {
      arguments.layout.workRoot = argv[++i];
    } else if (option == "--only" && hasValue) {
      arguments.only.push_back(argv[++i]);
    } else if (option == "--keep") {
      arguments.keep = true;
    } else if (option == "--root-drive" && hasValue) {
      arguments.rootDrive = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: e2e_driver [--payload DIR] [--work DIR] [--only TEXT]... "
                   "[--keep] [--root-drive R:]\n");
      std::exit(2);
    }
  }
  while (!arguments.layout.workRoot.empty() && arguments.layout.workRoot.back() == '\\') {
    arguments.layout.workRoot.pop_back();
  }
  return arguments;
}

// The root of another drive than the one the scenario folders are on, for a start from there.
std::string OtherDrive(const std::string& workRoot) {
  DWORD drives = GetLogicalDrives();
  for (char letter = 'C'; letter <= 'Z'; ++letter) {
    if (!(drives & (1u << (letter - 'A')))) continue;
    if (!workRoot.empty() && (workRoot[0] & ~0x20) == letter) continue;
    std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED && FolderExists(root)) return root;
  }
  return {};
}

bool Selected(const Arguments& arguments, const std::string& name) {
  if (arguments.only.empty()) return true;
  for (const std::string& text : arguments.only) {
    if (name.find(text) != std::string::npos) return true;
  }
  return false;
}

std::vector<Scenario> AllScenarios() {
  std::vector<Scenario> all;
  for (auto group : {StartUpScenarios, WindowScenarios, TransferScenarios, RefusalScenarios,
                     DumpScenarios, PickerScenarios, OptionsScenarios, SettingsScenarios,
                     TipScenarios, HandOffScenarios, RunningLoaderScenarios, RecentFileScenarios}) {
    for (Scenario& scenario : group()) all.push_back(std::move(scenario));
  }
  return all;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments = ReadArguments(argc, argv);
  Environment environment{DriverFolder() + "\\e2e_probe.dll", OtherDrive(arguments.layout.workRoot),
                          arguments.layout, arguments.rootDrive};
  MakeFolder(arguments.layout.workRoot);
  std::printf("e2e: program from %s, scenario folders in %s\n", arguments.layout.payload.c_str(),
              arguments.layout.workRoot.c_str());
  std::fflush(stdout);

  int passed = 0, failed = 0, number = 0;
  for (const Scenario& scenario : AllScenarios()) {
    ++number;
    if (!Selected(arguments, scenario.name)) continue;
    DWORD started = GetTickCount();
    std::string failure;
    try {
      Step("lay out the scenario's folder");
      Sandbox box(arguments.layout, number, scenario.name);
      try {
        scenario.run(box, environment);
      } catch (const Failure& seen) {
        failure = "step '" + seen.step + "': " + seen.seen;
      }
      box.finish(arguments.keep || !failure.empty());
    } catch (const Failure& seen) {
      failure = "step '" + seen.step + "': " + seen.seen;
    } catch (const std::exception& error) {
      failure = "step '" + CurrentStep() + "': " + error.what();
    }
    double seconds = (GetTickCount() - started) / 1000.0;
    if (failure.empty()) {
      ++passed;
      std::printf("PASS %s (%.1f s)\n", scenario.name.c_str(), seconds);
    } else {
      ++failed;
      std::printf("FAIL %s (%.1f s): %s\n", scenario.name.c_str(), seconds, failure.c_str());
    }
    std::fflush(stdout);
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 && passed > 0 ? 0 : 1;
}
