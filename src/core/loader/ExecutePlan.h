// What a press of the Execute button would do with the inputs as they stand.
#pragma once

#include <optional>
#include <string>

#include "platform/Command.h"

namespace loadergui {

class App;

struct ExecutePlan {
  enum class Outcome {
    Nothing,  // the download family without the Download check mark
    Refused,  // an input is refused, or the loader could not be started: the message below
    Start     // the ARP step, when there is one, then the loader
  };
  Outcome outcome = Outcome::Nothing;
  std::string refusal;
  std::optional<platform::Command> arp;  // when the ARP step runs
  platform::Command loader;
};

ExecutePlan PlanExecute(App& app);

}  // namespace loadergui
