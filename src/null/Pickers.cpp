// Stand-in pickers: the answer queue plays the user, writing into the buffers as the platform's
// dialogs do.
#include "Pickers.h"

#include <cstring>

#include "OwnerName.h"

namespace loadergui::null {

// The user's answer to the dialog now open; with none left, the user cancels.
DialogAnswer NullPickers::nextAnswer() {
  if (dialogAnswers.empty()) return std::nullopt;
  DialogAnswer answer = dialogAnswers.front();
  dialogAnswers.pop_front();
  return answer;
}

bool NullPickers::answerFileDialog(DialogCall call, platform::FileDialogRecord& record) {
  dialogs.push_back({call, OwnerName(record.owner), record});
  DialogAnswer answer = nextAnswer();
  if (!answer) return false;
  if (*answer == kNotPassableAnswer) {
    record.nameNotPassable = true;
    return false;
  }
  // The dialog writes the path and its NUL over the start of the buffer; the rest stays.
  std::string written = answer->substr(0, record.maxFile - 1);
  std::memcpy(record.file.data(), written.c_str(), written.size() + 1);
  dialogs.back().record.file = record.file;
  return true;
}

bool NullPickers::getOpenFileName(platform::FileDialogRecord& record) {
  return answerFileDialog(DialogCall::Open, record);
}

bool NullPickers::getSaveFileName(platform::FileDialogRecord& record) {
  return answerFileDialog(DialogCall::Save, record);
}

bool NullPickers::browseForFolder(platform::FolderBrowseRecord& record, std::string& pathBuffer) {
  DialogSeen seen{DialogCall::Folder, OwnerName(record.owner), {}, record.flags};
  seen.record.title = record.title;
  dialogs.push_back(seen);
  DialogAnswer answer = nextAnswer();
  if (!answer) return false;
  if (*answer == kNotPassableAnswer) {
    record.nameNotPassable = true;
    return false;
  }
  std::string written = answer->substr(0, pathBuffer.size() - 1);
  std::memcpy(pathBuffer.data(), written.c_str(), written.size() + 1);
  return true;
}

}  // namespace loadergui::null
