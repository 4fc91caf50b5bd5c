#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "bgi/headless.h"
#include "editor/corridor.h"
#include "editor/normalise.h"
#include "tests/support/session.h"

namespace korvane {
namespace {

using Pts = std::vector<Point>;

int Load(PointArray& a, const Pts& points) {
  int k = 0;
  for (const Point& p : points) a[k++] = p;
  return k - 1;
}

Pts Chain(const PointArray& a, int last) {
  Pts out;
  for (int k = 0; k <= last; ++k) out.push_back(a[k]);
  return out;
}

Pts Offset(const Pts& contour, int Turner) {
  PointArray v, v0, h;
  const int J = Load(v, contour);
  Corridor('@', J, v, v0, h, Xgrid, Ygrid, Xconst, Turner);
  return Chain(v0, J);
}

TEST(Corridor, SquareOutsideClockwiseAndInsideCounterClockwise) {
  PointArray v, v0, h;
  int J = Load(v, {{136, 136}, {100, 136}, {100, 100}, {136, 100}, {136, 136}});
  Corridor('@', J, v, v0, h, Xgrid, Ygrid, Xconst, 0);
  EXPECT_EQ(Chain(v0, J), (Pts{{148, 148}, {88, 148}, {88, 88}, {148, 88}, {148, 148}}));
  EXPECT_EQ(h[1], v0[1]);
  EXPECT_EQ(h[2], v0[2]);
  EXPECT_EQ(h[3], v0[3]);

  EXPECT_EQ(Offset({{136, 100}, {100, 100}, {100, 136}, {136, 136}, {136, 100}}, 1),
            (Pts{{124, 112}, {112, 112}, {112, 124}, {124, 124}, {124, 112}}));
}

TEST(Corridor, OneCellSquareCounterClockwiseTakesTheOpenEnds) {
  EXPECT_EQ(Offset({{112, 112}, {112, 100}, {100, 100}, {100, 112}, {112, 112}}, 1),
            (Pts{{100, 112}, {100, 112}, {112, 112}, {112, 100}, {112, 100}}));
}

TEST(Corridor, OpenChainsAndSingleEdges) {
  EXPECT_EQ(Offset({{100, 100}, {136, 100}, {136, 136}}, 0), (Pts{{100, 88}, {148, 88}, {148, 136}}));
  EXPECT_EQ(Offset({{100, 100}, {100, 136}}, 0), (Pts{{112, 100}, {112, 136}}));
  EXPECT_EQ(Offset({{136, 100}, {100, 100}}, 1), (Pts{{136, 88}, {100, 88}}));
  EXPECT_EQ(Offset({{100, 100}, {136, 100}}, 0), (Pts{{100, 112}, {136, 112}}));
  EXPECT_EQ(Offset({{100, 136}, {100, 100}}, 1), (Pts{{88, 136}, {88, 100}}));
  // Staircase east and south: right corners outside, left corners inside.
  EXPECT_EQ(Offset({{100, 100}, {124, 100}, {124, 124}, {148, 124}, {148, 148}, {172, 148}}, 0),
            (Pts{{100, 88}, {136, 88}, {136, 112}, {160, 112}, {160, 136}, {172, 136}}));
}

TEST(Corridor, ConcaveCornersAndNotches) {
  // L shape, clockwise.
  EXPECT_EQ(Offset({{160, 160}, {100, 160}, {100, 100}, {124, 100}, {124, 136}, {160, 136}, {160, 160}}, 0),
            (Pts{{172, 172}, {88, 172}, {88, 88}, {136, 88}, {136, 124}, {172, 124}, {172, 172}}));
  // A notch one cell wide and one deep: its offset corners fall on contour vertices.
  EXPECT_EQ(Offset({{180, 144}, {96, 144}, {96, 96}, {144, 96}, {144, 108}, {156, 108}, {156, 96}, {180, 96},
                    {180, 144}},
                   0),
            (Pts{{192, 156}, {84, 156}, {84, 84}, {156, 84}, {156, 96}, {144, 96}, {144, 84}, {192, 84}, {192, 156}}));
  // The same contour counter-clockwise from its first long convex corner.
  EXPECT_EQ(Offset({{180, 96}, {156, 96}, {156, 108}, {144, 108}, {144, 96}, {96, 96}, {96, 144}, {180, 144},
                    {180, 96}},
                   1),
            (Pts{{168, 108}, {168, 108}, {168, 120}, {132, 120}, {132, 108}, {108, 108}, {108, 132}, {168, 132},
                 {168, 108}}));
  // Plus with one-cell teeth, clockwise.
  EXPECT_EQ(Offset({{144, 120}, {132, 120}, {132, 132}, {120, 132}, {120, 144}, {108, 144}, {108, 132},
                    {96, 132},  {96, 120},  {84, 120},  {84, 108},  {96, 108},  {96, 96},   {108, 96},
                    {108, 84},  {120, 84},  {120, 96},  {132, 96},  {132, 108}, {144, 108}, {144, 120}},
                   0),
            (Pts{{156, 132}, {144, 132}, {144, 144}, {132, 144}, {132, 156}, {96, 156},  {96, 144},
                 {84, 144},  {84, 132},  {72, 132},  {72, 96},   {84, 96},   {84, 84},   {96, 84},
                 {96, 72},   {132, 72},  {132, 84},  {144, 84},  {144, 96},  {156, 96},  {156, 132}}));
}

TEST(Corridor, LeavesTheEndsOfHAndEverythingOnEnter) {
  PointArray v, v0, h;
  const int J = Load(v, {{136, 136}, {100, 136}, {100, 100}, {136, 100}, {136, 136}});
  for (int k = 0; k <= J; ++k) {
    v0[k] = {1, 2};
    h[k] = {3, 4};
  }
  Corridor('\r', J, v, v0, h, Xgrid, Ygrid, Xconst, 0);
  for (int k = 0; k <= J; ++k) {
    EXPECT_EQ(v0[k], (Point{1, 2}));
    EXPECT_EQ(h[k], (Point{3, 4}));
  }
  Corridor('@', J, v, v0, h, Xgrid, Ygrid, Xconst, 0);
  EXPECT_EQ(h[0], (Point{3, 4}));
  EXPECT_EQ(h[J], (Point{3, 4}));
}

// Reads the blocks of a drawing file: contour, offset contour, polygon, tags,
// then offset contour, polygon, tags; a tag block comes back empty.
std::vector<Pts> ReadBlocks(std::string text) {
  std::replace(text.begin(), text.end(), ',', ' ');
  std::istringstream in(text);
  std::vector<Pts> blocks;
  int last = 0;
  while (in >> last) {
    const bool tags = blocks.size() % 7 == 3 || blocks.size() % 7 == 6;
    Pts p;
    for (int k = 0; k <= last; ++k) {
      if (tags) {
        std::string tag;
        in >> tag;
        continue;
      }
      int x = 0, y = 0;
      in >> x >> y;
      p.push_back({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
    }
    blocks.push_back(p);
  }
  return blocks;
}

PointArray* gContour;
int gJ;
int gTurner;
int NormaliseEntry() {
  Rotation('@', gJ, *gContour, Xconst, gTurner);
  return 0;
}
Pts Normalised(const Pts& contour, int Turner) {
  PointArray v;
  gJ = Load(v, contour);
  gContour = &v;
  gTurner = Turner;
  bgi::HeadlessOptions options;
  bgi::runHeadless(&NormaliseEntry, "", options);
  return Chain(v, gJ);
}

// In the recorded drawing files the first pass's contour is normalised
// clockwise and its offset contour follows from it; the second pass's offset
// contour follows from the same contour normalised counter-clockwise.
TEST(Corridor, MatchesTheRecordedDrawingFiles) {
  // Every recorded editor session that wrote a drawing file, but those ended
  // by Enter after the first pass, which write the backward pass's order.
  const char* names[] = {"closed-1", "closed-2", "closed-3", "closed-4", "closed-6", "messy-1", "messy-2",
                         "messy-4",  "open-1",   "open-2",   "open-3",   "open-4",   "square-two-rotations"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const auto blocks = ReadBlocks(km_test::ReadFile(km_test::GoldenDir() / (std::string(name) + ".txt")));
    ASSERT_GE(blocks.size(), 4u);
    const Pts& contour = blocks[0];
    EXPECT_EQ(Normalised(contour, 0), contour);
    EXPECT_EQ(Offset(contour, 0), blocks[1]);
    if (blocks.size() == 7) {
      EXPECT_EQ(Offset(Normalised(contour, 1), 1), blocks[4]);
    }
  }
}

}  // namespace
}  // namespace korvane
