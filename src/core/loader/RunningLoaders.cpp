// The question asked before a loader starts while the same loader, started before, still runs.
#include "loader/RunningLoaders.h"

#include <algorithm>
#include <utility>

#include "app/App.h"
#include "app/Captions.h"
#include "loader/CommandLine.h"
#include "ui/Control.h"

namespace loadergui {

namespace {

std::string LoaderName(const LoaderIdentity& loader) {
  return loader.serial ? "serial loader" : "IP loader";
}

std::string StillRunningQuestion(const LoaderIdentity& loader) {
  std::string held = loader.serial ? loader.device : "the console's connection";
  return "The " + LoaderName(loader) + " started before is still running and may hold " + held +
         ". End it and start the new one?";
}

std::string NotEndedMessage(const LoaderIdentity& loader) {
  return "Sorry, the " + LoaderName(loader) +
         " started before could not be ended, so the new one was not started.";
}

bool SameText(const std::string& a, const std::string& b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return upper(x) == upper(y); });
}

}  // namespace

// The device is what the loader receives after its target option: the typed text's first
// word, or whatever follows when the text is empty, as the loader itself would read it.
LoaderIdentity IdentifyLoader(const platform::PlatformFacts& facts,
                              const platform::Command& command) {
  LoaderIdentity loader;
  const std::vector<std::string>& arguments = command.arguments;
  loader.serial = !arguments.empty() && arguments.front() == facts.serialLoader;
  if (!loader.serial) return loader;
  auto target = std::find(arguments.begin() + 1, arguments.end(), kTargetOption);
  if (target != arguments.end() && target + 1 != arguments.end()) loader.device = *(target + 1);
  return loader;
}

platform::ProcessMatch MatchOf(const LoaderIdentity& loader) {
  if (!loader.serial) return {};
  return {kTargetOption, loader.device};
}

bool RunningLoaders::sameLoader(const LoaderIdentity& a, const LoaderIdentity& b) const {
  return a.serial == b.serial &&
         (!a.serial || SameText(a.device, b.device, deviceNamesIgnoreCase_));
}

// Loaders that have ended are forgotten here, so that the list holds no more than the loaders
// that run, and the one just started.
void RunningLoaders::remember(LoaderIdentity loader,
                              std::unique_ptr<platform::StartedProcess> process) {
  started_.erase(std::remove_if(started_.begin(), started_.end(),
                                [](const Started& started) { return !started.process->running(); }),
                 started_.end());
  started_.push_back({std::move(loader), std::move(process)});
}

std::vector<std::shared_ptr<platform::StartedProcess>> RunningLoaders::stillRunning(
    const LoaderIdentity& loader) {
  std::vector<std::shared_ptr<platform::StartedProcess>> running;
  for (const Started& started : started_) {
    if (sameLoader(started.loader, loader) && started.process->running()) {
      running.push_back(started.process);
    }
  }
  return running;
}

// Yes ends every such loader (more than one runs when No was answered before), so that the new
// one finds its device free; one that will not end keeps the new one from starting, since it
// would fail on the device it cannot have. No starts alongside; Cancel starts nothing.
bool MakeWayForLoader(App& app, const platform::Command& command) {
  LoaderIdentity loader = IdentifyLoader(app.services().facts, command);
  auto running = app.runningLoaders().stillRunning(loader);
  if (running.empty()) return true;
  ui::Form& main = app.frmMain().form();
  switch (app.services().messages.ask(&main, StillRunningQuestion(loader), main.caption().text())) {
    case platform::Answer::No:
      return true;
    case platform::Answer::Cancel:
      return false;
    case platform::Answer::Yes:
      break;
  }
  bool ended = true;
  for (const auto& process : running) ended = process->end() && ended;
  if (!ended) app.services().messages.messageBox(&main, NotEndedMessage(loader), text::kOops);
  return ended;
}

}  // namespace loadergui
