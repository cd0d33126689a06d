// Fixed captions and texts that more than one module compares or sets.
#pragma once

namespace loadergui::text {

inline constexpr const char* kModeUpload = "&Upload";
inline constexpr const char* kModeUploadExecute = "Upload and &Execute";
inline constexpr const char* kModeDownload = "&Download";
inline constexpr const char* kBrowse = "&Browse";
inline constexpr const char* kSave = "&Save";
inline constexpr const char* kSerialMainCaption = "Ravlink Serial GUI 2.0";
inline constexpr const char* kUploadFileLabel = "Select a file to upload";
inline constexpr const char* kOops = "Oops!";
inline constexpr const char* kQuoteInFileName =
    "Sorry, a file name cannot contain a double quote (\").";
// A path chosen in a dialog or dropped that the system's 8-bit code page cannot hold.
inline constexpr const char* kNameNotPassable =
    "Sorry, the path of that file or folder holds characters that cannot be handed to the "
    "loader. Please rename it, or choose another.";
// An upload file that is not there: the Execute command's refusal, and a handed file's.
inline constexpr const char* kNoSuchFile = "Sorry, that file does not exist!";
inline constexpr const char* kFolderNotUploadable =
    "Sorry, a folder cannot be uploaded. Please drop a file.";
inline constexpr const char* kUploadPrompt = "Please select a file to upload...";
inline constexpr const char* kDownloadPrompt = "Please select a file to download to...";
inline constexpr const char* kChrootPrompt = "Please select a folder...";
inline constexpr const char* kIsoPrompt = "Please select an ISO image...";
inline constexpr const char* kMacPrompt = "Set MAC address";
// The Execute button's context menu command, and what it says when the copy fails.
inline constexpr const char* kCopyCommandLine = "&Copy Command Line";
inline constexpr const char* kClipboardRefused =
    "Sorry, the command line could not be put on the clipboard; another program may be using "
    "it. Please try again.";
// The size the program starts with, which a download refuses as no size at all.
inline constexpr const char* kUnsetFileSize = "0x0";

}  // namespace loadergui::text
