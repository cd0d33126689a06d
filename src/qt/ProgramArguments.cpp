// Reading the command line: file names are bytes, taken as they stand.
#include "ProgramArguments.h"

#include <QString>
#include <filesystem>
#include <system_error>

#include "app/ProgramArguments.h"

namespace loadergui::qt {

namespace {

namespace fs = std::filesystem;

// "demo.elf" and "../out/demo.elf" name a file from where the program was started. The folder
// is resolved as the system resolves it (".." after a link leads where the link leads), and the
// file keeps its own name, a link's included. A folder that does not exist is left as written.
std::string AbsolutePath(const std::string& name) {
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  if (error) return {};
  fs::path folder = fs::canonical(path.parent_path(), error);
  return error ? path.string() : (folder / path.filename()).string();
}

// The core's texts are UTF-8, and a box shows a name that is not as something else.
bool IsUtf8(const std::string& bytes) {
  QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return QString::fromUtf8(raw).toUtf8() == raw;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.empty()) continue;
    if (argument.front() != kOptionMark) {
      argument = AbsolutePath(argument);
      if (!IsUtf8(argument)) argument.clear();
    }
    arguments.push_back(argument);
  }
  return arguments;
}

}  // namespace loadergui::qt
