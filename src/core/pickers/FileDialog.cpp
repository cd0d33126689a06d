// modFileDialog: the table of file-dialog uses and how each dialog's answer is read back.
#include "pickers/FileDialog.h"

#include "app/App.h"
#include "app/Captions.h"
#include "platform/Services.h"

namespace loadergui {

namespace {
const FilterPair kAllFiles{"All Files (*.*)", "*.*"};
}

const FileDialogUse kUploadFileUse{
    FileDialogKind::Open,
    DialogOwner::MainWindow,
    "Open a Dreamcast binary...",
    {{"Dreamcast binaries (*.bin, *.elf, *.srec)", "*.bin; *.elf; *.srec"}, kAllFiles},
    "",
    false};
const FileDialogUse kDownloadFileUse{
    FileDialogKind::Save, DialogOwner::MainWindow, "Save file as...", {kAllFiles}, "", false};
const FileDialogUse kBiosDumpUse{FileDialogKind::Save, DialogOwner::MainWindow, "Save file as...",
                                 {kAllFiles},          "dc_bios.bin",           false};
const FileDialogUse kFlashDumpUse{FileDialogKind::Save, DialogOwner::MainWindow, "Save file as...",
                                  {kAllFiles},          "dc_flash.bin",          false};
const FileDialogUse kIsoImageUse{FileDialogKind::Open,
                                 DialogOwner::OptionsDialog,
                                 "Select an ISO image...",
                                 {{"ISO images (*.iso)", "*.iso"}, kAllFiles},
                                 "",
                                 true};

std::string FileNameBuffer(std::string_view initialName) {
  std::string buffer(initialName);
  buffer.resize(kFileBufferSize - 1, ' ');
  buffer.push_back('\0');
  return buffer;
}

std::string FilterText(const std::vector<FilterPair>& filters) {
  std::string text;
  for (const auto& pair : filters) {
    text.append(pair.description).push_back('\0');
    text.append(pair.patterns).push_back('\0');
  }
  text.push_back('\0');
  return text;
}

std::string AnswerOf(const std::string& buffer) {
  return buffer.substr(0, buffer.find('\0'));
}

namespace {
std::string TrimSpaces(const std::string& text) {
  auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
}  // namespace

// Each use builds a fresh record and fresh buffers; nothing is remembered between uses.
std::optional<std::string> RunFileDialog(App& app, const FileDialogUse& use) {
  auto& services = app.services();
  if (use.fromProgramFolder) services.files.setCurrentDirectory(services.files.programFolder());

  platform::FileDialogRecord record;
  record.owner =
      use.owner == DialogOwner::MainWindow ? &app.frmMain().form() : &app.frmOptions().form();
  record.filter = FilterText(use.filters);
  record.filterIndex = 0;
  record.file = FileNameBuffer(use.initialName);
  record.maxFile = kFileBufferSize;
  record.fileTitle = FileNameBuffer("");
  record.maxFileTitle = kFileBufferSize;
  record.title = std::string(use.title);
  record.flags = kOfnHideReadOnly;

  bool confirmed = use.kind == FileDialogKind::Open ? services.pickers.getOpenFileName(record)
                                                    : services.pickers.getSaveFileName(record);
  if (!confirmed) {
    if (record.nameNotPassable) {
      services.messages.messageBox(record.owner, text::kNameNotPassable, text::kOops);
    }
    return std::nullopt;
  }
  return TrimSpaces(AnswerOf(record.file));
}

}  // namespace loadergui
