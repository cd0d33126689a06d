// Stand-in for a terminal program: logs its call under the name it was started by, then becomes
// the program it was asked to run (after -e, -x or --), which thus logs the same process id.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "StandIn.h"

int main(int argc, char** argv) {
  using namespace loadergui::standin;
  std::vector<std::string> arguments(argv, argv + argc);
  std::string name = arguments[0].substr(arguments[0].find_last_of('/') + 1);
  LogStart(name.c_str(), arguments);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-e") == 0 || std::strcmp(argv[i], "-x") == 0 ||
        std::strcmp(argv[i], "--") == 0) {
      execvp(argv[i + 1], argv + i + 1);
      std::perror(argv[i + 1]);
      return 127;
    }
  }
  std::fprintf(stderr, "%s (stand-in): nothing to run\n", name.c_str());
  return 2;
}
