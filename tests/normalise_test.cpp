#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "bgi/headless.h"
#include "editor/normalise.h"

namespace korvane {
namespace {

// Loads the points into a contour array and returns the last index.
int Load(PointArray& a, std::initializer_list<Point> points) {
  int k = 0;
  for (const Point& p : points) a[k++] = p;
  return k - 1;
}

std::vector<Point> Chain(const PointArray& a, int last) {
  std::vector<Point> out;
  for (int k = 0; k <= last; ++k) out.push_back(a[k]);
  return out;
}

std::vector<Point> Pts(std::initializer_list<Point> points) { return points; }

// Rotation draws, so it runs inside a headless session; the trace is returned.
struct RotationCall {
  char t;
  int J;
  PointArray* VERTEX;
  int Turner;
};
RotationCall gCall;

int RotationEntry() {
  Rotation(gCall.t, gCall.J, *gCall.VERTEX, Xconst, gCall.Turner);
  return 0;
}

std::string RunRotation(char t, int J, PointArray& VERTEX, int Turner) {
  gCall = {t, J, &VERTEX, Turner};
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  bgi::runHeadless(&RotationEntry, "", options);
  return trace.str();
}

TEST(VertexContour, DropsStraightVerticesAndKeepsTheEnds) {
  PointArray v;
  int J = Load(v, {{100, 100}, {136, 100}, {172, 100}, {172, 136}, {100, 136}, {100, 100}});
  VertexContour(J, v);
  EXPECT_EQ(J, 4);
  EXPECT_EQ(Chain(v, 4), Pts({{100, 100}, {172, 100}, {172, 136}, {100, 136}, {100, 100}}));
  EXPECT_EQ(v[5], (Point{100, 100}));  // beyond the new end: left as it was

  PointArray open;
  J = Load(open, {{100, 100}, {124, 100}, {148, 100}, {148, 136}});
  VertexContour(J, open);
  EXPECT_EQ(J, 2);
  EXPECT_EQ(Chain(open, 2), Pts({{100, 100}, {148, 100}, {148, 136}}));
}

TEST(VertexContour, CollapsesARunIntoOneEdgeAndKeepsReversals) {
  PointArray v;
  int J = Load(v, {{0, 0}, {12, 0}, {24, 0}, {36, 0}, {36, 12}, {36, 0}, {48, 0}});
  VertexContour(J, v);
  // The run along y = 0 becomes one edge; the doubling back at (36, 12) stays.
  EXPECT_EQ(J, 4);
  EXPECT_EQ(Chain(v, 4), Pts({{0, 0}, {36, 0}, {36, 12}, {36, 0}, {48, 0}}));
}

TEST(VertexContour, LeavesAContourWithoutInnerVerticesAlone) {
  PointArray v;
  v[0] = {10, 10};
  v[1] = {20, 10};
  int J = 0;
  VertexContour(J, v);
  EXPECT_EQ(J, 0);
  J = 1;
  VertexContour(J, v);
  EXPECT_EQ(J, 1);
  EXPECT_EQ(v[1], (Point{20, 10}));
}

TEST(Rotation, SquareStartsAtItsExtremeVertexInBothSenses) {
  const auto clockwise = Pts({{136, 136}, {100, 136}, {100, 100}, {136, 100}, {136, 136}});
  const auto counter = Pts({{136, 136}, {136, 100}, {100, 100}, {100, 136}, {136, 136}});
  // Whichever start and sense the square comes in with.
  const std::vector<std::vector<Point>> inputs = {
      {{100, 100}, {136, 100}, {136, 136}, {100, 136}, {100, 100}},
      {{100, 100}, {100, 136}, {136, 136}, {136, 100}, {100, 100}},
      {{136, 100}, {100, 100}, {100, 136}, {136, 136}, {136, 100}},
  };
  for (const auto& in : inputs) {
    for (int Turner = 0; Turner <= 1; ++Turner) {
      PointArray v;
      for (int k = 0; k <= 4; ++k) v[k] = in[static_cast<std::size_t>(k)];
      RunRotation('@', 4, v, Turner);
      EXPECT_EQ(Chain(v, 4), Turner == 0 ? clockwise : counter) << "Turner " << Turner;
    }
  }
}

TEST(Rotation, DrawsTheIncomingContourInWhite) {
  PointArray v;
  const int J = Load(v, {{100, 100}, {136, 100}, {136, 136}, {100, 136}, {100, 100}});
  const std::string trace = RunRotation('@', J, v, 0);
  EXPECT_EQ(trace,
            "setlinestyle 0 1 1\nsetcolor 15\nmoveto 100 100\nlineto 136 100\nlineto 136 136\n"
            "lineto 100 136\nlineto 100 100\n");
}

TEST(Rotation, SingleEdgeRunsByTheOrientationAlone) {
  for (const auto& in : {Pts({{100, 100}, {136, 100}}), Pts({{136, 100}, {100, 100}})}) {
    PointArray v;
    v[0] = in[0];
    v[1] = in[1];
    RunRotation('@', 1, v, 0);
    EXPECT_EQ(Chain(v, 1), Pts({{100, 100}, {136, 100}}));
    RunRotation('@', 1, v, 1);
    EXPECT_EQ(Chain(v, 1), Pts({{136, 100}, {100, 100}}));
  }
}

TEST(Rotation, OpenChainTurnsRightAtAnInnerExtremeForTheClockwisePass) {
  // Extreme vertex (148, 136) inside the chain; east, south, west is a right turn there.
  const auto right = Pts({{100, 100}, {148, 100}, {148, 136}, {124, 136}});
  const auto left = Pts({{124, 136}, {148, 136}, {148, 100}, {100, 100}});
  for (const auto& in : {right, left}) {
    PointArray v;
    for (int k = 0; k <= 3; ++k) v[k] = in[static_cast<std::size_t>(k)];
    RunRotation('@', 3, v, 0);
    EXPECT_EQ(Chain(v, 3), right);
    RunRotation('@', 3, v, 1);
    EXPECT_EQ(Chain(v, 3), left);
  }
  // Ending at the extreme vertex: kept for the clockwise pass, reversed for the other.
  PointArray v;
  Load(v, {{100, 100}, {136, 100}, {136, 136}});
  RunRotation('@', 2, v, 0);
  EXPECT_EQ(Chain(v, 2), Pts({{100, 100}, {136, 100}, {136, 136}}));
  RunRotation('@', 2, v, 1);
  EXPECT_EQ(Chain(v, 2), Pts({{136, 136}, {136, 100}, {100, 100}}));
}

TEST(Rotation, EnterDrawsAndChangesNothing) {
  PointArray v;
  const int J = Load(v, {{100, 100}, {136, 100}, {136, 136}, {100, 136}, {100, 100}});
  EXPECT_EQ(RunRotation('\r', J, v, 0), "");
  EXPECT_EQ(Chain(v, J), Pts({{100, 100}, {136, 100}, {136, 136}, {100, 136}, {100, 100}}));
  EXPECT_EQ(RotAdjust('\r', J, v, Xgrid, Ygrid), 0);
  EXPECT_EQ(Chain(v, J), Pts({{100, 100}, {136, 100}, {136, 136}, {100, 136}, {100, 100}}));
}

TEST(RotAdjust, PrefersTheFirstCornerWithTwoLongEdges) {
  PointArray v;
  const int J = Load(v, {{136, 136}, {136, 100}, {100, 100}, {100, 136}, {136, 136}});
  RotAdjust('@', J, v, Xgrid, Ygrid);
  EXPECT_EQ(Chain(v, J), Pts({{136, 100}, {100, 100}, {100, 136}, {136, 136}, {136, 100}}));
}

TEST(RotAdjust, ElseTakesTheLongestMeasuredEdgeFirstOnATie) {
  PointArray v;
  const int J = Load(v, {{136, 112}, {136, 100}, {100, 100}, {100, 112}, {136, 112}});
  RotAdjust('@', J, v, Xgrid, Ygrid);
  EXPECT_EQ(Chain(v, J), Pts({{136, 100}, {100, 100}, {100, 112}, {136, 112}, {136, 100}}));

  // A plus with teeth of lengths 12, 24, 36 and 12: no corner has two long
  // edges; the left tooth's tip (60, 108) measures 36 and beats the top
  // tooth (24) and the equal 36 of the corner after it.
  PointArray w;
  const int JW = Load(w, {{144, 120}, {144, 108}, {132, 108}, {132, 96}, {120, 96}, {120, 72}, {108, 72},
                          {108, 96}, {96, 96},   {96, 108},  {60, 108},  {60, 120}, {96, 120}, {96, 132},
                          {108, 132}, {108, 144}, {120, 144}, {120, 132}, {132, 132}, {132, 120}, {144, 120}});
  RotAdjust('@', JW, w, Xgrid, Ygrid);
  EXPECT_EQ(Chain(w, JW), Pts({{60, 108},  {60, 120},  {96, 120},  {96, 132},  {108, 132}, {108, 144}, {120, 144},
                               {120, 132}, {132, 132}, {132, 120}, {144, 120}, {144, 108}, {132, 108}, {132, 96},
                               {120, 96},  {120, 72},  {108, 72},  {108, 96},  {96, 96},   {96, 108},  {60, 108}}));
}

TEST(RotAdjust, OneStepCornersLeaveTheContourAlone) {
  PointArray v;
  const int J = Load(v, {{112, 112}, {112, 100}, {100, 100}, {100, 112}, {112, 112}});
  RotAdjust('@', J, v, Xgrid, Ygrid);
  EXPECT_EQ(Chain(v, J), Pts({{112, 112}, {112, 100}, {100, 100}, {100, 112}, {112, 112}}));
}

}  // namespace
}  // namespace korvane
