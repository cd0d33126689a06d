// Stand-in for a terminal program: logs its call under the name it was started by, then becomes
// the program it was asked to run (after -e, -x or --), which thus logs the same process id.
// With a file standin-terminal-server beside it, it acts as the terminals that hand the command
// to a server process of theirs and end at once (GNOME Terminal, Konsole in its server mode):
// a server process runs the program as its child, so that what was started is not the program.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "StandIn.h"

namespace {

constexpr const char* kServerMarker = "standin-terminal-server";

bool ActsAsServer() {
  std::string marker = loadergui::standin::ToolFolder() + "/" + kServerMarker;
  return access(marker.c_str(), F_OK) == 0;
}

[[noreturn]] void Become(char** command) {
  execvp(command[0], command);
  std::perror(command[0]);
  _exit(127);
}

// The server lives apart from whoever started the terminal, as long as the program it runs.
int HandToServer(char** command) {
  pid_t server = fork();
  if (server < 0) return 1;
  if (server > 0) return 0;
  setsid();
  pid_t program = fork();
  if (program == 0) Become(command);
  int status = 0;
  if (program > 0) waitpid(program, &status, 0);
  _exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace loadergui::standin;
  std::vector<std::string> arguments(argv, argv + argc);
  std::string name = arguments[0].substr(arguments[0].find_last_of('/') + 1);
  LogStart(name.c_str(), arguments);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-e") == 0 || std::strcmp(argv[i], "-x") == 0 ||
        std::strcmp(argv[i], "--") == 0) {
      if (ActsAsServer()) return HandToServer(argv + i + 1);
      Become(argv + i + 1);
    }
  }
  std::fprintf(stderr, "%s (stand-in): nothing to run\n", name.c_str());
  return 2;
}
