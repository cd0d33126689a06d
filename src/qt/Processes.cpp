// The loaders start in a terminal window of their own and live on by themselves; the ARP tool
// runs without one, and the program waits for it. Either inherits the current directory and
// the environment.
#include "Processes.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "ShellLine.h"
#include "Terminals.h"
#include "WindowsArguments.h"

namespace loadergui::qt {

namespace {

// Where a shell looks for commands when PATH is not set at all.
constexpr const char* kDefaultSearchPath = "/usr/local/bin:/usr/bin:/bin";

std::vector<std::string> PathFolders() {
  const char* path = std::getenv("PATH");
  return SearchFolders(path ? path : kDefaultSearchPath);
}

QString ToPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

QStringList ToPaths(std::vector<std::string>::const_iterator first,
                    std::vector<std::string>::const_iterator last) {
  QStringList list;
  for (; first != last; ++first) list.append(ToPath(*first));
  return list;
}

bool IsFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

QtProcesses::QtProcesses(platform::FileSystem& files) : QtProcesses(files, PathFolders()) {}

QtProcesses::QtProcesses(platform::FileSystem& files, std::vector<std::string> searchFolders)
    : files_(files), searchFolders_(std::move(searchFolders)) {}

// A relative path names the tool beside the program whatever the current directory is.
std::optional<std::string> QtProcesses::programPath(const std::string& program) {
  if (program.empty()) return std::nullopt;
  if (program.front() == '/') return IsFile(program) ? std::optional(program) : std::nullopt;
  std::string beside = files_.programFolder() + "/" + program;
  if (IsFile(beside)) return beside;
  std::string fromHere = files_.currentDirectory() + "/" + program;
  if (IsFile(fromHere)) return fromHere;
  return std::nullopt;
}

// A tool that cannot be started is passed over in silence; the caller goes on.
void QtProcesses::runAndWait(const std::string& commandLine, int /*windowStyle*/) {
  std::vector<std::string> arguments = SplitLikeWindows(commandLine);
  std::optional<std::string> program = programPath(arguments.front());
  if (!program) return;
  QProcess::execute(ToPath(*program), ToPaths(arguments.begin() + 1, arguments.end()));
}

// The window style has nothing to choose here: a terminal opens as a normal window that takes
// the focus.
bool QtProcesses::startProcess(const std::string& commandLine, int /*windowStyle*/) {
  startFailure_.clear();
  std::vector<std::string> arguments = SplitLikeWindows(commandLine);
  std::optional<std::string> program = programPath(arguments.front());
  if (!program) return false;
  if (access(program->c_str(), X_OK) != 0) {
    startFailure_ = "It is there, but it may not be run: it lacks the permission to execute.";
    return false;
  }
  std::optional<FoundTerminal> terminal = FindTerminal(searchFolders_);
  if (!terminal) {
    startFailure_ = "No terminal program was found to show it in; please install one of " +
                    TerminalNames() + ".";
    return false;
  }
  std::vector<std::string> terminalArguments =
      TerminalArguments(*terminal->terminal, *program, {arguments.begin() + 1, arguments.end()});
  if (!QProcess::startDetached(ToPath(terminal->path),
                               ToPaths(terminalArguments.begin(), terminalArguments.end()),
                               QDir::currentPath())) {
    startFailure_ = "The terminal program " + terminal->path + " could not be started.";
    return false;
  }
  return true;
}

// From the program's folder, where a press of Execute starts the tools.
std::string QtProcesses::shellLine(const std::string& commandLine) {
  return ShellLineIn(files_.programFolder(), SplitLikeWindows(commandLine));
}

}  // namespace loadergui::qt
