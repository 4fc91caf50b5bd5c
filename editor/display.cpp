// Placeholder.
#include "editor/display.h"

namespace korvane {
int InputCircuit(const PointArray&, int, int) { return 0; }
int FinalDrawing(const PointArray&, int, int) { return 0; }
int EdgeSharing(const PointArray&, int, int) { return 0; }
void DrawOverlaps(const PointArray&, int, PointArray&, PointArray&, SlopeArray&, int, bool) {}
}  // namespace korvane
