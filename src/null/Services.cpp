// The stand-in platform's services, put together.
#include "Services.h"

#include <utility>

namespace loadergui::null {

NullServices::NullServices(std::string programFolder, std::string programBaseName,
                           const platform::PlatformFacts& facts)
    : NullFileSystem(std::move(programFolder), std::move(programBaseName)),
      NullProcesses(static_cast<NullFileSystem&>(*this)),
      NullSettingsStorage(static_cast<NullFileSystem&>(*this)),
      facts_(facts) {}

platform::Services NullServices::interfaces() {
  return {*this, *this, *this, *this, *this, *this, *this, facts_};
}

}  // namespace loadergui::null
