// Placeholder.
#include "editor/corridor.h"

namespace korvane {
int Corridor(char, int, const PointArray&, PointArray&, PointArray&, int, int, int, int) { return 0; }
}  // namespace korvane
