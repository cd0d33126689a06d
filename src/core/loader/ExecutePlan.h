// What a press of the Execute button would do with the inputs as they stand.
#pragma once

#include <string>

namespace loadergui {

class App;

struct ExecutePlan {
  enum class Outcome {
    Nothing,  // the download family without the Download check mark
    Refused,  // an input is refused with the message below
    Start     // the ARP step, when there is one, then the loader
  };
  Outcome outcome = Outcome::Nothing;
  std::string refusal;
  std::string arpCommand;  // empty when no ARP step runs
  std::string loaderCommand;
};

ExecutePlan PlanExecute(App& app);

}  // namespace loadergui
