// Everything the program needs of the platform it runs on: one implementation per concern,
// which a front end provides together.
#pragma once

#include "platform/Clipboard.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Pickers.h"
#include "platform/PlatformFacts.h"
#include "platform/Processes.h"
#include "platform/SerialPorts.h"
#include "platform/SettingsStorage.h"

namespace loadergui::platform {

// The implementations live as long as the program that uses them.
struct Services {
  Messages& messages;
  Pickers& pickers;
  Processes& processes;
  FileSystem& files;
  SerialPorts& serialPorts;
  SettingsStorage& settings;
  Clipboard& clipboard;
  // The platform's tool names, required files, paths and serial devices; the Windows program's
  // unless the front end names its own platform's table.
  const PlatformFacts& facts = kWindowsFacts;
};

}  // namespace loadergui::platform
