// The program under test, started as a user starts it and worked only through its windows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Controls.h"
#include "Probe.h"
#include "Sandbox.h"

namespace e2e {

struct StartOptions {
  std::string executable = "ravlinkgui.exe";  // the program's file name in its folder
  std::string currentDirectory;               // empty: the program's own folder
  // After the program's name, quoted as needed; wide, for names outside the 8-bit code page.
  std::vector<std::wstring> arguments;
};

class Program {
 public:
  // Starts the program with CreateProcess: its own file, the given arguments and current
  // directory; nothing else is passed.
  Program(const Sandbox& box, const std::string& probeLibrary, const StartOptions& options = {});
  // A program still running when its scenario ends is ended: it is the driver's own child.
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD pid() const { return process_.dwProcessId; }
  HANDLE process() const { return process_.hProcess; }
  bool running() const;
  // Fails the step if the program has not ended within the driver's patience.
  void waitForExit();
  // The program's exit code, once it has ended.
  DWORD exitCode() const;

  // The main window, once shown; the options dialog's window, shown or not.
  HWND main();
  HWND options();
  // Visible top-level windows of the program, of any class.
  std::vector<HWND> shownWindows() const;
  HWND control(Form form, std::string_view name);

  // What the user sees.
  std::string caption(Form form);
  std::string text(Form form, std::string_view name);
  bool shown(Form form, std::string_view name);
  bool usable(Form form, std::string_view name);
  int checkState(Form form, std::string_view name);
  // Name of the control with the keyboard focus, or a description of whatever else has it.
  std::string focus();
  // Which window is in front, whose it is, and which window of the program is active.
  std::string front();
  std::vector<MenuEntry> menus();
  const MenuEntry& menuItem(const std::vector<MenuEntry>& entries, std::string_view menu,
                            std::string_view item);

  // What the user does. Each waits until the program has handled it (or sits in a modal
  // dialog that it opened), except where the name says otherwise.
  void choose(std::string_view menu, std::string_view item);
  void click(Form form, std::string_view name);
  void clickWithoutWaiting(Form form, std::string_view name);
  // Replaces the whole text, as pasting over a selection does.
  void paste(Form form, std::string_view name, const std::string& text);
  // Clicks into the box, then types each character.
  void type(Form form, std::string_view name, const std::string& characters);
  // Drags the files onto the main window and lets go, as from Explorer; waits until the
  // program has handled the drop (or sits in the message box it opened).
  void dropFiles(const std::vector<std::string>& paths);
  // Clicks into the box so that it has the keyboard focus.
  void clickInto(Form form, std::string_view name);
  // Key down and key up, posted to the window with the focus; not waited for.
  void pressKey(UINT virtualKey);
  // A letter key pressed with Alt held down (an access key), typed through the input queue into
  // the window in front (brought there first); returns once the program has taken the key from
  // its queue, not handled it.
  void pressAltKey(char letter);
  // A key pressed with the modifiers (VK_CONTROL, VK_SHIFT, ...) held down, typed through the
  // input queue into the window in front (brought there first); returns once the program has
  // taken the key from its queue, not handled it. WHAT names the keys in a failure.
  void pressChord(const std::vector<WORD>& modifiers, WORD key, const std::string& what);
  // One key pressed and let go through the input queue, into whatever takes the keyboard now
  // (an open menu, say); not waited for.
  void typeKey(WORD key);
  // A right click on the control through the input queue; waits as click does.
  void rightClick(Form form, std::string_view name);
  // Alt and the menu's access key, then, once the menu has dropped down, the item's access
  // key; waits until the menu has closed and the command has been handled.
  void chooseByKeyboard(char menuKey, char itemKey);
  // Returns when the program has handled everything sent to it so far.
  void sync();
  // Waits until the window is active with the keyboard focus inside it, as after a dialog has
  // closed over it; false if that does not happen.
  bool waitForFocusIn(Form form);
  // While another program's window (a loader's console), or none, is in front, clicks the
  // window to bring it back, as a user would before typing; then waits as waitForFocusIn does.
  // False if the window does not come to the front with the focus inside it.
  bool bringToFront(Form form);
  // Presses Tab once and waits until the focus has reached the named control.
  void tabTo(std::string_view name);
  // Opens the options dialog through its menu command and waits until it is shown.
  void openOptions();
  // Ends the program through File, Exit and waits until it has ended.
  void exit();
  // Logs the user off as the system does: asks every top-level window of the program whether
  // the session may end, then tells each that it ends; not waited for.
  void endSession();
  // The close box of a window (its system menu's Close command); not waited for.
  void closeBox(Form form);
  // Whether the window takes input: a modal window of its own blocks it.
  bool takesInput(Form form);

 private:
  Probe& probe();
  HWND formWindow(Form form);
  HWND requireUsable(Form form, std::string_view name);
  std::vector<HWND> topWindows() const;

  PROCESS_INFORMATION process_{};
  std::string probeLibrary_;
  HWND main_ = nullptr;
  HWND options_ = nullptr;
  std::unique_ptr<Probe> probe_;
};

// Text of any window of the program, asked of the window itself.
std::string WindowText(HWND window);
std::string ClassName(HWND window);

}  // namespace e2e
