// modBrowseFolder: the folder browser owned by the options dialog.
#include "pickers/BrowseFolder.h"

#include "app/App.h"
#include "app/Captions.h"
#include "pickers/FileDialog.h"
#include "platform/Services.h"

namespace loadergui {

std::optional<std::string> BrowseForChrootFolder(App& app) {
  platform::FolderBrowseRecord record;
  record.owner = &app.frmOptions().form();
  record.title = "Select a Chroot folder...";
  record.flags = kBifReturnOnlyFsDirs;
  std::string buffer(kFolderBufferSize, ' ');
  if (!app.services().pickers.browseForFolder(record, buffer)) {
    if (record.nameNotPassable) {
      app.services().messages.messageBox(record.owner, text::kNameNotPassable, text::kOops);
    }
    return std::nullopt;
  }
  return AnswerOf(buffer);
}

}  // namespace loadergui
