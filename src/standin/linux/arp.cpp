// Stand-in for the ARP tool on Linux: logs its call, and may take its time so that waiting shows.
#include "StandIn.h"

int main(int argc, char** argv) {
  return loadergui::standin::Run("arp", false, argc, argv);
}
