// The program's message boxes and the platform's open, save and folder dialogs, answered as a
// user answers them.
#pragma once

#include <windows.h>

#include <string>

#include "Program.h"

namespace e2e {

struct MessageBoxSeen {
  HWND window = nullptr;
  std::string title;
  std::string text;
  std::string buttons;  // captions of the shown buttons, each in brackets
  bool icon = false;
};

// Waits for the next message box of the program.
MessageBoxSeen WaitForMessageBox(Program& program);
// Presses the box's OK button and waits until it has gone.
void PressOk(Program& program, const MessageBoxSeen& box);
// Presses one of the box's buttons (IDYES, IDNO, IDCANCEL...) and waits until it has gone.
void PressButton(Program& program, const MessageBoxSeen& box, int button);
// Checks the box's title and text, that it has a single OK button and no icon, then presses OK
// and waits until it has gone.
void AnswerMessageBox(Program& program, const std::string& title, const std::string& text);
// After the program has handled everything: no message box or other dialog is shown.
void RequireNoDialog(Program& program);

// Waits for a shown dialog of the program (class #32770) with this title.
HWND WaitForDialog(Program& program, const std::string& title);
// The file-name field and the shown file type of an open or save dialog.
std::string FileNameField(HWND dialog);
std::string FileTypeShown(HWND dialog);
// Whether a control of the dialog shows exactly this text.
bool DialogShowsText(HWND dialog, const std::string& text);
// Types the path into the file-name field and confirms; waits until the dialog has gone.
void AnswerFileDialog(Program& program, const std::string& title, const std::string& path);
// The same with a path that may hold characters outside the system's 8-bit code page.
void AnswerFileDialog(Program& program, const std::string& title, const std::wstring& path);
// Presses Cancel and waits until the dialog has gone.
void CancelDialog(Program& program, HWND dialog);
// Selects the folder in the folder browser and confirms it.
void AnswerFolderBrowser(Program& program, const std::string& folder);

}  // namespace e2e
