// The program's handle count before and after many presses of its Execute button.
#include "Presses.h"

#include <cstdlib>
#include <string_view>

#include "HandleCount.h"
#include "KeptFiles.h"
#include "Launch.h"
#include "ProcessWindows.h"

namespace bench {

namespace {

// Files of the stand-in loaders in the tools folder: their call log and their sleep setting.
constexpr char kLoaderLog[] = "standin-calls.log";
constexpr char kLoaderSleep[] = "standin-sleep-ms.txt";
// Captions of the Execute button in the two upload modes.
constexpr const char* kExecuteCaptions[] = {"&Upload", "Upload and &Execute"};

std::string ReadLog(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char block[65536];
  DWORD got = 0;
  while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) text.append(block, got);
  CloseHandle(file);
  return text;
}

// Lines of the stand-in loaders' log that begin with the word (its runs that started or ended).
int CountLogLines(const std::string& path, std::string_view word) {
  std::string text = ReadLog(path);
  int count = 0;
  std::size_t lineStart = 0;
  while (lineStart < text.size()) {
    if (text.compare(lineStart, word.size(), word) == 0 && lineStart + word.size() < text.size() &&
        text[lineStart + word.size()] == '\t') {
      ++count;
    }
    std::size_t end = text.find('\n', lineStart);
    if (end == std::string::npos) break;
    lineStart = end + 1;
  }
  return count;
}

// The process id of the last loader run that ended: the third field of the last line
// "end", stamp, pid, tool; 0 when none has.
DWORD LastEndedLoader(const std::string& path) {
  std::string text = ReadLog(path);
  DWORD pid = 0;
  for (std::size_t line = 0; line < text.size();) {
    std::size_t next = text.find('\n', line);
    if (next == std::string::npos) break;  // a line still being written
    if (text.compare(line, 4, "end\t") == 0) {
      std::size_t field = text.find('\t', line + 4);
      if (field < next) pid = std::strtoul(text.c_str() + field + 1, nullptr, 10);
    }
    line = next + 1;
  }
  return pid;
}

// A stand-in writes its end line a moment before its process is gone. The next press waits for
// that, since the program asks whether to end a loader of the same kind that still runs.
bool WaitForLoaderGone(DWORD pid) {
  HANDLE loader = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!loader) return true;
  bool gone = WaitForSingleObject(loader, kPatienceMs) == WAIT_OBJECT_0;
  CloseHandle(loader);
  return gone;
}

// How often one press is made at most when the system refuses its start.
constexpr int kPressAttempts = 3;
// The program's message for a start the system refused begins so.
constexpr char kNotStarted[] = "Sorry, tools\\ravlink-serial.exe could not be started!";

// Waits until the log shows that many ended loader runs, or the program shows a message box;
// false when neither comes in time.
bool WaitForLoaderEndOrMessage(const std::string& log, int runs, DWORD pid, int& seen) {
  double started = Seconds();
  while ((seen = CountLogLines(log, "end")) < runs && !ShownDialog(pid)) {
    if (Seconds() - started > kPatienceMs / 1000.0) return false;
    Sleep(5);
  }
  return true;
}

// Presses OK on the program's message box and waits until it has gone.
bool DismissMessage(DWORD pid) {
  HWND box = ShownDialog(pid);
  if (box) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  double started = Seconds();
  while (ShownDialog(pid)) {
    if (Seconds() - started > kPatienceMs / 1000.0) return false;
    Sleep(5);
  }
  return true;
}

bool HandleCount(HANDLE process, DWORD& count, std::string& failure) {
  if (CountProcessHandles(process, count)) return true;
  failure = "the handle count could not be read (error " + std::to_string(GetLastError()) + ")";
  return false;
}

std::string DialogText(DWORD pid) {
  HWND dialog = ShownDialog(pid);
  if (!dialog) return {};
  HWND text = GetDlgItem(dialog, 0xFFFF);
  return "'" + WindowText(dialog) + "': " + (text ? WindowText(text) : std::string());
}

}  // namespace

PressResult MeasureHandles(const std::string& executable, const std::string& uploadFile,
                           int presses) {
  PressResult result;
  std::string tools = FolderOf(executable) + "\\tools";
  std::string settings = tools + "\\settings.ini";
  std::string log = tools + "\\" + kLoaderLog;
  // Upload mode with the serial loader: no ARP step, one loader process per press; no files
  // kept, whichever start of the program came last.
  KeepFiles(executable, KeptFiles::None, result.failure);
  if (!result.failure.empty()) return result;
  WritePrivateProfileStringA("SETTINGS", "TYPE", "&Upload", settings.c_str());
  WritePrivateProfileStringA("SETTINGS", "RAVLINK", "Serial", settings.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.c_str());  // flush
  DeleteFileA((tools + "\\" + kLoaderSleep).c_str());
  DeleteFileA(log.c_str());

  ShownProgram program(executable);
  if (!program.failure().empty()) {
    result.failure = program.failure();
    return result;
  }
  WaitForInputIdle(program.process(), kPatienceMs);
  HWND main = program.window();
  HWND fileBox = ChildWindow(main, "Edit", "", true);
  HWND execute = nullptr;
  for (const char* caption : kExecuteCaptions) {
    if (!execute) execute = ChildWindow(main, "Button", caption, false);
  }
  if (!fileBox || !execute) {
    result.failure = "the main window has no visible file box or no Execute button";
    return result;
  }
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(fileBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(uploadFile.c_str()),
                      SMTO_NORMAL, kPatienceMs, &answer);
  WPARAM click = MAKEWPARAM(GetDlgCtrlID(execute), BN_CLICKED);

  if (!HandleCount(program.process(), result.before, result.failure)) return result;
  for (int press = 1; press <= presses; ++press) {
    for (int attempt = 1;; ++attempt) {
      PostMessageA(main, WM_COMMAND, click, reinterpret_cast<LPARAM>(execute));
      if (!WaitForLoaderEndOrMessage(log, press, program.pid(), result.loaderRuns)) {
        result.failure = "press " + std::to_string(press) + " started no loader that ended in time";
        return result;
      }
      std::string dialog = DialogText(program.pid());
      if (dialog.empty()) {
        if (WaitForLoaderGone(LastEndedLoader(log))) break;
        result.failure = "press " + std::to_string(press) + ": its loader did not go away";
        return result;
      }
      if (dialog.find(kNotStarted) == std::string::npos || attempt == kPressAttempts ||
          !DismissMessage(program.pid())) {
        result.failure = "press " + std::to_string(press) + ": the program shows " + dialog;
        return result;
      }
      result.refusedStarts.push_back(dialog);
      // Whatever held the start up gets a moment to pass, longer each time.
      Sleep(static_cast<DWORD>(500 * attempt));
    }
    if (press == 1 && !HandleCount(program.process(), result.afterFirst, result.failure)) {
      return result;
    }
  }
  if (!HandleCount(program.process(), result.after, result.failure)) return result;
  std::string dialog = DialogText(program.pid());
  if (!dialog.empty()) result.failure = "the program shows " + dialog;
  program.close();
  if (result.failure.empty()) result.failure = program.failure();
  return result;
}

}  // namespace bench
