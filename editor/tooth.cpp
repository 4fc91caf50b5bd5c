// Placeholder.
#include "editor/tooth.h"

namespace korvane {
int RepairVertex(char, int, int, int, int, const PointArray&, const PointArray&, PointArray&, IntArray&, TagArray&,
                 PointArray&, IntArray&, TagArray&, int&) {
  return 0;
}
}  // namespace korvane
