// The common open and save dialogs and the shell's folder browser.
#pragma once

#include "platform/Pickers.h"

namespace loadergui::win32 {

class Win32Pickers : public platform::Pickers {
 public:
  bool getOpenFileName(platform::FileDialogRecord& record) override;
  bool getSaveFileName(platform::FileDialogRecord& record) override;
  bool browseForFolder(platform::FolderBrowseRecord& record, std::string& pathBuffer) override;
};

}  // namespace loadergui::win32
