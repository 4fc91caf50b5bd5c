#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "bgi/backend.h"
#include "bgi/headless.h"
#include "editor/geometry.h"

namespace korvane {
namespace {

TEST(Arena, FillsBoxAndSlopeOfOneEdge) {
  PointArray v, mn, mx;
  SlopeArray s;
  v[0] = {60, 40};
  v[1] = {24, 40};
  v[2] = {24, 88};
  v[3] = {24, 88};
  v[4] = {48, 100};
  Arena(v, mn, mx, s, 1, Xconst);
  EXPECT_EQ(mn[0], (Point{24, 40}));
  EXPECT_EQ(mx[0], (Point{60, 40}));
  EXPECT_EQ(s[0], 0.0);
  EXPECT_TRUE(std::signbit(s[0]));  // runs towards smaller x
  Arena(v, mn, mx, s, 2, Xconst);
  EXPECT_EQ(s[1], 123456789.0);
  Arena(v, mn, mx, s, 3, Xconst);  // both ends equal
  EXPECT_EQ(s[2], 123456789.0);
  EXPECT_EQ(mn[2], (Point{24, 88}));
  EXPECT_EQ(mx[2], (Point{24, 88}));
  Arena(v, mn, mx, s, 4, Xconst);
  EXPECT_EQ(s[3], 12.0 / 24.0);
  EXPECT_EQ(mx[4 - 1], (Point{48, 100}));
}

TEST(FunGeAngle2, TurnCodes) {
  EXPECT_EQ(FunGeAngle2(0, 0, 12, 0, 12, 12), 1);
  EXPECT_EQ(FunGeAngle2(0, 0, 12, 0, 12, -12), -1);
  EXPECT_EQ(FunGeAngle2(0, 0, 12, 0, 24, 0), -2);
  EXPECT_EQ(FunGeAngle2(0, 0, 12, 0, 0, 0), 2);
  EXPECT_EQ(FunGeAngle2(0, 0, 12, 0, 6, 0), 2);
  EXPECT_EQ(FunGeAngle2(0, 0, 0, 0, 12, 12), -2);
  EXPECT_EQ(FunGeAngle2(0, 0, 12, 12, 24, 0), -1);
  // Heading west, then north: a right turn on screen.
  EXPECT_EQ(FunGeAngle2(12, 0, 0, 0, 0, -12), 1);
  // Oblique reversal and a middle point between the others.
  EXPECT_EQ(FunGeAngle2(0, 0, 24, 12, 12, 6), 2);
  EXPECT_EQ(FunGeAngle2(0, 0, 12, 6, 24, 12), -2);
}

TEST(FunReAngle2, UsesTheSlopeEntryOfTheOutgoingEdge) {
  PointArray v, mn, mx;
  SlopeArray s;
  v[0] = {0, 0};
  v[1] = {12, 0};
  v[2] = {24, 12};  // oblique outgoing edge
  Arena(v, mn, mx, s, 2, Xconst);
  EXPECT_EQ(FunReAngle2(v, 0, 1, 2, s, Xconst), -2);

  v[0] = {0, 0};
  v[1] = {0, 24};
  v[2] = {0, 12};  // doubles back on a vertical line
  Arena(v, mn, mx, s, 2, Xconst);
  EXPECT_EQ(FunReAngle2(v, 0, 1, 2, s, Xconst), 2);
  v[2] = {0, 36};  // straight on
  Arena(v, mn, mx, s, 2, Xconst);
  EXPECT_EQ(FunReAngle2(v, 0, 1, 2, s, Xconst), -2);

  // Axis-parallel corners agree with FunGeAngle2.
  const Point corners[][3] = {{{0, 0}, {12, 0}, {12, 12}},
                              {{0, 0}, {12, 0}, {12, -12}},
                              {{12, 12}, {12, 0}, {0, 0}},
                              {{12, 12}, {12, 0}, {24, 0}}};
  for (const auto& c : corners) {
    v[0] = c[0];
    v[1] = c[1];
    v[2] = c[2];
    Arena(v, mn, mx, s, 2, Xconst);
    EXPECT_EQ(FunReAngle2(v, 0, 1, 2, s, Xconst), FunGeAngle2(c[0], c[1], c[2]));
  }
}

int CrossSession() {
  Cross(100, 50, 8, 15, 0);
  return 0;
}

TEST(Cross, DrawsFourArmsFromTheCentreAndLeavesColourIn) {
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  bgi::runHeadless(&CrossSession, "", options);
  EXPECT_EQ(trace.str(),
            "moveto 100 50\nsetcolor 0\nlineto 92 50\nmoveto 100 50\nlineto 108 50\nmoveto 100 50\n"
            "lineto 100 42\nmoveto 100 50\nlineto 100 58\nmoveto 100 50\nsetcolor 15\n");
}

}  // namespace
}  // namespace korvane
