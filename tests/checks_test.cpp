// The four new-edge checks on hand-made contours: which geometry each refuses
// and how long a refusal takes (the recorded sessions pin the animations).
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "editor/checks.h"
#include "editor/geometry.h"
#include "tests/support/session.h"

namespace korvane {
namespace {

enum Check { Crossing, Shared, Touched, Overlap };

struct Run {
  Check check;
  int i, J = 0, result = 0;
  PointArray VERTEX{}, XYmin{}, XYmax{};
  SlopeArray Slope{};
  StrokeArray POINT{};
};
void RunCheck(Run& r) {
  const auto call = [&r](auto check, auto... colour) {
    return check(r.VERTEX, r.POINT, r.XYmin, r.XYmax, r.Slope, r.J, r.i, 1, colour..., Xconst, Wiper, WiperDelay);
  };
  r.result = r.check == Crossing ? call(EdgeIntersection2, 12)
             : r.check == Shared ? call(SharedEdge2, 11)
             : r.check == Touched ? call(TouchedEdge2, 14)
                                  : call(OverlapVertex2, CrossArm, 10);
}

// Runs one check on the contour through the points, mirrored in the diagonal
// when asked (the stroke stays empty). Without conflict nothing is drawn; a
// refusal takes 4.2 s of blinking plus 36 ms per lattice step of the new edge.
int Result(Check check, const std::vector<Point>& points, int i, bool mirrored) {
  Run r{check, i};
  for (const Point& p : points) r.VERTEX[r.J++] = mirrored ? Point{p.y, p.x} : p;
  --r.J;  // the last index
  for (int e = 1; e <= r.J; ++e) Arena(r.VERTEX, r.XYmin, r.XYmax, r.Slope, e, Xconst);
  const Point a = r.VERTEX[r.J - 1], b = r.VERTEX[r.J];
  const auto [trace, out, exitCode, clockMs] = km_test::RunBody([&] { RunCheck(r); });
  EXPECT_TRUE(r.result != 0 || trace.empty()) << trace;
  EXPECT_TRUE(r.result == 0 || clockMs == 4200 + 36 * (std::abs(a.x - b.x) + std::abs(a.y - b.y)) / 12) << clockMs;
  return r.result;
}

TEST(NewEdgeChecks, RefuseOnlyTheirOwnGeometryInEitherOrientation) {
  const struct { Check check; std::vector<Point> points; int i, result; } cases[] = {
      // Crossing interiors.
      {Crossing, {{0, 100}, {48, 100}, {48, 124}, {24, 124}, {24, 76}}, 1, -1},
      // Ending on the earlier edge, starting at its end, an L, parallel, i = 0.
      {Crossing, {{0, 100}, {48, 100}, {48, 124}, {24, 124}, {24, 100}}, 1, 0},
      {Crossing, {{0, 100}, {48, 100}, {48, 76}}, 1, 0},
      {Crossing, {{0, 0}, {0, 48}, {48, 48}}, 1, 0},
      {Crossing, {{0, 0}, {48, 0}, {48, 12}, {0, 12}}, 1, 0},
      {Crossing, {{0, 100}, {48, 100}, {48, 124}, {24, 124}, {24, 76}}, 0, 0},
      // Running back over one lattice step of the first edge, from either side.
      {Shared, {{0, 0}, {48, 0}, {48, 12}, {36, 12}, {36, 0}, {60, 0}}, 1, -1},
      {Shared, {{0, 0}, {0, 48}, {12, 48}, {12, 36}, {-12, 36}, {-12, 12}, {0, 12}, {0, 24}}, 1, -1},
      // End to end, a gap, parallel, perpendicular, i = 0.
      {Shared, {{0, 0}, {48, 0}, {48, 12}, {-12, 12}, {-12, 0}, {0, 0}}, 1, 0},
      {Shared, {{0, 0}, {48, 0}, {48, 12}, {60, 12}, {60, 0}, {96, 0}}, 1, 0},
      {Shared, {{0, 0}, {48, 0}, {48, 12}, {0, 12}}, 1, 0},
      {Shared, {{0, 0}, {48, 0}, {48, 12}}, 1, 0},
      {Shared, {{0, 0}, {48, 0}, {48, 12}, {36, 12}, {36, 0}, {60, 0}}, 0, 0},
      // The new end strictly inside a perpendicular edge.
      {Touched, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}}, 1, -1},
      // Ending on the earlier edge's end vertex is no contact but an overlap.
      {Touched, {{0, 0}, {48, 0}, {48, 24}, {0, 24}, {0, 12}, {48, 12}, {48, 0}}, 1, 0},
      {Overlap, {{0, 0}, {48, 0}, {48, 24}, {0, 24}, {0, 12}, {48, 12}, {48, 0}}, 1, -1},
      // The new edge's start on an earlier edge is not tested; overlap needs the same vertex.
      {Touched, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}, {24, -24}}, 1, 0},
      {Overlap, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}}, 1, 0},
      {Overlap, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}}, 2, 0},
      {Overlap, {{0, 0}, {24, 0}, {24, 24}, {48, 24}, {48, 12}, {24, 12}, {24, 0}}, 1, -1},
  };
  for (std::size_t k = 0; k < std::size(cases); ++k)
    for (bool mirrored : {false, true})
      EXPECT_EQ(Result(cases[k].check, cases[k].points, cases[k].i, mirrored), cases[k].result) << k << mirrored;
  // Edges 0 and 1 meet at (24, 12), inside the new edge (0,12)-(48,12); edge 5 ends at its start.
  const std::vector<Point> p = {{24, -24}, {24, 12}, {24, 36}, {60, 36}, {60, -36}, {0, -36}, {0, 12}, {48, 12}};
  for (int i = 1; i <= 6; ++i)
    for (Check check : {Crossing, Shared, Touched, Overlap})
      for (bool mirrored : {false, true}) EXPECT_EQ(Result(check, p, i, mirrored), 0) << i << check << mirrored;
}

}  // namespace
}  // namespace korvane
