#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "editor/corridor.h"
#include "editor/forward.h"

namespace korvane {
namespace {

using Pts = std::vector<Point>;

struct Vertex {
  Point p;
  int index;
  char tag;
  friend bool operator==(const Vertex&, const Vertex&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Vertex& v) {
    return os << "(" << v.p.x << "," << v.p.y << ") " << v.index << v.tag;
  }
};
using Polygon = std::vector<Vertex>;

// The arrays of one pass, zero at start like the editor's.
struct Pass {
  PointArray V, O, H, Z;
  IntArray I, K;
  TagArray C;
  int J = 0;
  int W = -1;

  Polygon Result() const {
    Polygon out;
    for (int k = 0; k <= W; ++k) out.push_back({Z[k], I[k], C[k]});
    return out;
  }
};

// Builds the offset contour of a normalised contour, swaps in the offset
// start as the pass driver does for a closed counter-clockwise pass, and runs
// the first phases of the forward pass.
std::unique_ptr<Pass> RunPass(const Pts& contour, int Turner) {
  auto p = std::make_unique<Pass>();
  for (const Point& q : contour) p->V[p->J++] = q;
  --p->J;
  Corridor('@', p->J, p->V, p->O, p->H, Xgrid, Ygrid, Xconst, Turner);
  if (Turner == 1 && p->V[p->J] == p->V[0]) p->V[0] = p->V[p->J] = p->O[0];
  TautPolygon('@', p->J, p->W, p->V, p->O, p->H, p->Z, p->I, p->K, p->C, Xgrid, Ygrid, Turner);
  return p;
}

// The contour itself, every vertex a 'b' with its own index.
Polygon AsContour(const Pts& contour) {
  Polygon out;
  for (int k = 0; k < static_cast<int>(contour.size()); ++k) out.push_back({contour[static_cast<std::size_t>(k)], k, 'b'});
  return out;
}

TEST(TautPolygon, ConvexFigureAndSingleEdgeAreTheContourItself) {
  const Pts square{{136, 136}, {100, 136}, {100, 100}, {136, 100}, {136, 136}};
  EXPECT_EQ(RunPass(square, 0)->Result(), AsContour(square));
  const Pts edge{{100, 100}, {136, 100}};
  EXPECT_EQ(RunPass(edge, 0)->Result(), AsContour(edge));
}

TEST(TautPolygon, ConcaveCornerIsCutAtItsOffsetCorner) {
  const Pts l{{160, 160}, {100, 160}, {100, 100}, {124, 100}, {124, 136}, {160, 136}, {160, 160}};
  EXPECT_EQ(RunPass(l, 0)->Result(), (Polygon{{{160, 160}, 0, 'b'},
                                          {{100, 160}, 1, 'b'},
                                          {{100, 100}, 2, 'b'},
                                          {{124, 100}, 3, 'b'},
                                          {{136, 124}, 4, 'r'},
                                          {{160, 136}, 5, 'b'},
                                          {{160, 160}, 6, 'b'}}));
}

TEST(TautPolygon, StaircaseRunsOverItsOuterCorners) {
  const Pts stairs{{100, 100}, {124, 100}, {124, 124}, {148, 124}, {148, 148}, {172, 148}};
  EXPECT_EQ(RunPass(stairs, 0)->Result(),
            (Polygon{{{100, 100}, 0, 'b'}, {{124, 100}, 1, 'b'}, {{148, 124}, 3, 'b'}, {{172, 148}, 5, 'b'}}));
}

TEST(TautPolygon, PlusWithOneCellTeethRunsOverTheTips) {
  const Pts plus{{144, 120}, {132, 120}, {132, 132}, {120, 132}, {120, 144}, {108, 144}, {108, 132},
                 {96, 132},  {96, 120},  {84, 120},  {84, 108},  {96, 108},  {96, 96},   {108, 96},
                 {108, 84},  {120, 84},  {120, 96},  {132, 96},  {132, 108}, {144, 108}, {144, 120}};
  Polygon expected;
  for (int k : {0, 2, 4, 5, 7, 9, 10, 12, 14, 15, 17, 19, 20}) expected.push_back({plus[static_cast<std::size_t>(k)], k, 'b'});
  EXPECT_EQ(RunPass(plus, 0)->Result(), expected);
}

TEST(TautPolygon, NotchOneCellWide) {
  // Two cells deep: the tooth test keeps the corner before the notch, and
  // the tie between the two offset corners takes the later one.
  const Pts deep{{156, 144}, {96, 144}, {96, 96}, {120, 96}, {120, 120}, {132, 120}, {132, 96}, {156, 96}, {156, 144}};
  EXPECT_EQ(RunPass(deep, 0)->Result(), (Polygon{{{156, 144}, 0, 'b'},
                                             {{96, 144}, 1, 'b'},
                                             {{96, 96}, 2, 'b'},
                                             {{120, 96}, 3, 'b'},
                                             {{120, 108}, 5, 'f'},
                                             {{132, 96}, 6, 'b'},
                                             {{156, 96}, 7, 'b'},
                                             {{156, 144}, 8, 'b'}}));

  // One cell deep: the path runs straight over it; the notch vertex lands on
  // the corner before it and the merge hands its tag on.
  const Pts shallow{{180, 144}, {96, 144}, {96, 96}, {144, 96}, {144, 108}, {156, 108}, {156, 96}, {180, 96}, {180, 144}};
  EXPECT_EQ(RunPass(shallow, 0)->Result(), (Polygon{{{180, 144}, 0, 'b'},
                                                {{96, 144}, 1, 'b'},
                                                {{96, 96}, 2, 'b'},
                                                {{144, 96}, 5, 'f'},
                                                {{156, 96}, 6, 'b'},
                                                {{180, 96}, 7, 'b'},
                                                {{180, 144}, 8, 'b'}}));

  // The same contour counter-clockwise: the start case moves the second
  // vertex onto the offset start, the pivots wrap the inner offset contour,
  // and the first two entries stay although equal.
  const Pts counter{{180, 96}, {156, 96}, {156, 108}, {144, 108}, {144, 96}, {96, 96}, {96, 144}, {180, 144}, {180, 96}};
  EXPECT_EQ(RunPass(counter, 1)->Result(), (Polygon{{{168, 108}, 0, 'r'},
                                                {{168, 108}, 1, 'r'},
                                                {{144, 108}, 3, 'b'},
                                                {{108, 108}, 5, 'r'},
                                                {{108, 132}, 6, 'r'},
                                                {{168, 132}, 7, 'r'},
                                                {{168, 108}, 8, 'b'}}));
}

TEST(TautPolygon, NarrowCounterClockwiseContoursShrink) {
  // One cell: the polygon shrinks to the offset start and is closed on it.
  EXPECT_EQ(RunPass({{112, 112}, {112, 100}, {100, 100}, {100, 112}, {112, 112}}, 1)->Result(),
            (Polygon{{{100, 112}, 0, 'r'}, {{100, 112}, 4, 'r'}}));
  // Two cells: the closing replacement brings back the vertex removed last,
  // then the one-cell collapse keeps the start.
  EXPECT_EQ(RunPass({{124, 100}, {100, 100}, {100, 112}, {124, 112}, {124, 100}}, 1)->Result(),
            (Polygon{{{112, 112}, 0, 'r'}, {{112, 112}, 0, 'r'}}));
  // Three cells: too long to collapse.
  EXPECT_EQ(RunPass({{136, 100}, {100, 100}, {100, 112}, {136, 112}, {136, 100}}, 1)->Result(),
            (Polygon{{{124, 112}, 0, 'r'}, {{112, 112}, 1, 'r'}, {{124, 112}, 4, 'b'}}));
}

TEST(TautPolygon, CounterClockwiseStaircaseChainsAlongTheOffsetContour) {
  // A notch far from the top vertex: the chain follows the offset corners up
  // to it and pops those the path passes on the right; the start trim then
  // drops the second vertex one step off the start.
  const Pts stairs{{156, 96},  {144, 96},  {144, 108}, {132, 108}, {132, 120}, {120, 120},
                   {120, 132}, {108, 132}, {108, 144}, {156, 144}, {156, 96}};
  EXPECT_EQ(RunPass(stairs, 1)->Result(),
            (Polygon{{{144, 108}, 0, 'r'}, {{120, 132}, 8, 'f'}, {{144, 132}, 9, 'r'}, {{144, 108}, 10, 'b'}}));
}

TEST(TautPolygon, EarlyEndPushesTheLastVertexTwice) {
  // With the offset start swapped in, contour vertex J-2 equals vertex J.
  const Pts tooth{{156, 96}, {96, 96}, {96, 108}, {108, 108}, {108, 120}, {144, 120}, {144, 108}, {156, 108}, {156, 96}};
  EXPECT_EQ(RunPass(tooth, 1)->Result(), (Polygon{{{144, 108}, 0, 'r'}, {{108, 108}, 1, 'r'}, {{144, 108}, 6, 'b'}}));
}

TEST(TautPolygon, FullLengthContourStaysInsideItsArrays) {
  // An open staircase of 999 edges: every lookup past the last vertex has no point.
  Pts stairs;
  for (int k = 0; k <= 999; ++k) {
    const int step = 24 * (k / 2);
    stairs.push_back(k % 2 == 0 ? Point{static_cast<std::int16_t>(100 + step), static_cast<std::int16_t>(100 + step)}
                                : Point{static_cast<std::int16_t>(124 + step), static_cast<std::int16_t>(100 + step)});
  }
  const auto p = RunPass(stairs, 0);
  ASSERT_EQ(p->W, 500);
  EXPECT_EQ(p->Result()[0], (Vertex{stairs[0], 0, 'b'}));
  for (int k = 1; k <= 500; ++k)
    EXPECT_EQ(p->Result()[static_cast<std::size_t>(k)], (Vertex{stairs[static_cast<std::size_t>(2 * k - 1)], 2 * k - 1, 'b'}));
}

TEST(ForwardPhase, EnterOrNoEdgeLeavesAnEmptyPolygon) {
  auto p = std::make_unique<Pass>();
  p->Z[0] = {5, 5};
  p->W = 7;
  ForwardPhase('\r', 4, p->W, p->V, p->O, p->H, p->Z, p->I, p->K, p->C, Xgrid, Ygrid, 0);
  EXPECT_EQ(p->W, 0);
  EXPECT_EQ(p->Z[0], (Point{5, 5}));
  p->W = 7;
  ForwardPhase('@', 0, p->W, p->V, p->O, p->H, p->Z, p->I, p->K, p->C, Xgrid, Ygrid, 0);
  EXPECT_EQ(p->W, 0);
  EXPECT_EQ(p->Z[0], (Point{5, 5}));
}

TEST(CleanUps, RepeatMergeKeepsTheMostTellingTag) {
  auto p = std::make_unique<Pass>();
  const Polygon in{{{0, 0}, 0, 'b'},  {{0, 0}, 1, 'b'},  {{12, 0}, 2, 'b'}, {{12, 0}, 3, 'r'}, {{12, 0}, 4, 'c'},
                   {{24, 0}, 5, 'r'}, {{24, 0}, 6, 'b'}, {{36, 0}, 7, 'b'}, {{36, 0}, 8, 'b'}};
  for (int k = 0; k < 9; ++k) {
    p->Z[k] = in[static_cast<std::size_t>(k)].p;
    p->I[k] = in[static_cast<std::size_t>(k)].index;
    p->C[k] = in[static_cast<std::size_t>(k)].tag;
  }
  p->W = 8;
  RepeatMerge(p->W, p->Z, p->I, p->C);
  EXPECT_EQ(p->Result(), (Polygon{{{0, 0}, 0, 'b'}, {{0, 0}, 1, 'b'}, {{12, 0}, 4, 'c'}, {{24, 0}, 5, 'r'}, {{36, 0}, 7, 'b'}}));

  p->W = 0;
  RepeatMerge(p->W, p->Z, p->I, p->C);
  EXPECT_EQ(p->W, 1);
}

TEST(CleanUps, OffsetAdvanceMovesAlongTheOffsetContour) {
  // Z[1] sits on offset corner 1 and Z[2] on the same row, with offset corner
  // 3 on it too: Z[2] moves there; Z[1] follows to offset corner 2 only when
  // its own incoming edge is shorter than the step it would make.
  for (const bool follows : {false, true}) {
    auto p = std::make_unique<Pass>();
    p->J = 4;
    p->V[1] = {0, 24};
    p->O[1] = {12, 12};
    p->O[2] = follows ? Point{36, -12} : Point{36, 0};
    p->O[3] = {36, 12};
    const Polygon in{{{0, 24}, 0, 'b'}, {{12, 12}, 1, 'r'}, {{48, 12}, 2, 'b'}, {{60, 12}, 3, 'r'}};
    for (int k = 0; k < 4; ++k) {
      p->Z[k] = in[static_cast<std::size_t>(k)].p;
      p->I[k] = in[static_cast<std::size_t>(k)].index;
      p->C[k] = in[static_cast<std::size_t>(k)].tag;
    }
    p->W = 3;
    OffsetAdvance(p->J, p->W, p->V, p->O, p->Z, p->I, p->C);
    const Vertex first = follows ? Vertex{{36, -12}, 2, 'f'} : Vertex{{12, 12}, 1, 'r'};
    EXPECT_EQ(p->Result(), (Polygon{{{0, 24}, 0, 'b'}, first, {{36, 12}, 3, 'r'}, {{60, 12}, 3, 'r'}})) << follows;
  }
}

TEST(CleanUps, StartTrimDropsAStepOffTheStart) {
  auto p = std::make_unique<Pass>();
  p->J = 6;
  p->V[0] = {100, 100};
  p->V[5] = {80, 112};
  p->O[1] = {100, 112};
  const Polygon in{{{100, 100}, 0, 'r'}, {{100, 112}, 1, 'r'}, {{60, 60}, 4, 'b'}, {{90, 90}, 5, 'b'}, {{100, 100}, 6, 'b'}};
  auto load = [&](int tail) {
    for (int k = 0; k < 5; ++k) {
      p->Z[k] = in[static_cast<std::size_t>(k)].p;
      p->I[k] = in[static_cast<std::size_t>(k)].index;
      p->C[k] = in[static_cast<std::size_t>(k)].tag;
    }
    p->I[3] = tail;
    p->W = 4;
  };
  load(5);
  StartTrim(p->J, p->W, p->V, p->O, p->Z, p->I, p->C, Xgrid, Ygrid);
  EXPECT_EQ(p->Result(), (Polygon{{{100, 100}, 0, 'r'}, {{60, 60}, 4, 'b'}, {{90, 90}, 5, 'b'}, {{100, 100}, 6, 'b'}}));
  // The vertex before the last pushed beyond a notch has no contour vertex to compare.
  load(-1);
  StartTrim(p->J, p->W, p->V, p->O, p->Z, p->I, p->C, Xgrid, Ygrid);
  EXPECT_EQ(p->W, 4);
}

}  // namespace
}  // namespace korvane
