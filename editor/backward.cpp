// Placeholder.
#include "editor/backward.h"

namespace korvane {
int BackwardTransform(char, int, int, PointArray&, PointArray&, PointArray&, IntArray&, TagArray&) { return 0; }
int CleanMultVert(char, int, int, const PointArray&, const IntArray&, const TagArray&, PointArray&, IntArray&,
                  TagArray&, int&) {
  return 0;
}
int ConcaveAngleExam(char, int&, int, int, const PointArray&, PointArray&, IntArray&, TagArray&, PointArray&,
                     IntArray&, TagArray&, int&) {
  return 0;
}
int ConvexAngleExam(char, int, int, const PointArray&, const PointArray&, const IntArray&, const TagArray&,
                    PointArray&, IntArray&, TagArray&, int&) {
  return 0;
}
int MinNumVert(char, int, int, const PointArray&, const IntArray&, const TagArray&, PointArray&, IntArray&, TagArray&,
               int&) {
  return 0;
}
}  // namespace korvane
