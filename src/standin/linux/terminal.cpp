// Stand-in for a terminal program: logs its call under the name it was started by, then becomes
// the program it was asked to run, which thus logs the same process id. Under the name of a
// terminal it knows, it takes the program only the way that terminal takes it (after its
// options, or as one command string that GLib's shell parser splits); under any other name,
// after the first -e, -x or --. With a file standin-terminal-server beside it, it acts as the
// terminals that hand the command to a server process of theirs and end at once (GNOME
// Terminal, Konsole in its server mode): a server process runs the program as its child, so
// that what was started is not the program.
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

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

struct KnownTerminal {
  std::string_view name;
  std::vector<std::string_view> before;  // what must come before the program, in this order
  bool oneCommandString;                 // the program and its arguments in one more argument
};

// clang-format off
const KnownTerminal kKnown[] = {
    {"xdg-terminal-exec",   {},                        false},
    {"x-terminal-emulator", {"-e"},                    false},
    {"ptyxis",              {"--new-window", "--"},    false},
    {"kgx",                 {"--"},                    false},
    {"gnome-terminal",      {"--"},                    false},
    {"konsole",             {"-e"},                    false},
    {"xfce4-terminal",      {"-x"},                    false},
    {"mate-terminal",       {"-x"},                    false},
    {"tilix",               {"-e"},                    true},
    {"terminator",          {"-x"},                    false},
    {"alacritty",           {"-e"},                    false},
    {"kitty",               {},                        false},
    {"foot",                {},                        false},
    {"wezterm",             {"start", "--"},           false},
    {"xterm",               {"-e"},                    false},
};
// clang-format on

int Run(char** programAndArguments) {
  if (ActsAsServer()) return HandToServer(programAndArguments);
  Become(programAndArguments);
}

// The command string split by GLib itself, as the terminal that takes one does.
int RunCommandString(const char* command) {
  using ParseArgv = int (*)(const char*, int*, char***, void**);
  void* glib = dlopen("libglib-2.0.so.0", RTLD_NOW);
  auto parse = glib ? reinterpret_cast<ParseArgv>(dlsym(glib, "g_shell_parse_argv")) : nullptr;
  if (!parse) {
    std::fprintf(stderr, "stand-in terminal: GLib's shell parser is not to be had\n");
    return 127;
  }
  int count = 0;
  char** words = nullptr;
  if (!parse(command, &count, &words, nullptr) || count == 0) {
    std::fprintf(stderr, "stand-in terminal: cannot split %s\n", command);
    return 2;
  }
  return Run(words);
}

int RunAsKnown(const KnownTerminal& terminal, int argc, char** argv) {
  int at = 1;
  for (std::string_view expected : terminal.before) {
    if (at >= argc || expected != argv[at]) {
      std::fprintf(stderr, "%s (stand-in): expected %s\n", argv[0], std::string(expected).c_str());
      return 2;
    }
    ++at;
  }
  if (terminal.oneCommandString) {
    if (at + 1 != argc) {
      std::fprintf(stderr, "%s (stand-in): expected one command string\n", argv[0]);
      return 2;
    }
    return RunCommandString(argv[at]);
  }
  if (at >= argc) {
    std::fprintf(stderr, "%s (stand-in): nothing to run\n", argv[0]);
    return 2;
  }
  return Run(argv + at);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace loadergui::standin;
  std::vector<std::string> arguments(argv, argv + argc);
  std::string name = arguments[0].substr(arguments[0].find_last_of('/') + 1);
  LogStart(name.c_str(), arguments);
  for (const KnownTerminal& terminal : kKnown) {
    if (terminal.name == name) return RunAsKnown(terminal, argc, argv);
  }
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-e") == 0 || std::strcmp(argv[i], "-x") == 0 ||
        std::strcmp(argv[i], "--") == 0) {
      return Run(argv + i + 1);
    }
  }
  std::fprintf(stderr, "%s (stand-in): nothing to run\n", name.c_str());
  return 2;
}
