// Placeholder.
#include "editor/pass_driver.h"

namespace korvane {
int PassDriver(int&, PointArray&, PassArrays&) { return 0; }
}  // namespace korvane
