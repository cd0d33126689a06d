// A scenario: a name and what it does in its own fresh folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Sandbox.h"

namespace e2e {

// What every scenario may use besides its folder.
struct Environment {
  std::string probeLibrary;  // the probe library (probe/)
  std::string otherDrive;    // root of a drive other than the one holding the scenario folders
  Layout layout;             // where the program and the scenario folders come from
  std::string rootDrive;     // a drive ("R:") mapped to a folder of its own, or empty
};

struct Scenario {
  std::string name;  // also names the scenario's folder
  std::function<void(const Sandbox&, const Environment&)> run;
};

std::vector<Scenario> StartUpScenarios();
std::vector<Scenario> TransferScenarios();
std::vector<Scenario> RefusalScenarios();
std::vector<Scenario> DumpScenarios();
std::vector<Scenario> OptionsScenarios();
std::vector<Scenario> SettingsScenarios();
std::vector<Scenario> WindowScenarios();
std::vector<Scenario> PickerScenarios();
std::vector<Scenario> TipScenarios();
std::vector<Scenario> HandOffScenarios();
std::vector<Scenario> RunningLoaderScenarios();
std::vector<Scenario> RecentFileScenarios();

}  // namespace e2e
