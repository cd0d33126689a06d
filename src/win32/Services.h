// The platform services of the Windows program: one object that is every one of them.
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

namespace loadergui::win32 {

// The file system comes first: the process start finds the program folder through it.
class Win32Services : public Win32FileSystem,
                      public Win32Messages,
                      public Win32Pickers,
                      public Win32Processes,
                      public Win32SerialPorts,
                      public Win32SettingsStorage,
                      public Win32Clipboard {
 public:
  // The program folder and base name come from the running executable.
  Win32Services();
  // For tests: the program folder and base name are the ones given, not the executable's.
  Win32Services(std::string programFolder, std::string programBaseName);

  // The services as the program takes them: every one of them is this object.
  platform::Services interfaces();
};

}  // namespace loadergui::win32
