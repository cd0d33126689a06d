// Stand-in file and folder dialogs: each records what it was given and takes the next answer.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Pickers.h"

namespace loadergui::null {

enum class DialogCall { Open, Save, Folder };

struct DialogSeen {
  DialogCall call;
  std::string owner;
  platform::FileDialogRecord record;  // for the folder browser: owner, title and flags only
  unsigned folderFlags = 0;
};

// How the user answers the next dialog: a path to confirm, or nothing to cancel.
using DialogAnswer = std::optional<std::string>;
// An answer that stands for a path the system's 8-bit code page cannot hold: the dialog
// returns as cancelled, with the record's nameNotPassable set.
inline const std::string kNotPassableAnswer = "\x01not passable";

class NullPickers : public platform::Pickers {
 public:
  bool getOpenFileName(platform::FileDialogRecord& record) override;
  bool getSaveFileName(platform::FileDialogRecord& record) override;
  bool browseForFolder(platform::FolderBrowseRecord& record, std::string& pathBuffer) override;

  std::vector<DialogSeen> dialogs;
  std::deque<DialogAnswer> dialogAnswers;  // an empty queue cancels

 private:
  DialogAnswer nextAnswer();
  bool answerFileDialog(DialogCall call, platform::FileDialogRecord& record);
};

}  // namespace loadergui::null
