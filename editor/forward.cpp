// Placeholder.
#include "editor/forward.h"

namespace korvane {
int ForwardPhase(char, int, int& W, const PointArray&, const PointArray&, PointArray&, PointArray&, IntArray&,
                 IntArray&, TagArray&, int, int, int) {
  W = 0;
  return 0;
}
}  // namespace korvane
