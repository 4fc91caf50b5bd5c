// Placeholder entry until the drawing phase exists.
#include "bgi/bgi.h"
#include "editor/korvane.h"

namespace korvane {

int main() {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  return 0;
}

}  // namespace korvane
