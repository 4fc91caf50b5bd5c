// Placeholder.
#include "editor/drawing_file.h"

namespace korvane {
int WritePolToFile(const PointArray&, const PointArray&, const PointArray&, const TagArray&, int, int, int, int) {
  return 0;
}
}  // namespace korvane
