// The Linux program's platform services, put together.
#include "Services.h"

#include <utility>

namespace loadergui::qt {

QtServices::QtServices() : QtProcesses(static_cast<QtFileSystem&>(*this)) {}

QtServices::QtServices(std::string programFolder, std::string programBaseName,
                       std::vector<std::string> terminalFolders, std::string devices)
    : QtFileSystem(std::move(programFolder), std::move(programBaseName)),
      QtProcesses(static_cast<QtFileSystem&>(*this), std::move(terminalFolders)),
      QtSerialPorts(std::move(devices)) {}

platform::Services QtServices::interfaces() {
  return {*this, *this, *this, *this, *this, *this, *this, platform::kLinuxFacts};
}

}  // namespace loadergui::qt
