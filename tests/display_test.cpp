// The display of a pass, checked through the call trace.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>

#include "bgi/headless.h"
#include "editor/display.h"

namespace {

using korvane::Point;
using korvane::PointArray;

std::function<void()> gBody;
int RunBody() {
  gBody();
  return 0;
}

struct Traced {
  std::string trace;
  long long clockMs = 0;
};

Traced Trace(std::function<void()> body) {
  gBody = std::move(body);
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  const bgi::HeadlessResult result = bgi::runHeadless(&RunBody, "", options);
  return {trace.str(), result.clockMs};
}

PointArray Chain(std::initializer_list<Point> points) {
  PointArray a;
  int i = 0;
  for (const Point& p : points) a[i++] = p;
  return a;
}

std::string Overlay(int x1, int y1, int x2, int y2) {
  return "setlinestyle 0 1 2\nsetcolor 14\nmoveto " + std::to_string(x1) + " " + std::to_string(y1) + "\nlineto " +
         std::to_string(x2) + " " + std::to_string(y2) + "\nsetcolor 15\n";
}

std::string Sharing(const PointArray& U, int W) {
  return Trace([&] { korvane::EdgeSharing(U, W, korvane::Xconst); }).trace;
}

TEST(InputCircuit, PaintsContourBlackAndRemovesBothEndMarkers) {
  const PointArray V = Chain({{136, 136}, {100, 136}, {100, 100}, {136, 100}, {136, 136}});
  const std::string cross =
      "moveto 136 136\nsetcolor 0\nlineto 128 136\nmoveto 136 136\nlineto 144 136\nmoveto 136 136\n"
      "lineto 136 128\nmoveto 136 136\nlineto 136 144\nmoveto 136 136\nsetcolor 15\n";
  EXPECT_EQ(Trace([&] { korvane::InputCircuit(V, 4, 8); }).trace,
            "moveto 136 136\nsetlinestyle 0 1 3\nsetcolor 0\n"
            "lineto 100 136\nlineto 100 100\nlineto 136 100\nlineto 136 136\n" +
                cross + cross);
}

TEST(InputCircuit, OpenContourMarkersAtBothEnds) {
  const PointArray V = Chain({{10, 20}, {10, 44}});
  EXPECT_EQ(Trace([&] { korvane::InputCircuit(V, 1, 3); }).trace,
            "moveto 10 20\nsetlinestyle 0 1 3\nsetcolor 0\nlineto 10 44\n"
            "moveto 10 20\nsetcolor 0\nlineto 7 20\nmoveto 10 20\nlineto 13 20\nmoveto 10 20\n"
            "lineto 10 17\nmoveto 10 20\nlineto 10 23\nmoveto 10 20\nsetcolor 15\n"
            "moveto 10 44\nsetcolor 0\nlineto 7 44\nmoveto 10 44\nlineto 13 44\nmoveto 10 44\n"
            "lineto 10 41\nmoveto 10 44\nlineto 10 47\nmoveto 10 44\nsetcolor 15\n");
}

TEST(FinalDrawing, BlinksThreeTimesWithAlternatingColours) {
  const PointArray U = Chain({{0, 0}, {12, 0}, {12, 12}, {0, 0}});
  const std::string shown = "moveto 0 0\nsetcolor 9\nlineto 12 0\nsetcolor 12\nlineto 12 12\nsetcolor 9\nlineto 0 0\n"
                            "delay 600\n";
  const std::string erased = "moveto 0 0\nsetcolor 0\nlineto 12 0\nlineto 12 12\nlineto 0 0\ndelay 600\n";
  const Traced t = Trace([&] { korvane::FinalDrawing(U, 3, 6); });
  EXPECT_EQ(t.trace, "setlinestyle 0 1 1\n" + shown + erased + shown + erased + shown);
  EXPECT_EQ(t.clockMs, 3000);
}

TEST(FinalDrawing, EmptyPolygonStillTakesItsFiveWaits) {
  const PointArray U = Chain({{5, 7}});
  const Traced t = Trace([&] { korvane::FinalDrawing(U, 0, 6); });
  const std::string shown = "moveto 5 7\ndelay 600\n";
  const std::string erased = "moveto 5 7\nsetcolor 0\ndelay 600\n";
  EXPECT_EQ(t.trace, "setlinestyle 0 1 1\n" + shown + erased + shown + erased + shown);
  EXPECT_EQ(t.clockMs, 3000);
}

TEST(FinalDrawing, WaitsScaleWithTheTimeUnit) {
  const PointArray U = Chain({{0, 0}, {12, 0}});
  EXPECT_EQ(Trace([&] { korvane::FinalDrawing(U, 1, 2); }).clockMs, 1000);
}

TEST(EdgeSharing, NoEdgeOrOneEdgeDrawsNothing) {
  EXPECT_EQ(Sharing(Chain({{100, 100}}), 0), "");
  EXPECT_EQ(Sharing(Chain({{100, 100}, {100, 100}}), 1), "");
  EXPECT_EQ(Sharing(Chain({{100, 100}, {160, 100}}), 1), "");
}

TEST(EdgeSharing, AxisParallelOverlaps) {
  // Horizontal edges meeting end to end.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {124, 100}, {160, 100}}), 2), "");
  // Edge 0 from 100 to 124, edge 3 from 112 to 160 on the same line.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {124, 100}, {130, 130}, {112, 100}, {160, 100}}), 4),
            Overlay(112, 100, 124, 100));
  // Edge 3 lies inside edge 0.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {200, 100}, {180, 130}, {130, 100}, {160, 100}}), 4),
            Overlay(130, 100, 160, 100));
  // Vertical edges, partial overlap in the other direction of travel.
  EXPECT_EQ(Sharing(Chain({{50, 300}, {50, 200}, {80, 170}, {50, 250}, {50, 150}}), 4), Overlay(50, 200, 50, 250));
  // Vertical edges meeting end to end.
  EXPECT_EQ(Sharing(Chain({{50, 300}, {50, 200}, {50, 150}}), 2), "");
}

TEST(EdgeSharing, ThereAndBackIsOverlaidWhole) {
  EXPECT_EQ(Sharing(Chain({{100, 100}, {100, 160}, {100, 100}}), 2), Overlay(100, 100, 100, 160));
  EXPECT_EQ(Sharing(Chain({{160, 40}, {100, 40}, {160, 40}}), 2), Overlay(100, 40, 160, 40));
  EXPECT_EQ(Sharing(Chain({{100, 100}, {160, 130}, {100, 100}}), 2), Overlay(100, 100, 160, 130));
  // Falling oblique edge: the overlay runs from the smaller x with its own y.
  EXPECT_EQ(Sharing(Chain({{100, 130}, {160, 100}, {100, 130}}), 2), Overlay(100, 130, 160, 100));
}

TEST(EdgeSharing, ObliqueEdges) {
  // Partial overlap on one line: the ends come from both edges.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {160, 130}, {170, 300}, {130, 115}, {190, 145}}), 4),
            Overlay(130, 115, 160, 130));
  // The same with the second edge running the other way.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {160, 130}, {170, 300}, {190, 145}, {130, 115}}), 4),
            Overlay(130, 115, 160, 130));
  // Equal slope on parallel lines.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {160, 130}, {160, 140}, {100, 110}}), 3), "");
  // Collinear oblique edges meeting end to end.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {160, 130}, {220, 160}}), 2), "");
}

TEST(EdgeSharing, ZeroLengthEdgeCountsAsVertical) {
  // Inside a vertical edge: an overlay of length zero; beside the horizontal
  // edge that follows it: nothing.
  EXPECT_EQ(Sharing(Chain({{100, 100}, {100, 200}, {130, 170}, {100, 150}, {100, 150}, {60, 150}}), 5),
            Overlay(100, 150, 100, 150));
}

TEST(EdgeSharing, EveryPairDrawsInVisitingOrder) {
  // A stretch run three times: pairs (0,1), (0,2), (1,2).
  EXPECT_EQ(Sharing(Chain({{0, 0}, {48, 0}, {12, 0}, {36, 0}}), 3),
            Overlay(12, 0, 48, 0) + Overlay(12, 0, 36, 0) + Overlay(12, 0, 36, 0));
}

TEST(EdgeSharing, SharedCoreKeepsTheLineStyleWhenAsked) {
  const PointArray U = Chain({{100, 100}, {100, 160}, {100, 100}});
  PointArray XYmin;
  PointArray XYmax;
  korvane::SlopeArray Slope;
  EXPECT_EQ(Trace([&] { korvane::DrawOverlaps(U, 2, XYmin, XYmax, Slope, korvane::Xconst, false); }).trace,
            "setcolor 14\nmoveto 100 100\nlineto 100 160\nsetcolor 15\n");
  // The caller's tables hold the edges afterwards.
  EXPECT_EQ(XYmin[1], (Point{100, 100}));
  EXPECT_EQ(XYmax[1], (Point{100, 160}));
  EXPECT_EQ(Slope[1], static_cast<double>(korvane::Xconst));
}

}  // namespace
