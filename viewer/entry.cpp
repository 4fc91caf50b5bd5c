// Placeholder entry until the viewer exists.
#include "bgi/bgi.h"
#include "viewer/mivlet.h"

namespace mivlet {

int main() {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  return 0;
}

}  // namespace mivlet
