// The canvas: lines, clipping, dotted style, flood fill, text boxes, palette.
#include "bgi/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using bgi::Canvas;
using bgi::kHeight;
using bgi::kWidth;

constexpr std::size_t kPixels = static_cast<std::size_t>(kWidth) * kHeight;

bool SamePixels(const Canvas& a, const Canvas& b) { return std::memcmp(a.pixels(), b.pixels(), kPixels) == 0; }
long CountColour(const Canvas& c, int colour) { return std::count(c.pixels(), c.pixels() + kPixels, colour); }
bool Blank(const Canvas& c) { return CountColour(c, 0) == static_cast<long>(kPixels); }

// Thin outline through the points x0, y0, x1, y1, ..., back to the first when closed.
void Outline(Canvas& c, const std::vector<int>& xy, int colour, bool closed = true) {
  for (std::size_t i = 0; i + (closed ? 0 : 2) < xy.size(); i += 2) {
    c.line(xy[i], xy[i + 1], xy[(i + 2) % xy.size()], xy[(i + 3) % xy.size()], colour, 0, 1);
  }
}

TEST(CanvasLine, ReversedLineAndPiecesBetweenLatticePointsCoverTheSamePixels) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> near(-50, 1950), far(-32768, 32767);
  for (int i = 0; i < 300; ++i) {
    auto& pick = i % 3 == 0 ? far : near;
    const int x1 = pick(random), y1 = pick(random) / 2, x2 = pick(random), y2 = pick(random) / 2;
    Canvas forward, backward;
    forward.line(x1, y1, x2, y2, 15, i % 2, 1 + i % 3);
    backward.line(x2, y2, x1, y1, 15, i % 2, 1 + i % 3);
    ASSERT_TRUE(SamePixels(forward, backward)) << x1 << ',' << y1 << " - " << x2 << ',' << y2;
  }
  // Pieces between lattice points on the line cover the whole line.
  Canvas whole, pieces;
  whole.line(0, 0, 36, 12, 15, 0, 1);
  whole.line(100, 100, 106, 118, 15, 0, 1);
  for (const auto& [x1, y1, x2, y2] : {std::array{0, 0, 12, 4}, {24, 8, 12, 4}, {24, 8, 36, 12},
                                      {104, 112, 102, 106}, {100, 100, 102, 106}, {106, 118, 104, 112}}) {
    pieces.line(x1, y1, x2, y2, 15, 0, 1);
  }
  EXPECT_TRUE(SamePixels(whole, pieces));
}

TEST(CanvasLine, ExactPixelsOfEndPointsThicknessAndDots) {
  struct Case {
    int x1, y1, x2, y2, style, thickness, left, top;
    std::vector<std::string> rows;  // '#' lit, from (left, top); nothing else lit
  };
  const std::string h11(11, '#');
  const Case cases[] = {
      {10, 20, 14, 22, 0, 1, 10, 20, {"#....", ".##..", "...##"}},  // end points in, half steps round up
      {5, 5, 5, 5, 0, 1, 5, 5, {"#"}},
      {10, 50, 20, 50, 0, 1, 10, 50, {h11}},
      {10, 50, 20, 50, 0, 3, 10, 49, {h11, h11, h11}},
      {300, 95, 300, 90, 0, 3, 299, 90, std::vector<std::string>(6, "###")},
      {0, 5, 11, 5, 1, 1, 0, 5, {"##..##..##.."}},  // dotted: two on, two off
      {50, 20, 50, 27, 1, 3, 49, 20, {"###", "###", "...", "...", "###", "###", "...", "..."}},
  };
  for (const Case& k : cases) {
    Canvas c, want;
    c.line(k.x1, k.y1, k.x2, k.y2, 9, k.style, k.thickness);
    for (std::size_t r = 0; r < k.rows.size(); ++r) {
      for (std::size_t i = 0; i < k.rows[r].size(); ++i) {
        want.set(k.left + static_cast<int>(i), k.top + static_cast<int>(r), k.rows[r][i] == '#' ? 9 : 0);
      }
    }
    EXPECT_TRUE(SamePixels(c, want)) << k.x1 << ',' << k.y1 << " - " << k.x2 << ',' << k.y2;
  }
  Canvas c;
  c.line(10, 50, 20, 50, 15, 0, 2);  // thickness 2: the line and exactly one neighbour row
  EXPECT_EQ(CountColour(c, 15), 22);
  EXPECT_EQ(c.get(15, 50), 15);
  EXPECT_NE(c.get(15, 49) == 15, c.get(15, 51) == 15);
}

TEST(CanvasLine, ClippedAtAndFarBeyondTheEdges) {
  Canvas c;
  const int right = kWidth - 1, bottom = kHeight - 1;
  for (const auto& [x1, y1, x2, y2, style, thickness, lit] :
       {std::array{-100, 500, 2000, 500, 0, 1, kWidth}, {-32768, -32768, 32767, 32767, 0, 1, kHeight},
        {0, 0, right, 0, 0, 3, 2 * kWidth} /* the row above is cut off */, {-5000, -10, 30000, -3, 0, 3, 0},
        {kWidth, 0, kWidth, bottom, 0, 1, 0}, {-32768, 32767, 32767, 32767, 1, 3, 0}}) {
    c.clear();
    c.line(x1, y1, x2, y2, 15, style, thickness);
    EXPECT_EQ(CountColour(c, 15), lit) << x1 << ',' << y1 << " - " << x2 << ',' << y2;
    if (x1 == -32768 && y1 == -32768) {  // y = x: the pixels (i, i)
      for (int i = 0; i < kHeight; ++i) EXPECT_EQ(c.get(i, i), 15) << i;
    }
  }
  c.line(right, 0, right, bottom, 14, 0, 3);  // the column right of the canvas is cut off
  EXPECT_EQ(CountColour(c, 14), 2 * kHeight);
  EXPECT_EQ(c.get(right - 1, 500), 14);
  // Long lines cost only their visible part.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 2000; ++i) c.line(-32768, -32768 + i, 32767, 32767 - i, 1 + i % 15, i % 2, 3);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(CanvasFill, FillsOnlyTheRegionBoundedByTheBorderColour) {
  // A thin outline in colour 13, closed or not; a seed; the pixels of colour 14
  // afterwards (-1: all but the border).
  using FillCase = std::tuple<std::vector<int>, bool, int, int, long>;
  const std::vector<int> bar = {100, 100, 200, 100};
  const FillCase cases[] = {
      {{100, 100, 112, 100, 112, 124, 100, 124}, true, 101, 101, 11 * 23},  // the two odd pixels lie inside
      {{200, 200, 200, 300, 300, 300, 300, 200, 260, 200, 260, 260, 240, 260, 240, 200}, true, 210, 210,
       99 * 99 - 21 * 60 + 1},  // a U: filled round the notch, which stays empty; the odd 14 lies outside
      {{100, 120, 100, 200, 200, 200, 200, 100, 100, 100}, false, 150, 150, -1},  // a gap at x 100, y 101..119
      {bar, false, 150, 100, 1}, {bar, false, -1, 5, 1}, {bar, false, 5, kHeight, 1},  // seed on the border, outside
  };
  for (const auto& [outline, closed, seedX, seedY, filled] : cases) {
    Canvas c;
    Outline(c, outline, 13, closed);
    const long border = CountColour(c, 13);
    c.set(105, 110, 14);  // already the fill colour
    c.set(106, 111, 3);   // another colour: filled over when inside
    c.floodFill(seedX, seedY, 14, 13);
    EXPECT_EQ(CountColour(c, 14), filled < 0 ? static_cast<long>(kPixels) - border : filled) << seedX;
    EXPECT_EQ(CountColour(c, 13), border) << seedX;
  }
}

TEST(CanvasText, DrawsOnAnOpaqueBoxThatABlackRedrawOrALongerBoxErases) {
  Canvas c, want;
  c.line(0, 20, kWidth - 1, 20, 5, 0, 3);
  want.line(0, 20, kWidth - 1, 20, 5, 0, 3);
  const bgi::TextBox box = bgi::textBox(" Your curve is not closed \n", 8, 3);
  c.text(62, 12, " Your curve is not closed \n", 8, 3, 13);
  // Inside the box only the ink and the background remain; outside nothing changes.
  for (int y = 12; y < 12 + box.height; ++y) {
    for (int x = 62; x < 62 + box.width; ++x) want.set(x, y, c.get(x, y) == 13 ? 13 : 0);
  }
  EXPECT_TRUE(SamePixels(c, want));
  EXPECT_GT(CountColour(c, 13), 100);

  for (int font : {6, 8}) {
    for (int size : {1, 3, 5}) {
      c.clear();
      c.text(62, 12, " Your curve is not closed \n", font, size, 13);
      c.text(62, 12, " Your curve is not  closed \n", font, size, 0);
      EXPECT_TRUE(Blank(c)) << font << ' ' << size;
      c.text(300, 400, "The intersection of edges was detected. This is not allowed.\n", font, size, 12);
      c.text(300, 400, "The intersection of edges was detected. This is not allowed.\n", font, size, 0);
      EXPECT_TRUE(Blank(c)) << font << ' ' << size;
    }
  }
  // The trailing line feed draws nothing.
  EXPECT_EQ(bgi::textBox("\n", 8, 3).width, 0);
  EXPECT_EQ(bgi::textBox("ab\n", 8, 3).width, bgi::textBox("ab", 8, 3).width);
  c.text(10, 10, "\n", 8, 3, 15);
  EXPECT_TRUE(Blank(c));
}

TEST(CanvasText, EveryTextFitsAndSizesGrow) {
  // The grid question's lines are 25 apart in font 8 size 3; the welcome lines 30 apart in font 6.
  EXPECT_LE(bgi::textBox("X", 8, 3).height, 25);
  EXPECT_LE(bgi::textBox("X", 6, 3).height, 30);
  // The widest texts of each font and size, from where the programs draw them.
  EXPECT_LE(42 + bgi::textBox(" You can use B/b resp. P/p resp M/m resp C/c to switch drawing into Border mode resp. "
                              "Pin mode resp. Mosaic mode resp. Circuit mode \n", 6, 3).width, kWidth);
  EXPECT_LE(62 + bgi::textBox(" Not more than 5 new vertices to add is allowed. Then the curve will terminate in the "
                              "open shape. \n", 8, 3).width, kWidth);
  EXPECT_LE(312 + bgi::textBox("Display my TALPRA mapped in *DataMyDrawing* file \n", 6, 5).width, kWidth);

  const bgi::TextBox s1 = bgi::textBox("Edge", 8, 1), s3 = bgi::textBox("Edge", 8, 3), s5 = bgi::textBox("Edge", 8, 5);
  EXPECT_TRUE(s1.width < s3.width && s3.width < s5.width);
  EXPECT_TRUE(s1.height < s3.height && s3.height < s5.height);
  // A capital letter of size 1 is at least 9 pixels tall, and fonts 6 and 8 differ.
  Canvas six, eight;
  six.text(0, 0, "E", 6, 1, 15);
  eight.text(0, 0, "E", 8, 1, 15);
  int rows = 0;  // rows with ink: E's stem joins its top and bottom
  for (int y = 0; y < 40; ++y) rows += std::count(six.pixels() + y * kWidth, six.pixels() + y * kWidth + 40, 15) > 0;
  EXPECT_GE(rows, 9);
  EXPECT_FALSE(SamePixels(six, eight));
}

TEST(CanvasPalette, ClassicSixteenColours) {
  const std::uint32_t expected[16] = {0x000000, 0x0000a8, 0x00a800, 0x00a8a8, 0xa80000, 0xa800a8,
                                      0xa85400, 0xa8a8a8, 0x545454, 0x5454fc, 0x54fc54, 0x54fcfc,
                                      0xfc5454, 0xfc54fc, 0xfcfc54, 0xfcfcfc};
  EXPECT_TRUE(std::equal(expected, expected + 16, bgi::kPalette));
  Canvas c;  // writes outside the canvas are ignored, never wrapped into the next row
  c.set(kWidth, 0, 15);
  c.set(-1, 1, 15);
  EXPECT_TRUE(Blank(c));
}

}  // namespace
