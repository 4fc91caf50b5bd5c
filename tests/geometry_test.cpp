#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "editor/geometry.h"
#include "tests/support/session.h"

namespace korvane {
namespace {

TEST(Arena, FillsBoxAndSlopeOfOneEdge) {
  PointArray v, mn, mx;
  SlopeArray s;
  v[0] = {60, 40}, v[1] = {24, 40}, v[2] = {24, 88}, v[3] = {24, 88}, v[4] = {48, 100};
  Arena(v, mn, mx, s, 1, Xconst);
  EXPECT_EQ(std::pair(mn[0], mx[0]), std::pair(Point{24, 40}, Point{60, 40}));
  EXPECT_EQ(s[0], 0.0);
  EXPECT_TRUE(std::signbit(s[0]));  // runs towards smaller x
  Arena(v, mn, mx, s, 2, Xconst);
  EXPECT_EQ(s[1], 123456789.0);
  Arena(v, mn, mx, s, 3, Xconst);  // both ends equal
  EXPECT_EQ(s[2], 123456789.0);
  EXPECT_EQ(std::pair(mn[2], mx[2]), std::pair(Point{24, 88}, Point{24, 88}));
  Arena(v, mn, mx, s, 4, Xconst);
  EXPECT_EQ(s[3], 12.0 / 24.0);
  EXPECT_EQ(mx[4 - 1], (Point{48, 100}));
}

TEST(FunGeAngle2, TurnCodes) {
  // Heading west, then north (the eighth) is a right turn on screen; the last two: an oblique reversal
  // and a middle point between the others.
  const int cases[][7] = {{0, 0, 12, 0, 12, 12, 1},  {0, 0, 12, 0, 12, -12, -1}, {0, 0, 12, 0, 24, 0, -2},
                          {0, 0, 12, 0, 0, 0, 2},    {0, 0, 12, 0, 6, 0, 2},     {0, 0, 0, 0, 12, 12, -2},
                          {0, 0, 12, 12, 24, 0, -1}, {12, 0, 0, 0, 0, -12, 1},   {0, 0, 24, 12, 12, 6, 2},
                          {0, 0, 12, 6, 24, 12, -2}};
  for (const auto& c : cases) EXPECT_EQ(FunGeAngle2(c[0], c[1], c[2], c[3], c[4], c[5]), c[6]) << c[4] << ',' << c[5];
}

TEST(FunReAngle2, UsesTheSlopeEntryOfTheOutgoingEdge) {
  PointArray v, mn, mx;
  SlopeArray s;
  const auto turn = [&](Point a, Point b, Point c) {
    v[0] = a, v[1] = b, v[2] = c;
    Arena(v, mn, mx, s, 2, Xconst);
    return FunReAngle2(v, 0, 1, 2, s, Xconst);
  };
  EXPECT_EQ(turn({0, 0}, {12, 0}, {24, 12}), -2);  // oblique outgoing edge
  EXPECT_EQ(turn({0, 0}, {0, 24}, {0, 12}), 2);    // doubles back on a vertical line
  EXPECT_EQ(turn({0, 0}, {0, 24}, {0, 36}), -2);   // straight on
  // Axis-parallel corners agree with FunGeAngle2.
  const Point corners[][3] = {{{0, 0}, {12, 0}, {12, 12}}, {{0, 0}, {12, 0}, {12, -12}},
                              {{12, 12}, {12, 0}, {0, 0}}, {{12, 12}, {12, 0}, {24, 0}}};
  for (const auto& c : corners) EXPECT_EQ(turn(c[0], c[1], c[2]), FunGeAngle2(c[0], c[1], c[2]));
}

TEST(Cross, DrawsFourArmsFromTheCentreAndLeavesColourIn) {
  EXPECT_EQ(km_test::RunBody([] { Cross(100, 50, 8, 15, 0); }).trace,
            "moveto 100 50\nsetcolor 0\nlineto 92 50\nmoveto 100 50\nlineto 108 50\nmoveto 100 50\n"
            "lineto 100 42\nmoveto 100 50\nlineto 100 58\nmoveto 100 50\nsetcolor 15\n");
}

}  // namespace
}  // namespace korvane
