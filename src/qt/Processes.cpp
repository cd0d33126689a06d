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

#include "LoaderProcesses.h"
#include "ShellLine.h"
#include "Terminals.h"

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
void QtProcesses::runAndWait(const platform::Command& command, int /*windowStyle*/) {
  const std::vector<std::string>& arguments = command.arguments;
  std::optional<std::string> program = programPath(arguments.front());
  if (!program) return;
  QProcess::execute(ToPath(*program), ToPaths(arguments.begin() + 1, arguments.end()));
}

// The loader must be a file that may be run, and a terminal must be there to show it in.
std::optional<std::string> QtProcesses::startable(const std::string& program,
                                                  std::optional<FoundTerminal>& terminal) {
  startFailure_.clear();
  std::optional<std::string> path = programPath(program);
  if (!path) return std::nullopt;
  if (access(path->c_str(), X_OK) != 0) {
    startFailure_ = "It is there, but it may not be run: it lacks the permission to execute.";
    return std::nullopt;
  }
  terminal = FindTerminal(searchFolders_);
  if (!terminal) {
    startFailure_ = "No terminal program was found to show it in; please install one of " +
                    TerminalNames() + ".";
    return std::nullopt;
  }
  return path;
}

bool QtProcesses::canStart(const std::string& program) {
  std::optional<FoundTerminal> terminal;
  return startable(program, terminal).has_value();
}

// The window style has nothing to choose here: a terminal opens as a normal window that takes
// the focus. The loader gets the arguments as they are: no command line is split, and no shell
// reads them. What the terminal runs is found again by its executable, the tool's file with
// every link resolved, as the system names a process's executable.
std::unique_ptr<platform::StartedProcess> QtProcesses::startProcess(
    const platform::Command& command, int /*windowStyle*/, const platform::ProcessMatch& match) {
  const std::vector<std::string>& arguments = command.arguments;
  std::optional<FoundTerminal> terminal;
  std::optional<std::string> program = startable(arguments.front(), terminal);
  if (!program) return nullptr;
  std::vector<std::string> terminalArguments =
      TerminalArguments(*terminal->terminal, *program, {arguments.begin() + 1, arguments.end()});
  if (!QProcess::startDetached(ToPath(terminal->path),
                               ToPaths(terminalArguments.begin(), terminalArguments.end()),
                               QDir::currentPath())) {
    startFailure_ = "The terminal program " + terminal->path + " could not be started.";
    return nullptr;
  }
  std::error_code error;
  std::filesystem::path executable = std::filesystem::canonical(*program, error);
  return std::make_unique<LoaderProcess>(error ? *program : executable.string(), match);
}

// From the program's folder, where a press of Execute starts the tools.
std::string QtProcesses::shellLine(const platform::Command& command) {
  return ShellLineIn(files_.programFolder(), command.arguments);
}

}  // namespace loadergui::qt
