// What several scenarios do or look at: the main window's state, picking files, setting
// options, and the settings file.
#pragma once

#include <string>
#include <vector>

#include "Program.h"
#include "Sandbox.h"
#include "ToolLog.h"

namespace e2e {

enum class Mode { Upload, UploadExecute, Download };
enum class Variant { Serial, IP };

// What the main window shows for a loader variant and transfer mode.
struct MainState {
  Variant variant;
  Mode mode;
  std::string information;  // the information line
};

// Captions, check marks, file boxes and information line, all as the user sees them.
void RequireMainWindow(Program& program, const MainState& expected);

// The menu commands that switch the variant and the mode.
void ChooseVariant(Program& program, Variant variant);
void ChooseMode(Program& program, Mode mode);

// Browse, then the open dialog (upload modes) or save dialog (Download); the chosen path must
// then stand in the file box.
void PickUploadFile(Program& program, const std::string& path);
void PickDownloadFile(Program& program, const std::string& path);

// In the shown options dialog: sets a text (pasted) or a check box (clicked until it shows
// the state).
void SetOptionText(Program& program, const std::string& control, const std::string& text);
void SetOptionBox(Program& program, const std::string& control, bool ticked);
// OK or Cancel, then waits until the dialog has gone.
void ConfirmOptions(Program& program);
void CancelOptions(Program& program);

// Once the tools started before have gone, presses Execute and returns the start line of the
// loader (the last tool to start), after checking that it ran in the program's folder.
ToolCall ExecuteAndWaitForLoader(Program& program, const Sandbox& box, std::size_t toolsBefore,
                                 std::size_t toolsStarting);

// The window is centred on the screen (within a pixel) and has a fixed-size frame.
void RequireCentredFixedWindow(HWND window, const std::string& what);
// The window's client area, below its menu bar, at 96 DPI: 15 twips make a pixel.
void RequireClientSize(HWND window, const std::string& what, int widthTwips, int heightTwips);

// Replaces "{name}" with the value in a command-line pattern.
std::string Fill(std::string pattern, const std::string& name, const std::string& value);

// After the program has handled everything: no tool has started, none is about to.
void RequireNothingStarted(Program& program, const Sandbox& box, std::size_t toolsBefore);

// The File menu as the user sees it: each entry's caption, "-" for a separator.
std::vector<std::string> FileMenu(Program& program);
// The File menu with the recent files' entries for these paths, newest first.
std::vector<std::string> FileMenuWith(const std::vector<std::string>& recentFiles);
// The caption of the recent file's entry `number` (from 1): the number as its access key, then
// the path, whose middle folders give way to "..." when it is longer than 50 characters (the
// root with the first name stays, and as many of the folders nearest to the file as fit), with
// each ampersand doubled.
std::string RecentEntry(int number, const std::string& path);

// One line of the settings file as the profile functions see it.
struct IniLine {
  bool section = false;
  std::string name;   // section or key name
  std::string value;  // an entry's value, blanks around it removed
};
std::vector<IniLine> ReadIni(const std::string& path);
// The value of a key (names compared without regard to case); fails when it is absent.
std::string IniValue(const std::vector<IniLine>& lines, const std::string& section,
                     const std::string& key);
// The sixteen keys in the order the program writes them, with their section headers, then the
// kept files' section.
void RequireSettingsOrder(const std::vector<IniLine>& lines);

// The system's own sentence for an error code, as a user reads it under the program's message.
std::string SystemSays(DWORD error);

// The letter of the system code page that paths use in the scenarios with a non-ASCII name:
// e-acute, in the 8-bit form the program hands to the loader.
std::string AccentedLetter();

}  // namespace e2e
