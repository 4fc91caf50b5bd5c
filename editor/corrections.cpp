// Placeholder.
#include "editor/corrections.h"

namespace korvane {
void ToothGroup(int, int, const PointArray&, const PointArray&, PointArray&, IntArray&, TagArray&, int, int) {}
void PikeGroup(int, int&, const PointArray&, const PointArray&, PointArray&, IntArray&, IntArray&, TagArray&, int,
               int) {}
void ClosingGroup(int, int, const PointArray&, const PointArray&, PointArray&, IntArray&, TagArray&, int, int) {}
}  // namespace korvane
