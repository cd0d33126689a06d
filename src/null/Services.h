// The stand-in platform: every platform service in one object, over a real folder on disk, with
// a record of everything a user would see.
#pragma once

#include <string>

#include "Clipboard.h"
#include "FileSystem.h"
#include "Messages.h"
#include "Pickers.h"
#include "Processes.h"
#include "SerialPorts.h"
#include "SettingsStorage.h"
#include "platform/Services.h"

namespace loadergui::null {

// One object, so that a test reads every record (messages, dialogs, processes, ...) and sets
// every answer in one place. The file system comes first: the others use it.
class NullServices : public NullFileSystem,
                     public NullMessages,
                     public NullPickers,
                     public NullProcesses,
                     public NullSerialPorts,
                     public NullSettingsStorage,
                     public NullClipboard {
 public:
  // programFolder is a folder on the machine that stands for the program's folder; facts is
  // the platform the program is run as (the Windows program's unless a test says otherwise).
  NullServices(std::string programFolder, std::string programBaseName,
               const platform::PlatformFacts& facts = platform::kWindowsFacts);

  // The services as the program takes them: every one of them is this object.
  platform::Services interfaces();

 private:
  const platform::PlatformFacts& facts_;
};

}  // namespace loadergui::null
