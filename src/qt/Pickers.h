// The open-file, save-file and folder dialogs.
#pragma once

#include "platform/Pickers.h"

namespace loadergui::qt {

class QtPickers : public platform::Pickers {
 public:
  bool getOpenFileName(platform::FileDialogRecord& record) override;
  bool getSaveFileName(platform::FileDialogRecord& record) override;
  bool browseForFolder(platform::FolderBrowseRecord& record, std::string& pathBuffer) override;
};

}  // namespace loadergui::qt
