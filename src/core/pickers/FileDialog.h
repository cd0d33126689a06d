// modFileDialog: the open and save dialogs as the program uses them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace loadergui {

class App;

enum class FileDialogKind { Open, Save };
enum class DialogOwner { MainWindow, OptionsDialog };

struct FilterPair {
  std::string_view description;
  std::string_view patterns;
};

// One row of the table of uses.
struct FileDialogUse {
  FileDialogKind kind;
  DialogOwner owner;
  std::string_view title;
  std::vector<FilterPair> filters;
  std::string_view initialName;
  bool fromProgramFolder;  // make the program's folder current before the dialog opens
};

extern const FileDialogUse kUploadFileUse;
extern const FileDialogUse kDownloadFileUse;
extern const FileDialogUse kBiosDumpUse;
extern const FileDialogUse kFlashDumpUse;
extern const FileDialogUse kIsoImageUse;

inline constexpr unsigned kOfnHideReadOnly = 4;
inline constexpr std::size_t kFileBufferSize = 255;

// The file-name buffer: the initial name padded with spaces to 254 characters, then a NUL.
std::string FileNameBuffer(std::string_view initialName);
// Description, NUL, patterns, NUL for each pair, and a further NUL at the end.
std::string FilterText(const std::vector<FilterPair>& filters);
// The buffer's content up to its first NUL.
std::string AnswerOf(const std::string& buffer);

// Runs one use; the chosen path, trimmed of spaces at both ends, or nothing when the dialog
// returned zero.
std::optional<std::string> RunFileDialog(App& app, const FileDialogUse& use);

}  // namespace loadergui
