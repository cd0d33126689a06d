// The platform services of the Linux program: one object that is every one of them.
#pragma once

#include <string>
#include <vector>

#include "Clipboard.h"
#include "FileSystem.h"
#include "Messages.h"
#include "Pickers.h"
#include "Processes.h"
#include "SerialPorts.h"
#include "SettingsStorage.h"
#include "platform/Services.h"

namespace loadergui::qt {

// The file system comes first: the process start finds the program folder through it.
class QtServices : public QtFileSystem,
                   public QtMessages,
                   public QtPickers,
                   public QtProcesses,
                   public QtSerialPorts,
                   public QtSettingsStorage,
                   public QtClipboard {
 public:
  // The program folder and base name come from the running executable.
  QtServices();
  // For tests: the program's folder and base name, the folders a terminal is looked for in and
  // the folder of the device files are the ones given.
  QtServices(std::string programFolder, std::string programBaseName,
             std::vector<std::string> terminalFolders, std::string devices);

  // The services as the program takes them, with the Linux program's facts.
  platform::Services interfaces();
};

}  // namespace loadergui::qt
