#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "editor/corridor.h"
#include "editor/forward.h"

namespace korvane {
namespace {

// The arrays of one pass, zero at start like the editor's. A contour is
// written "x y, ...", a polygon "x y iT, ..." with source index i and tag T.
struct Pass {
  PointArray V, O, H, Z;
  IntArray I, K;
  TagArray C;
  int J = -1, W = -1;
  void Load(const std::string& polygon) {
    std::istringstream in(polygon);
    int x = 0, y = 0;
    for (W = -1; in >> x >> y >> I[W + 1] >> C[W + 1]; in.ignore(1)) Z[++W] = {std::int16_t(x), std::int16_t(y)};
  }
  std::string Result() const {
    std::ostringstream out;
    for (int k = 0; k <= W; ++k) out << (k ? ", " : "") << Z[k].x << ' ' << Z[k].y << ' ' << I[k] << C[k];
    return out.str();
  }
};

// Builds the offset contour, swaps in the offset start as the pass driver
// does for a closed counter-clockwise pass, and runs the first phases.
std::string RunPass(const std::string& contour, int Turner) {
  auto p = std::make_unique<Pass>();
  std::istringstream in(contour);
  for (int x = 0, y = 0; in >> x >> y; in.ignore(1)) p->V[++p->J] = {std::int16_t(x), std::int16_t(y)};
  Corridor('@', p->J, p->V, p->O, p->H, Xgrid, Ygrid, Xconst, Turner);
  if (Turner == 1 && p->V[p->J] == p->V[0]) p->V[0] = p->V[p->J] = p->O[0];
  TautPolygon('@', p->J, p->W, p->V, p->O, p->H, p->Z, p->I, p->K, p->C, Xgrid, Ygrid, Turner);
  return p->Result();
}

TEST(TautPolygon, HandWorkedContours) {
  const struct { const char *name, *contour; int Turner; const char* expected; } cases[] = {
      {"convex: the contour itself", "136 136, 100 136, 100 100, 136 100, 136 136", 0,
       "136 136 0b, 100 136 1b, 100 100 2b, 136 100 3b, 136 136 4b"},
      {"single edge: no cycle", "100 100, 136 100", 0, "100 100 0b, 136 100 1b"},
      {"L: cut at the offset corner", "160 160, 100 160, 100 100, 124 100, 124 136, 160 136, 160 160", 0,
       "160 160 0b, 100 160 1b, 100 100 2b, 124 100 3b, 136 124 4r, 160 136 5b, 160 160 6b"},
      {"staircase: over the outer corners", "100 100, 124 100, 124 124, 148 124, 148 148, 172 148", 0,
       "100 100 0b, 124 100 1b, 148 124 3b, 172 148 5b"},
      {"plus: over the tips", "144 120, 132 120, 132 132, 120 132, 120 144, 108 144, 108 132, 96 132, 96 120, "
       "84 120, 84 108, 96 108, 96 96, 108 96, 108 84, 120 84, 120 96, 132 96, 132 108, 144 108, 144 120", 0,
       "144 120 0b, 132 132 2b, 120 144 4b, 108 144 5b, 96 132 7b, 84 120 9b, 84 108 10b, 96 96 12b, 108 84 14b, "
       "120 84 15b, 132 96 17b, 144 108 19b, 144 120 20b"},
      {"deep notch: tooth test, tie", "156 144, 96 144, 96 96, 120 96, 120 120, 132 120, 132 96, 156 96, 156 144", 0,
       "156 144 0b, 96 144 1b, 96 96 2b, 120 96 3b, 120 108 5f, 132 96 6b, 156 96 7b, 156 144 8b"},
      {"one-cell notch: merged tag", "180 144, 96 144, 96 96, 144 96, 144 108, 156 108, 156 96, 180 96, 180 144", 0,
       "180 144 0b, 96 144 1b, 96 96 2b, 144 96 5f, 156 96 6b, 180 96 7b, 180 144 8b"},
      {"one-cell notch ccw: start case", "180 96, 156 96, 156 108, 144 108, 144 96, 96 96, 96 144, 180 144, 180 96", 1,
       "168 108 0r, 168 108 1r, 144 108 3b, 108 108 5r, 108 132 6r, 168 132 7r, 168 108 8b"},
      {"one cell: closed on start", "112 112, 112 100, 100 100, 100 112, 112 112", 1, "100 112 0r, 100 112 4r"},
      {"two cells: closing replacement", "124 100, 100 100, 100 112, 124 112, 124 100", 1, "112 112 0r, 112 112 0r"},
      {"three cells: too long to collapse", "136 100, 100 100, 100 112, 136 112, 136 100", 1,
       "124 112 0r, 112 112 1r, 124 112 4b"},
      {"ccw stairs: chain, trim", "156 96, 144 96, 144 108, 132 108, 132 120, 120 120, "
       "120 132, 108 132, 108 144, 156 144, 156 96", 1, "144 108 0r, 120 132 8f, 144 132 9r, 144 108 10b"},
      {"early end: J-2 pushed twice", "156 96, 96 96, 96 108, 108 108, 108 120, 144 120, 144 108, 156 108, 156 96", 1,
       "144 108 0r, 108 108 1r, 144 108 6b"},
  };
  for (const auto& c : cases) EXPECT_EQ(RunPass(c.contour, c.Turner), c.expected) << c.name;
}

TEST(TautPolygon, FullLengthContourStaysInsideItsArrays) {
  // An open staircase of 999 edges: every lookup past the last vertex has no point.
  std::ostringstream stairs, expected;
  expected << "100 100 0b";
  for (int k = 0; k <= 999; ++k) {
    const int y = 100 + 24 * (k / 2), x = y + 24 * (k % 2);
    stairs << x << ' ' << y << ", ";
    if (k % 2) expected << ", " << x << ' ' << y << ' ' << k << 'b';
  }
  EXPECT_EQ(RunPass(stairs.str(), 0), expected.str());
}

TEST(ForwardPhase, EnterOrNoEdgeAndTheCleanUpsOnHandMadePolygons) {
  // Enter or a contour without an edge: the polygon is left empty, with last index 0.
  // Offset advance: Z[2], on the row of offset corners 1 and 3, moves to corner 3; Z[1] follows to corner 2
  // only when its incoming edge is shorter than that step. At the last i the point after Z[W] is Z[1] when
  // the polygon is closed; an open one stays. Start trim: drops a second vertex one step off the start, but
  // not after a vertex beyond a notch (index -1).
  const char* row = "0 0 0b, 12 12 1r, 48 12 2b, 60 12 3r";
  const struct { char phase; Point O2; const char *in, *out; } cases[] = {
      {'\r', {}, "5 5 0b, 6 6 1b", "5 5 0b"}, {'@', {}, "5 5 0b, 6 6 1b", "5 5 0b"},
      {'M', {}, "0 0 0b, 0 0 1b, 12 0 2b, 12 0 3r, 12 0 4c, 24 0 5r, 24 0 6b, 36 0 7b, 36 0 8r",
       "0 0 0b, 0 0 1b, 12 0 4c, 24 0 5r, 36 0 8r"},
      {'m', {}, "7 7 0b, 8 8 1r", "7 7 0b, 8 8 1r"},
      {'A', {36, 0}, row, "0 0 0b, 12 12 1r, 36 12 3r, 60 12 3r"},
      {'A', {36, -12}, row, "0 0 0b, 36 -12 2f, 36 12 3r, 60 12 3r"},
      {'A', {36, 0}, "48 12 0b, 0 0 0r, 12 12 1r, 48 12 2b", "48 12 0b, 0 0 0r, 12 12 1r, 36 12 3r"},
      {'A', {36, 0}, "48 24 0b, 0 0 0r, 12 12 1r, 48 12 2b", "48 24 0b, 0 0 0r, 12 12 1r, 48 12 2b"},
      {'T', {}, "12 0 0r, 12 12 1r, 60 60 4b, 90 90 5b, 12 0 6b", "12 0 0r, 60 60 4b, 90 90 5b, 12 0 6b"},
      {'T', {}, "12 0 0r, 12 12 1r, 60 60 4b, 90 90 -1b, 12 0 6b", "12 0 0r, 12 12 1r, 60 60 4b, 90 90 -1b, 12 0 6b"},
  };
  for (const auto& c : cases) {
    auto p = std::make_unique<Pass>();
    p->Load(c.in);
    p->V[0] = {12, 0}, p->V[1] = {0, 0}, p->V[5] = {80, 12};
    p->O[1] = {12, 12}, p->O[2] = c.O2, p->O[3] = {36, 12};
    if (c.phase == '\r' || c.phase == '@')
      ForwardPhase(c.phase, c.phase == '@' ? 0 : 4, p->W, p->V, p->O, p->H, p->Z, p->I, p->K, p->C, Xgrid, Ygrid, 0);
    if (c.phase == 'm') p->W = 0;  // a last index of 0 comes out of the merge as 1
    if (c.phase == 'M' || c.phase == 'm') RepeatMerge(p->W, p->Z, p->I, p->C);
    if (c.phase == 'A') OffsetAdvance(6, p->W, p->V, p->O, p->Z, p->I, p->C);
    if (c.phase == 'T') StartTrim(6, p->W, p->V, p->O, p->Z, p->I, p->C, Xgrid, Ygrid);
    EXPECT_EQ(p->Result(), c.out) << c.phase << ' ' << c.in;
  }
}

}  // namespace
}  // namespace korvane
