// Placeholder.
#include "editor/normalise.h"

namespace korvane {
int VertexContour(int&, PointArray&) { return 0; }
int Rotation(char, int, PointArray&, int, int) { return 0; }
int RotAdjust(char, int, PointArray&, int, int) { return 0; }
}  // namespace korvane
