// The display of a pass, checked through the call trace. The contour's
// erasure and the blinking of a polygon with edges are drawn line for line in
// every recorded session, the viewer's overlaps in the viewer's tests.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "editor/display.h"
#include "tests/support/session.h"

namespace {

using korvane::Point, korvane::PointArray;

TEST(FinalDrawing, PolygonOfOnePointKeepsItsFiveWaits) {
  PointArray U;
  U[0] = Point{5, 7};
  const km_test::Session t = km_test::RunBody([&] { korvane::FinalDrawing(U, 0, 6); });
  const std::string shown = "moveto 5 7\ndelay 600\n", erased = "moveto 5 7\nsetcolor 0\ndelay 600\n";
  EXPECT_EQ(t.trace, "setlinestyle 0 1 1\n" + shown + erased + shown + erased + shown);
  EXPECT_EQ(t.clockMs, 3000);
}

TEST(EdgeSharing, DrawsEachOverlapOfEdgePairsInVisitingOrder) {
  struct Case {
    const char* what;
    std::vector<Point> U;
    std::vector<std::array<int, 4>> overlays;  // x1 y1 x2 y2 each
  };
  const std::vector<Case> cases = {
      {"no edge", {{100, 100}}, {}},
      {"one zero-length edge", {{100, 100}, {100, 100}}, {}},
      {"one edge", {{100, 100}, {160, 100}}, {}},
      {"horizontal end to end", {{100, 100}, {124, 100}, {160, 100}}, {}},
      {"vertical end to end", {{50, 300}, {50, 200}, {50, 150}}, {}},
      {"oblique end to end", {{100, 100}, {160, 130}, {220, 160}}, {}},
      {"horizontal partial", {{100, 100}, {124, 100}, {130, 130}, {112, 100}, {160, 100}}, {{112, 100, 124, 100}}},
      {"contained", {{100, 100}, {200, 100}, {180, 130}, {130, 100}, {160, 100}}, {{130, 100, 160, 100}}},
      {"vertical partial, reversed", {{50, 300}, {50, 200}, {80, 170}, {50, 250}, {50, 150}}, {{50, 200, 50, 250}}},
      {"vertical there and back", {{100, 100}, {100, 160}, {100, 100}}, {{100, 100, 100, 160}}},
      {"horizontal there and back", {{160, 40}, {100, 40}, {160, 40}}, {{100, 40, 160, 40}}},
      {"rising there and back", {{100, 100}, {160, 130}, {100, 100}}, {{100, 100, 160, 130}}},
      // Falling: the overlay runs from the smaller x with its own y.
      {"falling there and back", {{100, 130}, {160, 100}, {100, 130}}, {{100, 130, 160, 100}}},
      {"oblique partial", {{100, 100}, {160, 130}, {170, 300}, {130, 115}, {190, 145}}, {{130, 115, 160, 130}}},
      {"oblique reversed", {{100, 100}, {160, 130}, {170, 300}, {190, 145}, {130, 115}}, {{130, 115, 160, 130}}},
      {"oblique parallel lines", {{100, 100}, {160, 130}, {160, 140}, {100, 110}}, {}},
      // Zero length counts as vertical: inside the vertical edge an overlay
      // of length zero, beside the horizontal edge after it nothing.
      {"zero length in vertical", {{100, 100}, {100, 200}, {130, 170}, {100, 150}, {100, 150}, {60, 150}},
       {{100, 150, 100, 150}}},
      {"run three times", {{0, 0}, {48, 0}, {12, 0}, {36, 0}}, {{12, 0, 48, 0}, {12, 0, 36, 0}, {12, 0, 36, 0}}},
  };
  for (const Case& c : cases) {
    std::string expected;
    for (const auto& s : c.overlays) {
      expected += "setlinestyle 0 1 2\nsetcolor 14\nmoveto " + std::to_string(s[0]) + " " + std::to_string(s[1]) +
                  "\nlineto " + std::to_string(s[2]) + " " + std::to_string(s[3]) + "\nsetcolor 15\n";
    }
    PointArray U;
    for (std::size_t i = 0; i < c.U.size(); ++i) U[static_cast<int>(i)] = c.U[i];
    const int W = static_cast<int>(c.U.size()) - 1;
    EXPECT_EQ(km_test::RunBody([&] { korvane::EdgeSharing(U, W, korvane::Xconst); }).trace, expected) << c.what;
  }
}

}  // namespace
