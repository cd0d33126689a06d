// The loaders this program started: a start of the same loader while one of them still runs
// asks first whether to end it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Command.h"
#include "platform/PlatformFacts.h"
#include "platform/Processes.h"

namespace loadergui {

class App;

// A loader as far as two of them get in each other's way: the serial loader holds its device,
// the IP loader the console's connection whatever address it is given.
struct LoaderIdentity {
  bool serial = true;
  std::string device;  // the serial loader's target argument, as given
};

LoaderIdentity IdentifyLoader(const platform::PlatformFacts& facts,
                              const platform::Command& command);
// How the platform is to find such a loader among the processes that run.
platform::ProcessMatch MatchOf(const LoaderIdentity& loader);

class RunningLoaders {
 public:
  // Device names are compared as the platform's serial port names are (COM1 is com1 on
  // Windows).
  explicit RunningLoaders(bool deviceNamesIgnoreCase)
      : deviceNamesIgnoreCase_(deviceNamesIgnoreCase) {}

  void remember(LoaderIdentity loader, std::unique_ptr<platform::StartedProcess> process);
  // The remembered loaders of that identity that still run.
  std::vector<std::shared_ptr<platform::StartedProcess>> stillRunning(const LoaderIdentity& loader);
  // How many started loaders are remembered, ended or not; for the tests.
  std::size_t remembered() const { return started_.size(); }

 private:
  struct Started {
    LoaderIdentity loader;
    std::shared_ptr<platform::StartedProcess> process;
  };
  bool sameLoader(const LoaderIdentity& a, const LoaderIdentity& b) const;

  bool deviceNamesIgnoreCase_;
  std::vector<Started> started_;
};

// Before a loader starts: when one of the same identity that this program started still runs,
// asks whether to end it. False when nothing is to start: the user cancelled, or the loader
// would not end (which is said).
bool MakeWayForLoader(App& app, const platform::Command& loader);

}  // namespace loadergui
