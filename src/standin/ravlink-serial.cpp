// Stand-in for the serial loader: logs its call and writes the dump a download asks for.
#include "StandIn.h"

int main() {
  return loadergui::standin::Run("ravlink-serial", true);
}
