#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "editor/corridor.h"

namespace korvane {
namespace {

// Points are written "x y, x y, ..."; returns the last index.
int Load(PointArray& a, const std::string& text) {
  std::istringstream in(text);
  int k = -1;
  for (int x = 0, y = 0; in >> x >> y; in.ignore(1)) a[++k] = {std::int16_t(x), std::int16_t(y)};
  return k;
}

std::string Str(const PointArray& a, int last) {
  std::ostringstream out;
  for (int k = 0; k <= last; ++k) out << (k ? ", " : "") << a[k].x << ' ' << a[k].y;
  return out.str();
}

// The L and the plus of one-cell arms are pinned by the worked contours' files.
TEST(Corridor, OffsetOneStepLeftOfTravelPivotsAtTheCornersAndNothingOnEnter) {
  const struct { const char* contour; int Turner; const char* offset; } cases[] = {
      {"136 136, 100 136, 100 100, 136 100, 136 136", 0, "148 148, 88 148, 88 88, 148 88, 148 148"},
      {"136 100, 100 100, 100 136, 136 136, 136 100", 1, "124 112, 112 112, 112 124, 124 124, 124 112"},
      {"112 112, 112 100, 100 100, 100 112, 112 112", 1, "100 112, 100 112, 112 112, 112 100, 112 100"},  // ends differ
      {"100 100, 136 100, 136 136", 0, "100 88, 148 88, 148 136"},
      // Single edges: shifted towards larger coordinates for Turner 0, smaller for 1.
      {"100 100, 100 136", 0, "112 100, 112 136"}, {"136 100, 100 100", 1, "136 88, 100 88"},
      {"100 100, 136 100", 0, "100 112, 136 112"}, {"100 136, 100 100", 1, "88 136, 88 100"},
      // Staircase east and south: right corners outside, left corners inside.
      {"100 100, 124 100, 124 124, 148 124, 148 148, 172 148", 0,
       "100 88, 136 88, 136 112, 160 112, 160 136, 172 136"},
      // A notch one cell wide and deep: its offset corners fall on contour vertices.
      {"180 144, 96 144, 96 96, 144 96, 144 108, 156 108, 156 96, 180 96, 180 144", 0,
       "192 156, 84 156, 84 84, 156 84, 156 96, 144 96, 144 84, 192 84, 192 156"},
      {"180 96, 156 96, 156 108, 144 108, 144 96, 96 96, 96 144, 180 144, 180 96", 1,
       "168 108, 168 108, 168 120, 132 120, 132 108, 108 108, 108 132, 168 132, 168 108"},
  };
  for (const auto& c : cases) {
    PointArray v, v0, h;
    const int J = Load(v, c.contour);
    Corridor('\r', J, v, v0, h, Xgrid, Ygrid, Xconst, c.Turner);
    EXPECT_EQ(Str(v0, J) + Str(h, J), Str(PointArray{}, J) + Str(PointArray{}, J)) << "Enter writes nothing";
    Corridor('@', J, v, v0, h, Xgrid, Ygrid, Xconst, c.Turner);
    EXPECT_EQ(Str(v0, J), c.offset);
    EXPECT_TRUE(h[0] == Point{} && h[J] == Point{}) << c.contour << ": the ends of H keep what the caller had";
    for (int k = 1; k < J; ++k) EXPECT_EQ(h[k], v0[k]) << c.contour << ": pivot " << k << " is the corner";
  }
}

}  // namespace
}  // namespace korvane
