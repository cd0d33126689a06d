// Starting the external tools, with and without waiting for them to end, and finding a started
// loader again.
#include "Processes.h"

#include <windows.h>

#include <vector>

#include "CodePage.h"

namespace loadergui::win32 {

// The start record that the shipped 32-bit build hands over is 68 bytes long.
#if !defined(_WIN64)
static_assert(sizeof(STARTUPINFOA) == 68, "8-bit start record");
#endif

namespace {

bool IsRelativePath(const std::string& path) {
  if (path.empty() || path[0] == '\\' || path[0] == '/') return false;
  return !(path.size() > 1 && path[1] == ':');
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the system says when a program at this path cannot be started because it is not a
// file there: a folder cannot be run, and anything else is not found.
DWORD NotAFileError(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return ERROR_ACCESS_DENIED;
  DWORD error = GetLastError();
  return error == ERROR_PATH_NOT_FOUND ? error : ERROR_FILE_NOT_FOUND;
}

bool HasExtension(const std::string& path) {
  std::size_t dot = path.find_last_of('.');
  return dot != std::string::npos && path.find_first_of("\\/", dot) == std::string::npos;
}

// Both calls start the child with the caller's environment and current directory.
bool Start(const std::string& application, const std::string& commandLine, int windowStyle,
           BOOL inheritHandles, DWORD creationFlags, PROCESS_INFORMATION& process) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle);
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::vector<char> writableCommandLine(commandLine.begin(), commandLine.end());
  writableCommandLine.push_back('\0');
  return CreateProcessA(application.empty() ? nullptr : application.c_str(),
                        writableCommandLine.data(), nullptr, nullptr, inheritHandles, creationFlags,
                        nullptr, nullptr, &startup, &process) != FALSE;
}

// How long ending a loader may take, from the request until it has gone.
constexpr DWORD kEndPatienceMs = 3000;
// The exit code of a loader that the program ended.
constexpr UINT kEndedExitCode = 1;

ULONGLONG CreationTime(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// A started loader, found again by its process id and the moment it was created, which tell it
// from a later process that got the same id. No handle is held between one look and the next,
// so that a day of loaders costs the program no handles, whether or not it ever asks.
class Win32StartedProcess : public platform::StartedProcess {
 public:
  // Without the moment it was created, the process cannot be told from a later one: it is
  // taken as ended.
  Win32StartedProcess(DWORD id, ULONGLONG created)
      : id_(id), created_(created), ended_(created == 0) {}

  bool running() override {
    HANDLE process = open(SYNCHRONIZE);
    if (!process) return false;
    bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    if (!runs) ended_ = true;
    return runs;
  }

  // A console program that is ended takes its console window with it.
  bool end() override {
    HANDLE process = open(SYNCHRONIZE | PROCESS_TERMINATE);
    if (!process) return true;
    TerminateProcess(process, kEndedExitCode);
    ended_ = WaitForSingleObject(process, kEndPatienceMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended_;
  }

 private:
  // The loader's process with those rights; nullptr once it has ended and gone, or when the id
  // now belongs to another process (one of another user's cannot be opened at all).
  HANDLE open(DWORD access) {
    if (ended_) return nullptr;
    HANDLE process = OpenProcess(access | PROCESS_QUERY_INFORMATION, FALSE, id_);
    if (process && CreationTime(process) == created_) return process;
    if (process) CloseHandle(process);
    ended_ = true;
    return nullptr;
  }

  DWORD id_;
  ULONGLONG created_;
  bool ended_;
};

// The system's sentence for an error code, without its line end; empty when it has none.
std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string message(text ? text : "", length);
  if (text) LocalFree(text);
  while (!message.empty() &&
         (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return message;
}

}  // namespace

// A relative program path names the tool beside the program whatever the current directory
// is; the operating system's own search (which looks in the current directory) comes second.
std::string Win32Processes::programBesideUs(const std::string& program) {
  if (!IsRelativePath(program)) return {};
  std::string candidate = files_.programFolder() + "\\" + program;
  if (IsFile(candidate)) return candidate;
  // The operating system adds ".exe" to a program named without an extension.
  if (!HasExtension(program) && IsFile(candidate + ".exe")) return candidate + ".exe";
  return {};
}

void Win32Processes::runAndWait(const platform::Command& command, int windowStyle) {
  PROCESS_INFORMATION process{};
  if (!Start(programBesideUs(command.arguments.front()), command.line, windowStyle, TRUE,
             NORMAL_PRIORITY_CLASS, process)) {
    return;  // a tool that cannot start is not reported; the caller goes on
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

// The tool gets a console window of its own and lives on by itself; no handle is kept, the
// process itself is found again (so the match, for platforms that must look for it, is not
// needed). A start that fails says why in the system's own words ("The system cannot find the
// file specified."), so that a user can mend it, or tell a missing file from a lack of memory.
std::unique_ptr<platform::StartedProcess> Win32Processes::startProcess(
    const platform::Command& command, int windowStyle, const platform::ProcessMatch& /*match*/) {
  PROCESS_INFORMATION process{};
  startFailure_.clear();
  if (!Start(programBesideUs(command.arguments.front()), command.line, windowStyle, FALSE,
             NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE, process)) {
    startFailure_ = SystemMessage(GetLastError());
    return nullptr;
  }
  auto started =
      std::make_unique<Win32StartedProcess>(process.dwProcessId, CreationTime(process.hProcess));
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return started;
}

// The tool must be an ordinary file, beside the program or from the current directory, as a
// start looks for it; the system's sentence is the one a start would fail with.
bool Win32Processes::canStart(const std::string& program) {
  startFailure_.clear();
  if (!programBesideUs(program).empty() || IsFile(program) ||
      (!HasExtension(program) && IsFile(program + ".exe"))) {
    return true;
  }
  std::string where = IsRelativePath(program) ? files_.programFolder() + "\\" + program : program;
  startFailure_ = SystemMessage(NotAFileError(where));
  return false;
}

platform::LeadBytes Win32Processes::commandLineLeadBytes() {
  return LeadBytesOf(CP_ACP);
}

}  // namespace loadergui::win32
