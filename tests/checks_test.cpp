// The four new-edge checks on hand-made contours: which geometry they refuse,
// and the exact blink-and-wipe animation of a refusal.
#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

#include "bgi/headless.h"
#include "editor/checks.h"
#include "editor/geometry.h"

namespace korvane {
namespace {

enum class Check { Intersection, Shared, Touched, Overlap };

// One call of a check on a contour given by its points; the last point is
// the new edge's end and the stroke is its last lattice step.
struct Case {
  PointArray VERTEX, XYmin, XYmax;
  SlopeArray Slope;
  StrokeArray POINT;
  int J = 0;
  int N = 1;
  int i = 1;
  Check check = Check::Intersection;
  int result = 0;
};

Case* current = nullptr;

int RunCheck() {
  Case& c = *current;
  switch (c.check) {
    case Check::Intersection:
      c.result = EdgeIntersection2(c.VERTEX, c.POINT, c.XYmin, c.XYmax, c.Slope, c.J, c.i, c.N, 12, Xconst, Wiper,
                                   WiperDelay);
      break;
    case Check::Shared:
      c.result =
          SharedEdge2(c.VERTEX, c.POINT, c.XYmin, c.XYmax, c.Slope, c.J, c.i, c.N, 11, Xconst, Wiper, WiperDelay);
      break;
    case Check::Touched:
      c.result =
          TouchedEdge2(c.VERTEX, c.POINT, c.XYmin, c.XYmax, c.Slope, c.J, c.i, c.N, 14, Xconst, Wiper, WiperDelay);
      break;
    case Check::Overlap:
      c.result = OverlapVertex2(c.VERTEX, c.POINT, c.XYmin, c.XYmax, c.Slope, c.J, c.i, c.N, CrossArm, 10, Xconst,
                                Wiper, WiperDelay);
      break;
  }
  return 0;
}

struct Outcome {
  int result;
  std::string trace;
  long long clockMs;
};

// Contour from the given points; the stroke's last step runs from one
// lattice step before the new end (along the new edge) to the new end.
Outcome RunCheckOn(Check check, std::initializer_list<Point> points, int i) {
  Case c;
  int k = 0;
  for (const Point& p : points) c.VERTEX[k++] = p;
  c.J = k - 1;
  for (int e = 1; e <= c.J; ++e) Arena(c.VERTEX, c.XYmin, c.XYmax, c.Slope, e, Xconst);
  const Point a = c.VERTEX[c.J - 1];
  const Point b = c.VERTEX[c.J];
  const int dx = (a.x > b.x) - (a.x < b.x);
  const int dy = (a.y > b.y) - (a.y < b.y);
  c.POINT[0] = Point{static_cast<std::int16_t>(b.x + 12 * dx), static_cast<std::int16_t>(b.y + 12 * dy)};
  c.POINT[1] = b;
  c.i = i;
  c.check = check;
  current = &c;
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  const bgi::HeadlessResult r = bgi::runHeadless(&RunCheck, "", options);
  current = nullptr;
  return {c.result, trace.str(), r.clockMs};
}

int Result(Check check, std::initializer_list<Point> points, int i) {
  const Outcome o = RunCheckOn(check, points, i);
  if (o.result != -1) {
    EXPECT_EQ(o.trace, "") << "a check without conflict draws nothing";
  }
  return o.result;
}

TEST(EdgeIntersection2, OnlyInteriorsCross) {
  // Vertical new edge through the middle of the first edge.
  EXPECT_EQ(Result(Check::Intersection, {{0, 100}, {48, 100}, {48, 124}, {24, 124}, {24, 76}}, 1), -1);
  // Horizontal new edge through a vertical earlier edge.
  EXPECT_EQ(Result(Check::Intersection, {{100, 0}, {100, 48}, {124, 48}, {124, 24}, {76, 24}}, 1), -1);
  // Ending exactly on the earlier edge, or starting on its end point: no crossing.
  EXPECT_EQ(Result(Check::Intersection, {{0, 100}, {48, 100}, {48, 124}, {24, 124}, {24, 100}}, 1), 0);
  EXPECT_EQ(Result(Check::Intersection, {{0, 100}, {48, 100}, {48, 76}}, 1), 0);
  // L-shaped pair at a common vertex, parallel edges, i = 0.
  EXPECT_EQ(Result(Check::Intersection, {{0, 0}, {0, 48}, {48, 48}}, 1), 0);
  EXPECT_EQ(Result(Check::Intersection, {{0, 0}, {48, 0}, {48, 12}, {0, 12}}, 1), 0);
  EXPECT_EQ(Result(Check::Intersection, {{0, 100}, {48, 100}, {48, 124}, {24, 124}, {24, 76}}, 0), 0);
}

TEST(SharedEdge2, CollinearOverlapOfPositiveLength) {
  // Running back over one lattice step of the first edge.
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {48, 0}, {48, 12}, {36, 12}, {36, 0}, {60, 0}}, 1), -1);
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {0, 48}, {12, 48}, {12, 36}, {-12, 36}, {-12, 12}, {0, 12}, {0, 24}}, 1),
            -1);
  // Meeting end to end on one line: nothing shared; a gap between them neither.
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {48, 0}, {48, 12}, {-12, 12}, {-12, 0}, {0, 0}}, 1), 0);
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {0, 48}, {24, 48}, {24, -24}, {0, -24}, {0, 0}}, 1), 0);
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {48, 0}, {48, 12}, {60, 12}, {60, 0}, {96, 0}}, 1), 0);
  // Parallel on different lines, perpendicular, i = 0.
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {48, 0}, {48, 12}, {0, 12}}, 1), 0);
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {48, 0}, {48, 12}}, 1), 0);
  EXPECT_EQ(Result(Check::Shared, {{0, 0}, {48, 0}, {48, 12}, {36, 12}, {36, 0}, {60, 0}}, 0), 0);
}

TEST(TouchedEdge2, NewEndStrictlyInsidePerpendicularEdge) {
  EXPECT_EQ(Result(Check::Touched, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}}, 1), -1);
  EXPECT_EQ(Result(Check::Touched, {{0, 0}, {0, 48}, {24, 48}, {24, 24}, {0, 24}}, 1), -1);
  // Ending on the earlier edge's end vertex is no contact, but a vertex overlap.
  EXPECT_EQ(Result(Check::Touched, {{0, 0}, {48, 0}, {48, 24}, {0, 24}, {0, 12}, {48, 12}, {48, 0}}, 1), 0);
  EXPECT_EQ(Result(Check::Overlap, {{0, 0}, {48, 0}, {48, 24}, {0, 24}, {0, 12}, {48, 12}, {48, 0}}, 1), -1);
  // The new edge's start on an earlier edge is not tested.
  EXPECT_EQ(Result(Check::Touched, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}, {24, -24}}, 1), 0);
}

TEST(Checks, EarlierEndInsideNewEdgePassesAll) {
  // Edges 0 and 1 meet at (24, 12), strictly inside the new edge (0,12)-(48,12);
  // edge 5 ends at the new edge's start.
  const std::initializer_list<Point> p = {{24, -24}, {24, 12}, {24, 36}, {60, 36}, {60, -36}, {0, -36}, {0, 12},
                                          {48, 12}};
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(Result(Check::Intersection, p, i), 0) << i;
    EXPECT_EQ(Result(Check::Shared, p, i), 0) << i;
    EXPECT_EQ(Result(Check::Touched, p, i), 0) << i;
    EXPECT_EQ(Result(Check::Overlap, p, i), 0) << i;
  }
}

TEST(OverlapVertex2, SameVertexOnly) {
  EXPECT_EQ(Result(Check::Overlap, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}}, 1), 0);
  EXPECT_EQ(Result(Check::Overlap, {{0, 0}, {48, 0}, {48, 24}, {24, 24}, {24, 0}}, 2), 0);
  EXPECT_EQ(Result(Check::Overlap, {{0, 0}, {24, 0}, {24, 24}, {48, 24}, {48, 12}, {24, 12}, {24, 0}}, 1), -1);
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

TEST(Refusal, ContactAnimation) {
  // The new edge (72,24)-(24,24) ends inside the vertical edge (24,0)-(24,48).
  const Outcome o = RunCheckOn(Check::Touched, {{24, 0}, {24, 48}, {72, 48}, {72, 24}, {24, 24}}, 1);
  ASSERT_EQ(o.result, -1);
  const std::string blinkOn = Lines({"setcolor 14", "settextstyle 8 0 3",
                                     "outtextxy 62 12 \" The Contact with other edge identified. This is not "
                                     "allowed.\\n\"",
                                     "moveto 72 24", "lineto 24 24", "moveto 24 24", "lineto 36 24"});
  const std::string blinkOff = Lines({"delay 600", "setcolor 0", "settextstyle 8 0 3",
                                      "outtextxy 62 12 \" The Contact with other edge identified. This is not "
                                      "allowed.\\n\"",
                                      "lineto 72 24", "moveto 24 24", "lineto 36 24", "delay 600"});
  std::string expected = Lines({"setcolor 10", "moveto 24 0", "lineto 24 48", "setcolor 14", "settextstyle 8 0 3",
                                "outtextxy 62 12 \" The Contact with other edge identified. This is not allowed. \\n\"",
                                "moveto 72 24", "lineto 24 24"});
  expected += blinkOn + blinkOff + blinkOn + blinkOff + blinkOn + "delay 1800\n";
  expected += Lines({"setcolor 0", "moveto 24 24", "lineto 36 24", "moveto 24 24"});
  for (int x = 26; x <= 72; x += 2) expected += "lineto " + std::to_string(x) + " 24\ndelay 6\n";
  expected += Lines({"outtextxy 62 12 \" The Contact with other edge identified. This is not allowed.  \\n\"",
                     "setcolor 15", "moveto 24 0", "lineto 24 48", "moveto 72 24"});
  EXPECT_EQ(o.trace, expected);
  EXPECT_EQ(o.clockMs, 4200 + 4 * 36);
}

TEST(Refusal, OverlapMarksTheVertexAndTakesTheMarkerBack) {
  const Outcome o = RunCheckOn(Check::Overlap, {{0, 0}, {24, 0}, {24, 24}, {48, 24}, {48, 12}, {24, 12}, {24, 0}}, 1);
  ASSERT_EQ(o.result, -1);
  const std::string text = "outtextxy 62 12 \" Overlapping of vertices detected. This is not allowed. \\n\"";
  const std::string head = Lines({"setcolor 10", "settextstyle 8 0 3", text, "moveto 24 0", "setcolor 10",
                                  "lineto 16 0", "moveto 24 0", "lineto 32 0", "moveto 24 0", "lineto 24 -8",
                                  "moveto 24 0", "lineto 24 8", "moveto 24 0", "setcolor 15", "setcolor 10",
                                  "settextstyle 8 0 3", text});
  EXPECT_EQ(o.trace.substr(0, head.size()), head);
  const std::string tail = Lines({"lineto 24 12", "delay 6", text, "moveto 24 0", "setcolor 0", "lineto 16 0",
                                  "moveto 24 0", "lineto 32 0", "moveto 24 0", "lineto 24 -8", "moveto 24 0",
                                  "lineto 24 8", "moveto 24 0", "setcolor 15", "moveto 24 12"});
  ASSERT_GE(o.trace.size(), tail.size());
  EXPECT_EQ(o.trace.substr(o.trace.size() - tail.size()), tail);
  EXPECT_EQ(o.clockMs, 4200 + 36);
}

}  // namespace
}  // namespace korvane
