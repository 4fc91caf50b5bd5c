// The canvas: lines, clipping, dotted style, flood fill, text boxes, palette.
#include "bgi/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

using bgi::Canvas;
using bgi::kHeight;
using bgi::kWidth;

// Canvases are large: keep them on the heap.
std::unique_ptr<Canvas> Fresh() { return std::make_unique<Canvas>(); }

bool SamePixels(const Canvas& a, const Canvas& b) {
  return std::memcmp(a.pixels(), b.pixels(), static_cast<std::size_t>(kWidth) * kHeight) == 0;
}

long CountColour(const Canvas& c, int colour) {
  long n = 0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(kWidth) * kHeight; ++i) n += c.pixels()[i] == colour;
  return n;
}

bool Blank(const Canvas& c) { return CountColour(c, 0) == static_cast<long>(kWidth) * kHeight; }

TEST(CanvasLine, ReversedLineCoversTheSamePixels) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> near(-50, 1950);
  std::uniform_int_distribution<int> far(-32768, 32767);
  auto forward = Fresh(), backward = Fresh();
  for (int i = 0; i < 300; ++i) {
    auto& pick = i % 3 == 0 ? far : near;
    const int x1 = pick(random), y1 = pick(random) / 2, x2 = pick(random), y2 = pick(random) / 2;
    const int thickness = 1 + i % 3, style = i % 2;
    forward->clear();
    backward->clear();
    forward->line(x1, y1, x2, y2, 15, style, thickness);
    backward->line(x2, y2, x1, y1, 15, style, thickness);
    ASSERT_TRUE(SamePixels(*forward, *backward)) << x1 << ',' << y1 << " - " << x2 << ',' << y2;
  }
  // Erasing by drawing the reverse in black leaves nothing behind.
  forward->clear();
  forward->line(13, 7, 1201, 733, 12, 0, 3);
  forward->line(1201, 733, 13, 7, 0, 0, 3);
  EXPECT_TRUE(Blank(*forward));
}

TEST(CanvasLine, PiecesBetweenLatticePointsMatchTheWholeLine) {
  auto whole = Fresh(), pieces = Fresh();
  // (0,0)-(36,12) passes the lattice points (12,4) and (24,8); (100,100)-(106,118)
  // passes (102,106) and (104,112).
  whole->line(0, 0, 36, 12, 15, 0, 1);
  pieces->line(0, 0, 12, 4, 15, 0, 1);
  pieces->line(24, 8, 12, 4, 15, 0, 1);
  pieces->line(24, 8, 36, 12, 15, 0, 1);
  whole->line(100, 100, 106, 118, 15, 0, 1);
  pieces->line(104, 112, 102, 106, 15, 0, 1);
  pieces->line(100, 100, 102, 106, 15, 0, 1);
  pieces->line(106, 118, 104, 112, 15, 0, 1);
  EXPECT_TRUE(SamePixels(*whole, *pieces));
}

TEST(CanvasLine, EndPointsIncludedAndHalfStepsRoundUp) {
  auto c = Fresh();
  c->line(10, 20, 14, 22, 9, 0, 1);  // y = 20 + (x-10)/2: 20, 20.5, 21, 21.5, 22
  EXPECT_EQ(CountColour(*c, 9), 5);
  EXPECT_EQ(c->get(10, 20), 9);
  EXPECT_EQ(c->get(11, 21), 9);
  EXPECT_EQ(c->get(12, 21), 9);
  EXPECT_EQ(c->get(13, 22), 9);
  EXPECT_EQ(c->get(14, 22), 9);
  c->clear();
  c->line(5, 5, 5, 5, 4, 0, 1);  // a single point
  EXPECT_EQ(CountColour(*c, 4), 1);
  EXPECT_EQ(c->get(5, 5), 4);
}

TEST(CanvasLine, ThicknessAddsPixelsAcrossTheMajorAxis) {
  auto c = Fresh();
  c->line(10, 50, 20, 50, 15, 0, 1);
  EXPECT_EQ(CountColour(*c, 15), 11);
  c->clear();
  c->line(10, 50, 20, 50, 15, 0, 3);
  EXPECT_EQ(CountColour(*c, 15), 33);
  for (int x = 10; x <= 20; ++x) {
    EXPECT_EQ(c->get(x, 49), 15);
    EXPECT_EQ(c->get(x, 50), 15);
    EXPECT_EQ(c->get(x, 51), 15);
  }
  EXPECT_EQ(c->get(9, 50), 0);
  EXPECT_EQ(c->get(21, 50), 0);
  c->clear();
  c->line(10, 50, 20, 50, 15, 0, 2);
  EXPECT_EQ(CountColour(*c, 15), 22);
  EXPECT_EQ(c->get(15, 50), 15);
  EXPECT_NE(c->get(15, 49) == 15, c->get(15, 51) == 15);  // exactly one side
  c->clear();
  c->line(300, 100, 300, 90, 15, 0, 3);  // vertical: columns 299..301
  EXPECT_EQ(CountColour(*c, 15), 33);
  EXPECT_EQ(c->get(299, 95), 15);
  EXPECT_EQ(c->get(301, 95), 15);
  EXPECT_EQ(c->get(300, 89), 0);
}

TEST(CanvasLine, ClippedAtAndFarBeyondTheEdges) {
  auto c = Fresh();
  c->line(-100, 500, 2000, 500, 15, 0, 1);
  EXPECT_EQ(CountColour(*c, 15), kWidth);
  c->clear();
  c->line(-32768, -32768, 32767, 32767, 15, 0, 1);  // y = x: the pixels (i, i), i < 1000
  EXPECT_EQ(CountColour(*c, 15), kHeight);
  EXPECT_EQ(c->get(0, 0), 15);
  EXPECT_EQ(c->get(999, 999), 15);
  c->clear();
  c->line(0, 0, kWidth - 1, 0, 15, 0, 3);  // the row above the canvas is cut off
  EXPECT_EQ(CountColour(*c, 15), 2 * kWidth);
  c->line(kWidth - 1, 0, kWidth - 1, kHeight - 1, 14, 0, 3);
  EXPECT_EQ(c->get(kWidth - 2, 500), 14);
  EXPECT_EQ(c->get(kWidth - 1, 500), 14);
  c->clear();
  c->line(-5000, -10, 30000, -3, 15, 0, 3);  // wholly above
  c->line(1900, 0, 1900, 999, 15, 0, 1);     // just right of the canvas
  c->line(-32768, 32767, 32767, 32767, 15, 1, 3);
  EXPECT_TRUE(Blank(*c));
  // Long lines cost only their visible part.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 2000; ++i) c->line(-32768, -32768 + i, 32767, 32767 - i, 1 + i % 15, i % 2, 3);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(CanvasLine, DottedIsTwoOnTwoOffFromTheCanonicalEnd) {
  auto c = Fresh(), reverse = Fresh();
  c->line(0, 5, 11, 5, 12, 1, 1);
  reverse->line(11, 5, 0, 5, 12, 1, 1);
  const int on[] = {1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(c->get(x, 5), on[x] ? 12 : 0) << x;
  EXPECT_TRUE(SamePixels(*c, *reverse));
  c->clear();
  c->line(50, 20, 50, 27, 12, 1, 3);  // vertical, thick: the gaps span the width
  EXPECT_EQ(CountColour(*c, 12), 12);
  EXPECT_EQ(c->get(49, 22), 0);
  EXPECT_EQ(c->get(51, 25), 12);
}

TEST(CanvasFill, ClosedBorderFillsOnlyTheInside) {
  auto c = Fresh();
  // A 13 x 25 frame in colour 13; its inside is 11 x 23.
  c->line(100, 100, 112, 100, 13, 0, 1);
  c->line(112, 100, 112, 124, 13, 0, 1);
  c->line(112, 124, 100, 124, 13, 0, 1);
  c->line(100, 124, 100, 100, 13, 0, 1);
  c->set(105, 110, 14);  // already the fill colour
  c->set(106, 111, 3);   // another colour: filled over
  c->floodFill(101, 101, 14, 13);
  EXPECT_EQ(CountColour(*c, 14), 11 * 23);
  EXPECT_EQ(CountColour(*c, 13), 72);
  EXPECT_EQ(c->get(99, 110), 0);
  EXPECT_EQ(c->get(113, 110), 0);
  // A region bounded by a concave border: a U shape.
  c->clear();
  c->line(200, 200, 200, 300, 10, 0, 1);
  c->line(200, 300, 300, 300, 10, 0, 1);
  c->line(300, 300, 300, 200, 10, 0, 1);
  c->line(300, 200, 260, 200, 10, 0, 1);
  c->line(260, 200, 260, 260, 10, 0, 1);
  c->line(260, 260, 240, 260, 10, 0, 1);
  c->line(240, 260, 240, 200, 10, 0, 1);
  c->line(240, 200, 200, 200, 10, 0, 1);
  c->floodFill(210, 210, 2, 10);
  EXPECT_EQ(c->get(290, 210), 2);  // reached round the notch
  EXPECT_EQ(c->get(250, 230), 0);  // inside the notch
  EXPECT_EQ(CountColour(*c, 2), 99L * 99 - 21L * 60);
}

TEST(CanvasFill, LeakingBorderFillsEverythingButTheBorder) {
  auto c = Fresh();
  c->line(100, 100, 200, 100, 13, 0, 1);
  c->line(200, 100, 200, 200, 13, 0, 1);
  c->line(200, 200, 100, 200, 13, 0, 1);
  c->line(100, 200, 100, 120, 13, 0, 1);  // gap from y 101 to 119
  const long border = CountColour(*c, 13);
  c->floodFill(150, 150, 14, 13);
  EXPECT_EQ(CountColour(*c, 14), static_cast<long>(kWidth) * kHeight - border);
}

TEST(CanvasFill, SeedOnTheBorderOrOutsideFillsNothing) {
  auto c = Fresh();
  c->line(100, 100, 200, 100, 13, 0, 1);
  c->floodFill(150, 100, 14, 13);
  c->floodFill(-1, 5, 14, 13);
  c->floodFill(5, kHeight, 14, 13);
  EXPECT_EQ(CountColour(*c, 14), 0);
  EXPECT_EQ(CountColour(*c, 13), 101);
}

TEST(CanvasText, DrawsInsideAnOpaqueBox) {
  auto c = Fresh();
  c->line(0, 20, kWidth - 1, 20, 5, 0, 3);
  const std::string text = " Your curve is not closed \n";
  const bgi::TextBox box = bgi::textBox(text, 8, 3);
  ASSERT_GT(box.width, 0);
  ASSERT_GT(box.height, 0);
  c->text(62, 12, text, 8, 3, 13);
  long inked = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= 62 && x < 62 + box.width && y >= 12 && y < 12 + box.height;
      const int v = c->get(x, y);
      if (inside) {
        EXPECT_TRUE(v == 0 || v == 13) << x << ',' << y;  // the line under the box is gone
        inked += v == 13;
      } else if (y >= 19 && y <= 21) {
        EXPECT_EQ(v, 5);
      } else {
        EXPECT_EQ(v, 0);
      }
    }
  }
  EXPECT_GT(inked, 100);
}

TEST(CanvasText, BlackRedrawAndLongerBoxEraseCompletely) {
  auto c = Fresh();
  for (int font : {6, 8}) {
    for (int size : {1, 3, 5}) {
      c->text(62, 12, " Your curve is not closed \n", font, size, 13);
      c->text(62, 12, " Your curve is not  closed \n", font, size, 0);
      EXPECT_TRUE(Blank(*c)) << font << ' ' << size;
      c->text(300, 400, "The intersection of edges was detected. This is not allowed.\n", font, size, 12);
      c->text(300, 400, "The intersection of edges was detected. This is not allowed.\n", font, size, 0);
      EXPECT_TRUE(Blank(*c)) << font << ' ' << size;
    }
  }
  // The trailing line feed draws nothing.
  EXPECT_EQ(bgi::textBox("\n", 8, 3).width, 0);
  EXPECT_EQ(bgi::textBox("ab\n", 8, 3).width, bgi::textBox("ab", 8, 3).width);
  c->text(10, 10, "\n", 8, 3, 15);
  EXPECT_TRUE(Blank(*c));
}

TEST(CanvasText, MessageLinesDoNotOverlapAndEveryTextFits) {
  // The grid question's three lines, 25 pixels apart, in font 8 size 3.
  EXPECT_LE(bgi::textBox("X", 8, 3).height, 25);
  auto c = Fresh(), alone = Fresh();
  c->text(62, 12, " Would you like to use on background this sketch grid ? \n", 8, 3, 11);
  alone->text(62, 12, " Would you like to use on background this sketch grid ? \n", 8, 3, 11);
  c->text(62, 37, " Sometimes it can be helpful. \n", 8, 3, 11);
  for (int y = 0; y < 37; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(c->get(x, y), alone->get(x, y)) << x << ',' << y;
  }
  // The welcome lines in font 6 size 3 are 30 apart.
  EXPECT_LE(bgi::textBox("X", 6, 3).height, 30);

  struct Placed {
    int x, font, size;
    const char* text;
  };
  const Placed widest[] = {
      {42, 6, 3,
       " You can use B/b resp. P/p resp M/m resp C/c to switch drawing into Border mode resp. Pin mode resp. Mosaic "
       "mode resp. Circuit mode \n"},
      {172, 6, 3,
       " You can change the rotation of your finished drawing in Border mode by pressing the button  with '@' "
       "symbol\n"},
      {112, 6, 3,
       " Use the bottons U/u resp. D/d resp. R/r  resp. L/l or the arrows to place the cursor anywhere on the "
       "screen.\n"},
      {62, 8, 3, " Not more than 5 new vertices to add is allowed. Then the curve will terminate in the open shape. \n"},
      {312, 6, 5, "Display my TALPRA mapped in *DataMyDrawing* file \n"},
      {342, 6, 5, "Welcome to Orbaline and Draw Your TALPRA \n"},
  };
  for (const Placed& p : widest) EXPECT_LE(p.x + bgi::textBox(p.text, p.font, p.size).width, kWidth) << p.text;
}

TEST(CanvasText, SizesGrowAndSizeOneStaysLegible) {
  const bgi::TextBox s1 = bgi::textBox("Edge", 8, 1), s3 = bgi::textBox("Edge", 8, 3), s5 = bgi::textBox("Edge", 8, 5);
  EXPECT_LT(s1.width, s3.width);
  EXPECT_LT(s3.width, s5.width);
  EXPECT_LT(s1.height, s3.height);
  EXPECT_LT(s3.height, s5.height);
  // A capital letter of size 1 is at least 9 pixels tall.
  auto c = Fresh();
  c->text(0, 0, "E", 6, 1, 15);
  int top = kHeight, bottom = -1;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (c->get(x, y) == 15) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  EXPECT_GE(bottom - top + 1, 9);
  // Fonts 6 and 8 differ.
  auto other = Fresh();
  other->text(0, 0, "E", 8, 1, 15);
  EXPECT_FALSE(SamePixels(*c, *other));
}

TEST(CanvasPalette, ClassicSixteenColours) {
  const std::uint32_t expected[16] = {0x000000, 0x0000a8, 0x00a800, 0x00a8a8, 0xa80000, 0xa800a8,
                                      0xa85400, 0xa8a8a8, 0x545454, 0x5454fc, 0x54fc54, 0x54fcfc,
                                      0xfc5454, 0xfc54fc, 0xfcfc54, 0xfcfcfc};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(bgi::kPalette[i], expected[i]) << i;
  auto c = Fresh();
  c->set(3, 3, 31);  // colour numbers wrap to 0..15
  EXPECT_EQ(c->get(3, 3), 15);
  c->set(-1, 0, 15);
  EXPECT_EQ(c->get(-1, 0), 0);
}

}  // namespace
