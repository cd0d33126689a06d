// Stand-in for the IP loader on Linux: logs its call and writes the dump a download asks for.
#include "StandIn.h"

int main(int argc, char** argv) {
  return loadergui::standin::Run("ravlink-ip", true, argc, argv);
}
