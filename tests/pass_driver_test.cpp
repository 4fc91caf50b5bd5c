// The pass driver: the start fix-up of the counter-clockwise pass, and whole
// editor sessions from the first key to the drawing file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <queue>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bgi/headless.h"

#include "editor/pass_driver.h"
#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;
using korvane::PassArrays;
using korvane::Point;
using korvane::PointArray;

const std::string kTangled = " Tu si sa priplietol ? ? \n";
const std::string kReached = " A\xC5\xBE sem si pri\xC5\xA1iel ? \n";

void Fill(PointArray& a, std::initializer_list<Point> points) {
  int i = 0;
  for (const Point& p : points) a[i++] = p;
}

struct Polygon {
  std::initializer_list<Point> points;
  std::initializer_list<int> indices;
  std::string tags;
};

void SetPolygon(PassArrays& a, const Polygon& p) {
  Fill(a.Z, p.points);
  int i = 0;
  for (int index : p.indices) a.I[i++] = index;
  for (int k = 0; k < static_cast<int>(p.tags.size()); ++k) a.C[k] = p.tags[static_cast<std::size_t>(k)];
  a.W = static_cast<int>(p.points.size()) - 1;
}

void ExpectPolygon(const PassArrays& a, const Polygon& p) {
  ASSERT_EQ(a.W, static_cast<int>(p.points.size()) - 1);
  int k = 0;
  for (const Point& pt : p.points) {
    EXPECT_EQ(a.Z[k], pt) << "point " << k;
    ++k;
  }
  k = 0;
  for (int index : p.indices) {
    EXPECT_EQ(a.I[k], index) << "index " << k;
    ++k;
  }
  for (k = 0; k <= a.W; ++k) EXPECT_EQ(a.C[k], p.tags[static_cast<std::size_t>(k)]) << "tag " << k;
}

std::string FixUp(int J, const PointArray& VERTEX, PassArrays& a) {
  testing::internal::CaptureStdout();
  korvane::StartFixUp(J, VERTEX, a);
  return testing::internal::GetCapturedStdout();
}

// Case A: the polygon's second vertex is the offset contour's second corner,
// straight above the first vertex.
class StartFixUpCaseA : public testing::Test {
 protected:
  void SetUp() override {
    Fill(V, {{100, 100}, {100, 40}, {40, 40}, {40, 100}, {100, 100}});
    Fill(a.VERTEX0, {{112, 112}, {100, 88}, {28, 28}, {28, 112}, {112, 112}});
  }
  PointArray V;
  PassArrays a;
};

TEST_F(StartFixUpCaseA, LeftTurnAtTheSecondVertexFoldsItOntoTheFirst) {
  // (112, 88) -> (100, 88) -> (100, 100): left, then down: a left turn.
  SetPolygon(a, {{{100, 100}, {100, 88}, {112, 88}, {100, 100}}, {0, 1, 2, 0}, "brrb"});
  EXPECT_EQ(FixUp(4, V, a), kTangled);
  ExpectPolygon(a, {{{100, 100}, {100, 100}, {112, 88}, {100, 100}}, {0, 0, 2, 0}, "brrb"});
  // The same in the row: the second vertex to the left of the first.
  Fill(a.VERTEX0, {{112, 112}, {88, 100}});
  SetPolygon(a, {{{100, 100}, {88, 100}, {88, 88}, {100, 100}}, {3, 1, 2, 3}, "crbc"});
  EXPECT_EQ(FixUp(4, V, a), kTangled);
  ExpectPolygon(a, {{{100, 100}, {100, 100}, {88, 88}, {100, 100}}, {3, 3, 2, 3}, "crbc"});
}

TEST_F(StartFixUpCaseA, OtherTurnsChangeNothingAndSayNothing) {
  const Polygon right = {{{100, 100}, {100, 88}, {88, 88}, {100, 100}}, {0, 1, 2, 0}, "brrb"};
  SetPolygon(a, right);
  EXPECT_EQ(FixUp(4, V, a), "");
  ExpectPolygon(a, right);
}

// Case B on the contour (100,0) (100,100) (0,100) (0,0) (100,0); no offset
// corner coincides with a contour vertex.
class StartFixUpCaseB : public testing::Test {
 protected:
  void SetUp() override {
    Fill(V, {{100, 0}, {100, 100}, {0, 100}, {0, 0}, {100, 0}});
    Fill(a.VERTEX0, {{500, 500}, {510, 500}, {520, 500}, {530, 500}, {500, 500}});
  }
  PointArray V;
  PassArrays a;
};

TEST_F(StartFixUpCaseB, RightTurnAtTheJunctionIsReroutedAlongTheContour) {
  // Chain (0,0) [3], (100,0) [4], (100,100) [1], (0,100) [2]: two right
  // turns, all kept; the inner vertices come in as contour vertices.
  SetPolygon(a, {{{50, 50}, {0, 100}, {10, 110}, {0, 0}, {50, 50}}, {0, 2, 7, 3, 0}, "brcbb"});
  EXPECT_EQ(FixUp(4, V, a), kReached);
  ExpectPolygon(a, {{{0, 100}, {10, 110}, {0, 0}, {100, 0}, {100, 100}, {0, 100}}, {2, 7, 3, 4, 1, 2}, "rcbbbr"});
}

TEST_F(StartFixUpCaseB, ChainEndsMoveOffOffsetCornersOnContourVertices) {
  // VERTEX0[1] lies on VERTEX[3] and VERTEX0[4] on VERTEX[2]: the chain runs
  // from index 3 to index 2 as above.
  Fill(a.VERTEX0, {{500, 500}, {0, 0}, {520, 500}, {530, 500}, {0, 100}});
  SetPolygon(a, {{{50, 50}, {0, 100}, {10, 110}, {0, 0}, {50, 50}}, {0, 4, 7, 1, 0}, "brcbb"});
  EXPECT_EQ(FixUp(4, V, a), kReached);
  ExpectPolygon(a, {{{0, 100}, {10, 110}, {0, 0}, {100, 0}, {100, 100}, {0, 100}}, {4, 7, 1, 4, 1, 2}, "rcbbbr"});
}

TEST_F(StartFixUpCaseB, ChainPulledToTwoPointsDropsTheJunction) {
  // Chain (200,50) [3], (100,0) [4], (100,100) [1], (100,200) [2]: both
  // inner vertices are left turns and go.
  SetPolygon(a, {{{200, 200}, {100, 200}, {200, 50}, {200, 200}}, {0, 2, 3, 0}, "brcb"});
  EXPECT_EQ(FixUp(4, V, a), kReached);
  ExpectPolygon(a, {{{100, 200}, {200, 50}, {100, 200}}, {2, 3, 2}, "rcr"});
}

TEST_F(StartFixUpCaseB, WithoutARightTurnOrWithoutSourceIndicesOnlyTheLineIsWritten) {
  const Polygon leftTurn = {{{-50, 50}, {0, 100}, {10, 110}, {0, 0}, {-50, 50}}, {0, 2, 7, 3, 0}, "brcbb"};
  SetPolygon(a, leftTurn);
  EXPECT_EQ(FixUp(4, V, a), kReached);
  ExpectPolygon(a, leftTurn);

  const Polygon noIndex = {{{50, 50}, {0, 100}, {10, 110}, {0, 0}, {50, 50}}, {0, 2, 7, -1, 0}, "brcrb"};
  SetPolygon(a, noIndex);
  EXPECT_EQ(FixUp(4, V, a), kReached);
  ExpectPolygon(a, noIndex);

  const Polygon noIndex1 = {{{50, 50}, {0, 100}, {10, 110}, {0, 0}, {50, 50}}, {0, -1, 7, 3, 0}, "brcrb"};
  SetPolygon(a, noIndex1);
  EXPECT_EQ(FixUp(4, V, a), kReached);
  ExpectPolygon(a, noIndex1);
}

TEST_F(StartFixUpCaseB, SecondIndexOneComparesWithNoContourVertex) {
  // I[1] is 1: VERTEX[-1] does not exist, so ind2 stays 1 and the chain
  // holds no contour vertex after the start.
  Fill(a.VERTEX0, {{500, 500}, {100, 0}, {520, 500}, {530, 500}, {500, 500}});
  SetPolygon(a, {{{90, 20}, {100, 100}, {10, 110}, {0, 0}, {90, 20}}, {0, 1, 7, 3, 0}, "brcbb"});
  EXPECT_EQ(FixUp(4, V, a), kReached);
  // Chain (0,0) [3], (100,0) [4], (100,100) [1]: one right turn, kept.
  ExpectPolygon(a, {{{100, 100}, {10, 110}, {0, 0}, {100, 0}, {100, 100}}, {1, 7, 3, 4, 1}, "rcbbr"});
}

}  // namespace

// Whole editor sessions. The square is drawn from the start (950, 500) three
// cells right, down, left and up; the pass-0 polygon is the contour itself,
// the pass-1 polygon the one-cell-inset offset contour.
namespace sessions {

const std::string kSquare = std::string("*n") + "rrrdddllluuu";

// Pass 0 written after a key other than Enter: the contour clockwise from
// its extreme vertex, its offset outside, the polygon as the backward pass
// left it (reversed).
const std::string kPass0 =
    "\n4\n986 , 536 , 950 , 536 , 950 , 500 , 986 , 500 , 986 , 536 , \n\n"
    "\n4\n998 , 548 , 938 , 548 , 938 , 488 , 998 , 488 , 998 , 548 , \n\n"
    "\n4\n986 , 536 , 986 , 500 , 950 , 500 , 950 , 536 , 986 , 536 , \n\n"
    "\n4\nb , b , b , b , b , \n";
// Pass 1 after a key other than Enter: the offset contour of the contour
// renormalised counter-clockwise, inside.
const std::string kPass1 =
    "\n4\n974 , 524 , 974 , 512 , 962 , 512 , 962 , 524 , 974 , 524 , \n\n"
    "\n4\n974 , 512 , 974 , 524 , 962 , 524 , 962 , 512 , 974 , 512 , \n\n"
    "\n4\nb , r , r , r , r , \n";

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

std::string LastLine(const std::string& trace) {
  const std::size_t end = trace.size() - 1;
  return trace.substr(trace.rfind('\n', end - 1) + 1, end - trace.rfind('\n', end - 1) - 1);
}

struct Outcome {
  km_test::Session s;
  fs::path dir;
  std::string file() const { return km_test::ReadFile(dir / "DataMyDrawing.txt"); }
};

Outcome Korvane(const std::string& name, const std::string& keys) {
  Outcome r;
  r.dir = km_test::FreshDir(name);
  r.s = km_test::RunSession(km_test::Program::Korvane, keys, r.dir);
  return r;
}

TEST(PassSessions, ThreePassesWriteOnlyTheFirstTwo) {
  const Outcome r = Korvane("three-passes", kSquare + "@@q");
  EXPECT_EQ(r.file(), kPass0 + kPass1);
  EXPECT_EQ(Count(r.s.trace, "delay 600\n"), 15);
  EXPECT_EQ(Count(r.s.trace, "getch 64\n"), 2);
  EXPECT_EQ(r.s.out, "");
  EXPECT_EQ(r.s.exitCode, 0);
  // After the last display key only the erase and nothing else: passes from
  // 2 on renormalise nothing and write nothing.
  const std::string tail = r.s.trace.substr(r.s.trace.rfind("getch 113\n"));
  EXPECT_EQ(tail,
            "getch 113\nsetlinestyle 0 1 2\nsetcolor 0\n"
            "moveto 986 536\nlineto 986 500\nlineto 950 500\nlineto 950 536\nlineto 986 536\n"
            "moveto 998 548\nlineto 998 488\nlineto 938 488\nlineto 938 548\nlineto 998 548\n"
            "moveto 986 536\nlineto 986 500\nlineto 950 500\nlineto 950 536\nlineto 986 536\n");
}

TEST(PassSessions, EnterAfterPassZeroWritesTheBackwardOrder) {
  const Outcome r = Korvane("enter-after-0", kSquare + "\r");
  EXPECT_EQ(r.file(),
            "\n4\n986 , 536 , 986 , 500 , 950 , 500 , 950 , 536 , 986 , 536 , \n\n"
            "\n4\n998 , 548 , 998 , 488 , 938 , 488 , 938 , 548 , 998 , 548 , \n\n"
            "\n4\n986 , 536 , 986 , 500 , 950 , 500 , 950 , 536 , 986 , 536 , \n\n"
            "\n4\nb , b , b , b , b , \n");
  // Nothing is drawn after the erase: Enter skips the renormalisation.
  EXPECT_EQ(LastLine(r.s.trace), "lineto 986 536");
  EXPECT_EQ(Count(r.s.trace, "getch"), 15);
}

TEST(PassSessions, OtherKeyAfterPassZeroRenormalisesBeforeWriting) {
  const Outcome r = Korvane("other-after-0", kSquare + "q@");
  EXPECT_EQ(r.file(), kPass0);
  // The renormalisation draws the contour white in the order it comes in,
  // the backward pass's; the '@' is never read.
  const std::string white =
      "setlinestyle 0 1 1\nsetcolor 15\n"
      "moveto 986 536\nlineto 986 500\nlineto 950 500\nlineto 950 536\nlineto 986 536\n";
  ASSERT_GE(r.s.trace.size(), white.size());
  EXPECT_EQ(r.s.trace.substr(r.s.trace.size() - white.size()), white);
  EXPECT_EQ(Count(r.s.trace, "getch 64\n"), 0);
}

TEST(PassSessions, EnterAfterPassOneWritesItsOffsetInTheBackwardOrder) {
  const Outcome r = Korvane("enter-after-1", kSquare + "@\r");
  EXPECT_EQ(r.file(), kPass0 +
                          "\n4\n974 , 512 , 974 , 524 , 962 , 524 , 962 , 512 , 974 , 512 , \n\n"
                          "\n4\n974 , 512 , 974 , 524 , 962 , 524 , 962 , 512 , 974 , 512 , \n\n"
                          "\n4\nb , r , r , r , r , \n");
}

TEST(PassSessions, SpecialKeyAtTheDisplayEndsAfterWriting) {
  const Outcome r = Korvane("special-key", kSquare + km_test::Up());
  EXPECT_EQ(r.file(), kPass0);
  EXPECT_EQ(Count(r.s.trace, "getch 0\n"), 1);
  EXPECT_EQ(Count(r.s.trace, "getch 72\n"), 0);
  EXPECT_EQ(Count(r.s.trace, "getch EOF\n"), 0);
}

TEST(PassSessions, OpenContourKeepsItsEnds) {
  // (950,500) right to (986,500), down to (986,536), finished open.
  const Outcome r = Korvane("open-l", std::string("*n") + "rrrddd" + "xx" + "@q");
  EXPECT_EQ(r.file(),
            "\n2\n950 , 500 , 986 , 500 , 986 , 536 , \n"
            "\n2\n950 , 488 , 998 , 488 , 998 , 536 , \n"
            "\n2\n986 , 536 , 986 , 500 , 950 , 500 , \n"
            "\n2\nb , b , b , \n"
            "\n2\n974 , 536 , 974 , 512 , 950 , 512 , \n"
            "\n2\n950 , 500 , 974 , 512 , 986 , 536 , \n"
            "\n2\nb , r , b , \n");
  EXPECT_EQ(r.s.out, "");
}

TEST(PassSessions, OpenFinishWithoutAnEdgeRunsNoPass) {
  const Outcome r = Korvane("open-empty", "*nxx@");
  EXPECT_FALSE(fs::exists(r.dir / "DataMyDrawing.txt"));
  EXPECT_EQ(Count(r.s.trace, "delay 600\n"), 0);
  EXPECT_EQ(Count(r.s.trace, "getch 64\n"), 0);
  EXPECT_EQ(r.s.out, "");
}

// Worked contours, both rotations, each written after '@' and then 'q'.
TEST(WorkedContours, LShape) {
  // (950,500) (1022,500) (1022,536) (986,536) (986,572) (950,572): a
  // three-cell-wide L. Clockwise the polygon cuts across the inner corner at
  // the offset corner (998,548); counter-clockwise it runs round the inset
  // offset contour and bends at the contour's inner corner (986,536).
  const Outcome r = Korvane("worked-l", std::string("*n") + "rrrrrr" + "ddd" + "lll" + "ddd" + "lll" + "uuuuuu" + "@q");
  EXPECT_EQ(r.file(),
            "\n6\n1022 , 536 , 986 , 536 , 986 , 572 , 950 , 572 , 950 , 500 , \n1022 , 500 , 1022 , 536 , \n"
            "\n6\n1034 , 548 , 998 , 548 , 998 , 584 , 938 , 584 , 938 , 488 , \n1034 , 488 , 1034 , 548 , \n"
            "\n6\n1022 , 536 , 1022 , 500 , 950 , 500 , 950 , 572 , 986 , 572 , \n998 , 548 , 1022 , 536 , \n"
            "\n6\nb , b , b , b , b , r , b , \n"
            "\n6\n1010 , 524 , 1010 , 512 , 962 , 512 , 962 , 560 , 974 , 560 , \n974 , 524 , 1010 , 524 , \n"
            "\n6\n1010 , 512 , 1010 , 524 , 986 , 536 , 974 , 560 , 962 , 560 , \n962 , 512 , 1010 , 512 , \n"
            "\n6\nb , r , b , r , r , r , r , \n");
  EXPECT_EQ(r.s.out, "");
}

TEST(WorkedContours, RectangleOneStepTall) {
  // (950,500) (986,500) (986,512) (950,512). Clockwise the polygon is the
  // contour. Counter-clockwise the inset offset contour turns inside out and
  // the polygon shrinks to a there-and-back between (974,512) and (962,512):
  // the forward pass's start case puts the offset corner (962,512) on it and
  // its end comes back to the offset start, marked as a return point.
  const Outcome r = Korvane("worked-flat", std::string("*n") + "rrrdlllu" + "@q");
  EXPECT_EQ(r.file(),
            "\n4\n986 , 512 , 950 , 512 , 950 , 500 , 986 , 500 , 986 , 512 , \n\n"
            "\n4\n998 , 524 , 938 , 524 , 938 , 488 , 998 , 488 , 998 , 524 , \n\n"
            "\n4\n986 , 512 , 986 , 500 , 950 , 500 , 950 , 512 , 986 , 512 , \n\n"
            "\n4\nb , b , b , b , b , \n"
            "\n4\n974 , 500 , 974 , 512 , 962 , 512 , 962 , 500 , 974 , 500 , \n\n"
            "\n2\n974 , 512 , 962 , 512 , 974 , 512 , \n"
            "\n2\nf , r , r , \n");
  EXPECT_EQ(r.s.out, "");
}

TEST(WorkedContours, UWithOneCellNotchClockwise) {
  // A 3 x 3-cell square with a one-cell notch two cells deep from the top:
  // (950,500) (962,500) (962,524) (974,524) (974,500) (986,500) (986,536)
  // (950,536). The forward pass finds the notch and takes its later offset
  // corner (962,512) on a tie; the tooth repair turns its 'f' into 'c'.
  const Outcome r = Korvane("worked-notch", std::string("*n") + "rddruurdddllluuu" + "q");
  EXPECT_EQ(r.file(),
            "\n8\n986 , 536 , 950 , 536 , 950 , 500 , 962 , 500 , 962 , 524 , \n"
            "974 , 524 , 974 , 500 , 986 , 500 , 986 , 536 , \n"
            "\n8\n998 , 548 , 938 , 548 , 938 , 488 , 974 , 488 , 974 , 512 , \n"
            "962 , 512 , 962 , 488 , 998 , 488 , 998 , 548 , \n"
            "\n7\n986 , 536 , 986 , 500 , 974 , 500 , 962 , 512 , 962 , 500 , \n"
            "950 , 500 , 950 , 536 , 986 , 536 , \n"
            "\n7\nb , b , b , c , b , b , b , b , \n");
}

// A contour beyond the arrays' capacity: the message, one key, the end; the
// drawing file keeps what it held.
PointArray gBig;
int gBigJ = 0;
int RunBig() {
  static PassArrays a;
  return korvane::PassDriver(gBigJ, gBig, a);
}

TEST(PassSessions, PolygonTooLargeIsReportedAndEndsTheEditor) {
  const fs::path dir = km_test::FreshDir("too-large");
  km_test::WriteFile(dir / "DataMyDrawing.txt", "earlier pass");
  for (int i = 0; i < korvane::kCapacity; ++i) {
    gBig[i] = Point{static_cast<std::int16_t>(100 + 12 * ((i + 1) / 2)), static_cast<std::int16_t>(100 + 12 * (i / 2))};
  }
  gBigJ = korvane::kCapacity;  // one point more than the arrays hold
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  const bgi::HeadlessResult result = bgi::runHeadless(&RunBig, "q@", options);
  fs::current_path(previous);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(trace.str(),
            "settextstyle 8 0 3\nsetcolor 12\n"
            "outtextxy 62 12 \" The polygon is too large to be built. \\n\"\ngetch 113\n");
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), "earlier pass");
}

TEST(WorkedContours, Staircase) {
  // Three steps of three cells: (950,500) (986,500) (986,536) (1022,536)
  // (1022,572) (1058,572) (1058,608) (950,608). Both polygons zigzag between
  // the contour's inner corners and offset corners; the counter-clockwise
  // pass starts at (1058,572), and its start fix-up finds no case A junction
  // and no right turn to re-route.
  const Outcome r = Korvane("worked-stairs", std::string("*n") + "rrrdddrrrdddrrrddd" + "lllllllll" + "uuuuuuuuu" + "@q");
  EXPECT_EQ(r.file(),
            "\n8\n1058 , 608 , 950 , 608 , 950 , 500 , 986 , 500 , 986 , 536 , \n"
            "1022 , 536 , 1022 , 572 , 1058 , 572 , 1058 , 608 , \n"
            "\n8\n1070 , 620 , 938 , 620 , 938 , 488 , 998 , 488 , 998 , 524 , \n"
            "1034 , 524 , 1034 , 560 , 1070 , 560 , 1070 , 620 , \n"
            "\n8\n1058 , 608 , 1058 , 572 , 1034 , 560 , 1022 , 536 , 998 , 524 , \n"
            "986 , 500 , 950 , 500 , 950 , 608 , 1058 , 608 , \n"
            "\n8\nb , b , r , b , r , b , b , b , b , \n"
            "\n8\n1046 , 596 , 1046 , 584 , 1010 , 584 , 1010 , 548 , 974 , 548 , \n"
            "974 , 512 , 962 , 512 , 962 , 596 , 1046 , 596 , \n"
            "\n8\n1046 , 584 , 1046 , 596 , 962 , 596 , 962 , 512 , 974 , 512 , \n"
            "986 , 536 , 1010 , 548 , 1022 , 572 , 1046 , 584 , \n"
            "\n8\nb , r , r , r , r , b , r , b , r , \n");
  EXPECT_EQ(r.s.out, kReached);
}

}  // namespace sessions

// Whole passes on contours whose corridor never touches itself: random
// simply connected unions of 4 x 4-cell blocks. The finished polygon of each
// pass must lie in the corridor, go once around its hole and be as short as
// the shortest such closed path, found here independently on the lattice.
namespace taut {

constexpr int kStep = 12;
constexpr int kBlock = 4;               // lattice cells per block side
constexpr int kGW = 7, kGH = 5;         // blocks across and down
constexpr int kMargin = 2;              // lattice cells around the blocks
constexpr int kFW = kGW * kBlock + 2 * kMargin, kFH = kGH * kBlock + 2 * kMargin;
constexpr int kOrigin = 120;            // pixel position of block corner (0, 0)
constexpr int kCellOrigin = kOrigin - kMargin * kStep;

using Blocks = std::array<std::array<bool, kGH>, kGW>;
using Cells = std::array<std::array<bool, kFH>, kFW>;

bool BlockAt(const Blocks& b, int i, int j) { return i >= 0 && j >= 0 && i < kGW && j < kGH && b[i][j]; }
bool CellAt(const Cells& c, int i, int j) { return i >= 0 && j >= 0 && i < kFW && j < kFH && c[i][j]; }

// A random connected union of blocks without holes and without blocks that
// touch at a corner only.
bool RandomBlocks(std::mt19937& random, Blocks& b) {
  b = {};
  b[random() % kGW][random() % kGH] = true;
  const int count = 2 + static_cast<int>(random() % 12);
  for (int added = 1; added < count;) {
    const int i = static_cast<int>(random() % kGW), j = static_cast<int>(random() % kGH);
    if (b[i][j] || !(BlockAt(b, i - 1, j) || BlockAt(b, i + 1, j) || BlockAt(b, i, j - 1) || BlockAt(b, i, j + 1))) {
      continue;
    }
    b[i][j] = true;
    ++added;
  }
  for (int i = -1; i < kGW; ++i) {
    for (int j = -1; j < kGH; ++j) {
      const bool a = BlockAt(b, i, j), c = BlockAt(b, i + 1, j), d = BlockAt(b, i, j + 1), e = BlockAt(b, i + 1, j + 1);
      if ((a && e && !c && !d) || (c && d && !a && !e)) return false;
    }
  }
  // Holes: empty blocks not reachable from outside.
  std::array<std::array<bool, kGH + 2>, kGW + 2> seen{};
  std::vector<std::pair<int, int>> todo{{0, 0}};
  seen[0][0] = true;
  while (!todo.empty()) {
    const auto [i, j] = todo.back();
    todo.pop_back();
    const int di[] = {1, -1, 0, 0}, dj[] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
      const int ni = i + di[k], nj = j + dj[k];
      if (ni < 0 || nj < 0 || ni > kGW + 1 || nj > kGH + 1 || seen[ni][nj] || BlockAt(b, ni - 1, nj - 1)) continue;
      seen[ni][nj] = true;
      todo.push_back({ni, nj});
    }
  }
  for (int i = 0; i < kGW; ++i) {
    for (int j = 0; j < kGH; ++j) {
      if (!b[i][j] && !seen[i + 1][j + 1]) return false;
    }
  }
  return true;
}

// The outline of the blocks, clockwise on screen, starting at a corner; the
// corners only. Returns the last index.
int Outline(const Blocks& b, PointArray& V) {
  // Directed unit edges with the blocks on their right (y grows downwards).
  std::map<std::pair<int, int>, std::pair<int, int>> next;
  for (int i = 0; i < kGW; ++i) {
    for (int j = 0; j < kGH; ++j) {
      if (!b[i][j]) continue;
      if (!BlockAt(b, i, j - 1)) next[{i, j}] = {i + 1, j};
      if (!BlockAt(b, i + 1, j)) next[{i + 1, j}] = {i + 1, j + 1};
      if (!BlockAt(b, i, j + 1)) next[{i + 1, j + 1}] = {i, j + 1};
      if (!BlockAt(b, i - 1, j)) next[{i, j + 1}] = {i, j};
    }
  }
  std::vector<std::pair<int, int>> loop;
  auto at = next.begin()->first;
  do {
    loop.push_back(at);
    at = next.at(at);
  } while (at != loop.front());
  const int n = static_cast<int>(loop.size());
  std::vector<std::pair<int, int>> corners;
  for (int k = 0; k < n; ++k) {
    const auto p = loop[(k + n - 1) % n], c = loop[k], q = loop[(k + 1) % n];
    if ((c.first - p.first) != (q.first - c.first) || (c.second - p.second) != (q.second - c.second)) {
      corners.push_back(c);
    }
  }
  int J = 0;
  for (const auto& c : corners) {
    V[J++] = Point{static_cast<std::int16_t>(kOrigin + 48 * c.first), static_cast<std::int16_t>(kOrigin + 48 * c.second)};
  }
  V[J] = V[0];
  return J;
}

// The corridor's lattice cells for a pass: one cell around the blocks
// (clockwise pass) or the blocks' cells one cell in from their outline
// (counter-clockwise pass); and one cell of the hole it surrounds.
Cells Corridor(const Blocks& b, int Turner, std::pair<int, int>& holeCell) {
  Cells inside{};
  for (int i = 0; i < kFW; ++i) {
    for (int j = 0; j < kFH; ++j) {
      inside[i][j] = BlockAt(b, (i - kMargin + kBlock * kGW) / kBlock - kGW, (j - kMargin + kBlock * kGH) / kBlock - kGH) &&
                     i >= kMargin && j >= kMargin;
    }
  }
  Cells corridor{};
  for (int i = 0; i < kFW; ++i) {
    for (int j = 0; j < kFH; ++j) {
      bool any = false, all = true;
      for (int di = -1; di <= 1; ++di) {
        for (int dj = -1; dj <= 1; ++dj) {
          any = any || CellAt(inside, i + di, j + dj);
          all = all && CellAt(inside, i + di, j + dj);
        }
      }
      corridor[i][j] = Turner == 0 ? any && !inside[i][j] : inside[i][j] && !all;
      if (inside[i][j] && (Turner == 0 || all)) holeCell = {i, j};
    }
  }
  return corridor;
}

struct Region {
  Cells cells;
  bool Holds(double x, double y) const {
    const double u = (x - kCellOrigin) / kStep, v = (y - kCellOrigin) / kStep;
    const double ru = std::round(u), rv = std::round(v);
    const bool onU = std::abs(u - ru) < 1e-9, onV = std::abs(v - rv) < 1e-9;
    const int iu = static_cast<int>(std::floor(u)), iv = static_cast<int>(std::floor(v));
    for (int a = 0; a <= (onU ? 1 : 0); ++a) {
      for (int c = 0; c <= (onV ? 1 : 0); ++c) {
        const int i = onU ? static_cast<int>(ru) - a : iu;
        const int j = onV ? static_cast<int>(rv) - c : iv;
        if (CellAt(cells, i, j)) return true;
      }
    }
    return false;
  }
  // The closed segment lies in the closed corridor.
  bool HoldsSegment(Point p, Point q) const {
    std::vector<double> cuts{0.0, 1.0};
    const double dx = q.x - p.x, dy = q.y - p.y;
    for (int k = -2; k <= std::max(kFW, kFH) + 2; ++k) {
      const double line = kCellOrigin + kStep * k;
      if (dx != 0) cuts.push_back((line - p.x) / dx);
      if (dy != 0) cuts.push_back((line - p.y) / dy);
    }
    std::sort(cuts.begin(), cuts.end());
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      const double a = std::max(0.0, cuts[k]), b = std::min(1.0, cuts[k + 1]);
      if (a > b) continue;
      const double t = (a + b) / 2;
      if (!Holds(p.x + t * dx, p.y + t * dy)) return false;
    }
    return Holds(p.x, p.y) && Holds(q.x, q.y);
  }
};

// Signed crossings of p -> q with the ray from (rx, ry) to the right.
int Crossing(Point p, Point q, double rx, double ry) {
  if ((p.y < ry) == (q.y < ry)) return 0;
  const double x = p.x + (ry - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y);
  if (x < rx) return 0;
  return q.y > p.y ? 1 : -1;
}

double Dist(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Length of the shortest closed path in the corridor that goes once around
// the hole: Dijkstra over the corridor's reflex corners, counting crossings
// of a ray from the hole.
double ShortestLoop(const Region& r, double rx, double ry) {
  std::vector<Point> nodes;
  for (int i = 0; i <= kFW; ++i) {
    for (int j = 0; j <= kFH; ++j) {
      const int n = CellAt(r.cells, i - 1, j - 1) + CellAt(r.cells, i, j - 1) + CellAt(r.cells, i - 1, j) +
                    CellAt(r.cells, i, j);
      if (n == 3) {
        nodes.push_back(Point{static_cast<std::int16_t>(kCellOrigin + kStep * i),
                              static_cast<std::int16_t>(kCellOrigin + kStep * j)});
      }
    }
  }
  const int n = static_cast<int>(nodes.size());
  std::vector<std::vector<int>> sees(static_cast<std::size_t>(n));
  for (int a = 0; a < n; ++a) {
    for (int b = 0; b < n; ++b) {
      if (a != b && r.HoldsSegment(nodes[a], nodes[b])) sees[a].push_back(b);
    }
  }
  constexpr int kLayers = 5;  // crossing counts -2 .. 2
  double best = std::numeric_limits<double>::infinity();
  for (int s = 0; s < n; ++s) {
    std::vector<double> dist(static_cast<std::size_t>(n * kLayers), std::numeric_limits<double>::infinity());
    using Item = std::pair<double, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    dist[s * kLayers + 2] = 0;
    queue.push({0, s * kLayers + 2});
    while (!queue.empty()) {
      const auto [d, at] = queue.top();
      queue.pop();
      if (d > dist[at]) continue;
      const int v = at / kLayers, layer = at % kLayers;
      for (int w : sees[v]) {
        const int nl = layer + Crossing(nodes[v], nodes[w], rx, ry);
        if (nl < 0 || nl >= kLayers) continue;
        const double nd = d + Dist(nodes[v], nodes[w]);
        if (nd < dist[w * kLayers + nl]) {
          dist[w * kLayers + nl] = nd;
          queue.push({nd, w * kLayers + nl});
        }
      }
    }
    best = std::min({best, dist[s * kLayers + 1], dist[s * kLayers + 3]});
  }
  return best;
}

std::function<void()> gBody;
int RunBody() {
  gBody();
  return 0;
}

TEST(TautPolygon, IsTheShortestClosedPathThroughTheCorridor) {
  std::mt19937 random(7);
  int contours = 0;
  while (contours < 100) {
    Blocks blocks;
    if (!RandomBlocks(random, blocks)) continue;
    ++contours;
    static PointArray V;
    static PassArrays a;
    int J = Outline(blocks, V);
    for (int Turner = 0; Turner <= 1; ++Turner) {
      std::pair<int, int> hole{-1, -1};
      const Region region{Corridor(blocks, Turner, hole)};
      const double rx = kCellOrigin + kStep * hole.first + kStep / 2.0;
      const double ry = kCellOrigin + kStep * hole.second + kStep / 2.0;
      const double expected = ShortestLoop(region, rx, ry);

      gBody = [&] { korvane::ConstructPass(J, V, a, Turner); };
      testing::internal::CaptureStdout();
      bgi::runHeadless(&RunBody, "", bgi::HeadlessOptions{});
      testing::internal::GetCapturedStdout();

      std::ostringstream where;
      where << "contour " << contours << " pass " << Turner << ":";
      for (int k = 0; k <= J; ++k) where << " (" << V[k].x << "," << V[k].y << ")";
      where << "\npolygon:";
      for (int k = 0; k <= a.W; ++k) where << " (" << a.Z[k].x << "," << a.Z[k].y << ")";
      SCOPED_TRACE(where.str());

      ASSERT_GE(a.W, 1);
      EXPECT_EQ(a.Z[0], a.Z[a.W]);
      double length = 0;
      int winding = 0;
      for (int k = 0; k < a.W; ++k) {
        EXPECT_TRUE(region.HoldsSegment(a.Z[k], a.Z[k + 1])) << "edge " << k << " leaves the corridor";
        length += Dist(a.Z[k], a.Z[k + 1]);
        winding += Crossing(a.Z[k], a.Z[k + 1], rx, ry);
      }
      EXPECT_EQ(std::abs(winding), 1);
      EXPECT_NEAR(length, expected, 1e-6);
    }
  }
}

}  // namespace taut
