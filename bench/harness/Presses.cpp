// The program's handle count before and after many presses of its Execute button.
#include "Presses.h"

#include <string_view>

#include "HandleCount.h"
#include "Launch.h"
#include "ProcessWindows.h"

namespace bench {

namespace {

// Files of the stand-in loaders in the tools folder: their call log and their sleep setting.
constexpr char kLoaderLog[] = "standin-calls.log";
constexpr char kLoaderSleep[] = "standin-sleep-ms.txt";
// Captions of the Execute button in the two upload modes.
constexpr const char* kExecuteCaptions[] = {"&Upload", "Upload and &Execute"};

// Lines of the stand-in loaders' log that begin with the word (its runs that started or ended).
int CountLogLines(const std::string& path, std::string_view word) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::string text;
  char block[65536];
  DWORD got = 0;
  while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) text.append(block, got);
  CloseHandle(file);
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

// Waits until the log shows that many ended loader runs; false when that takes too long.
bool WaitForLoaderEnds(const std::string& log, int runs, int& seen) {
  double started = Seconds();
  while ((seen = CountLogLines(log, "end")) < runs) {
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
  // Upload mode with the serial loader: no ARP step, one loader process per press.
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
    // Returns once the program has handled the press, that is, started its loader.
    if (!SendMessageTimeoutA(main, WM_COMMAND, click, reinterpret_cast<LPARAM>(execute),
                             SMTO_NORMAL, kPatienceMs, &answer)) {
      result.failure = "press " + std::to_string(press) + " was not handled in time " +
                       DialogText(program.pid());
      return result;
    }
    if (!WaitForLoaderEnds(log, press, result.loaderRuns)) {
      std::string dialog = DialogText(program.pid());
      result.failure = "press " + std::to_string(press) + " started no loader that ended " +
                       (dialog.empty() ? "in time" : "; the program shows " + dialog);
      return result;
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
