// Stand-in for the ARP tool: logs its call, and may take its time so that waiting shows.
#include "StandIn.h"

int main() {
  return loadergui::standin::Run("arp", false);
}
