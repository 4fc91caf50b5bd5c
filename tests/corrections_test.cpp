#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "editor/corrections.h"

namespace korvane {
namespace {

struct Vx {
  int x, y, index;
  char tag;
};

// A polygon with both walls; wall points that a test does not set lie far
// away from everything, so no condition holds by accident.
class Corrections : public ::testing::Test {
 protected:
  int J = 40;
  int W = 0;
  PointArray V, O, Z;
  IntArray I;
  TagArray C;

  Corrections() {
    for (int k = 0; k < kCapacity; ++k) {
      V[k] = P(1000 + 2 * k, 990);
      O[k] = P(1001 + 2 * k, 995);
    }
  }
  static Point P(int x, int y) { return Point{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; }
  void Set(std::initializer_list<Vx> vs) {
    W = -1;
    for (const Vx& v : vs) {
      ++W;
      Z[W] = P(v.x, v.y);
      I[W] = v.index;
      C[W] = v.tag;
    }
  }
  void Expect(int k, int x, int y, int index, char tag) {
    EXPECT_EQ(Z[k], P(x, y)) << "vertex " << k;
    EXPECT_EQ(I[k], index) << "vertex " << k;
    EXPECT_EQ(C[k], tag) << "vertex " << k;
  }
  void Tip() { ToothTipChoice(J, W, V, O, Z, I, C, Xgrid, Ygrid); }
  void Closing() { ClosingGroup(J, W, V, O, Z, I, C, Xgrid, Ygrid); }

  // A tip sticking up from (100,100) between columns 100 and 112; the vertex
  // after it stays where it is but takes index 8.
  void UpTip() {
    Set({{100, 100, 0, 'b'}, {100, 40, 5, 'b'}, {112, 100, 10, 'b'}});
    O[8] = Z[2];
    O[9] = Z[1];
  }
};

TEST(TipBand, BoundariesAndTieBand) {
  EXPECT_EQ(TipBand(0.000001), TipVerdict::Unchanged);
  EXPECT_EQ(TipBand(-0.000001), TipVerdict::Unchanged);
  EXPECT_EQ(TipBand(0.00000099), TipVerdict::Tie);
  EXPECT_EQ(TipBand(-0.00000099), TipVerdict::Tie);
  EXPECT_EQ(TipBand(0.0), TipVerdict::Tie);
  EXPECT_EQ(TipBand(0.0000011), TipVerdict::TakeAlternative);
  EXPECT_EQ(TipBand(-0.0000011), TipVerdict::KeepTip);
  // One float step at 8 (2^-20) lies inside the band, one at 16 (2^-19) outside.
  EXPECT_EQ(TipRouteVerdict(8.0f, std::nextafter(8.0f, 9.0f)), TipVerdict::Tie);
  EXPECT_EQ(TipRouteVerdict(16.0f, std::nextafter(16.0f, 17.0f)), TipVerdict::KeepTip);
  EXPECT_EQ(TipRouteVerdict(std::nextafter(16.0f, 17.0f), 16.0f), TipVerdict::TakeAlternative);
}

TEST_F(Corrections, ToothTipVerticalFormChoosesTheShorterRoute) {
  // Tip route 60 + sqrt(3744) = 121.19.
  UpTip();
  O[4] = P(88, 40);  // 125.8: the tip stays
  Tip();
  Expect(1, 100, 40, 5, 'f');
  Expect(2, 112, 100, 8, 'c');

  UpTip();
  O[4] = P(106, 50);  // 100.7: the tip moves
  Tip();
  Expect(1, 106, 50, 4, 'f');

  UpTip();
  O[4] = P(112, 40);  // mirror image: a tie, Q before the tip is taken
  Tip();
  Expect(1, 112, 40, 4, 'f');

  // The corner after the tip lies beyond the offset contour: no tooth here.
  UpTip();
  I[1] = J;
  O[J - 1] = P(106, 50);
  Tip();
  Expect(1, 100, 40, J, 'b');
  Expect(2, 112, 100, 10, 'b');
}

TEST_F(Corrections, ToothTipHorizontalTieWithQBeforeKeepsTheTip) {
  Set({{100, 100, 0, 'b'}, {40, 100, 5, 'b'}, {100, 112, 10, 'r'}});
  O[8] = Z[2];
  O[9] = Z[1];
  O[4] = P(40, 112);
  Tip();
  Expect(1, 40, 100, 5, 'f');
  Expect(2, 100, 112, 8, 'r');  // an 'r' keeps its tag
}

TEST_F(Corrections, ToothTipTieWithQAfterTheTip) {
  // i = 0: the tip moves whatever the turn.
  Set({{100, 100, 0, 'r'}, {112, 40, 5, 'b'}, {112, 100, 10, 'b'}});
  O[6] = P(100, 40);
  O[8] = Z[2];
  O[9] = Z[1];
  Tip();
  Expect(1, 100, 40, 6, 'f');

  // i = 2: moves only on a left turn from the vertex before Z[i].
  const auto atTwo = [&](int x1, int y1, int x0, int y0) {
    Set({{x0, y0, 0, 'b'}, {x1, y1, 1, 'b'}, {100, 100, 20, 'r'}, {112, 40, 25, 'b'}, {112, 100, 30, 'b'}});
    O[26] = P(100, 40);
    O[28] = Z[4];
    O[29] = Z[3];
    Tip();
  };
  atTwo(40, 100, 40, 160);
  Expect(3, 100, 40, 26, 'f');
  atTwo(160, 100, 160, 160);
  Expect(3, 112, 40, 25, 'b');
  Expect(4, 112, 100, 28, 'c');
  // A duplicate of Z[2] is skipped: the vertex before it is Z[0], so it moves.
  atTwo(100, 100, 160, 100);
  Expect(3, 100, 40, 26, 'f');
}

TEST_F(Corrections, ToothTipBlockedByACornerTagB) {
  Set({{100, 100, 0, 'b'}, {112, 40, 5, 'b'}, {112, 100, 10, 'b'}});
  O[6] = P(100, 40);
  O[8] = Z[2];
  O[9] = Z[1];
  Tip();
  Expect(1, 112, 40, 5, 'b');
  Expect(2, 112, 100, 10, 'b');
}

TEST_F(Corrections, ToothTipVertexAfterTheTipNeedsAPointBeyond) {
  const auto setUp = [&](std::initializer_list<Vx> vs) {
    Set(vs);
    O[9] = V[11] = P(112, 88);
    O[4] = P(88, 40);
  };
  // At i = W - 2 there is no Z[i+3]: nothing happens.
  setUp({{100, 100, 0, 'b'}, {100, 40, 5, 'b'}, {112, 100, 10, 'b'}});
  Tip();
  Expect(1, 100, 40, 5, 'b');
  Expect(2, 112, 100, 10, 'b');
  // Z[i+3] in another column: only the tag.
  setUp({{100, 100, 0, 'b'}, {100, 40, 5, 'b'}, {112, 100, 10, 'b'}, {200, 200, 12, 'b'}});
  Tip();
  Expect(1, 100, 40, 5, 'b');
  Expect(2, 112, 100, 10, 'c');
  // In the same column: the vertex moves and the tip is chosen.
  setUp({{100, 100, 0, 'b'}, {100, 40, 5, 'b'}, {112, 100, 10, 'b'}, {112, 200, 12, 'b'}});
  Tip();
  Expect(2, 112, 88, 9, 'c');
  Expect(1, 100, 40, 5, 'f');
}

TEST_F(Corrections, ToothTipBackStepMergeChangesTheAlternative) {
  Set({{88, 100, 5, 'b'}, {100, 100, 4, 'f'}, {100, 40, 20, 'b'}, {112, 100, 30, 'b'}});
  O[5] = Z[0];
  O[4] = Z[1];
  O[28] = Z[3];
  O[29] = Z[2];
  O[19] = P(88, 40);   // the alternative before the merge: longer
  O[21] = P(106, 60);  // after it: shorter
  Tip();
  Expect(1, 88, 100, 5, 'c');
  Expect(2, 106, 60, 21, 'f');
  Expect(3, 112, 100, 28, 'c');
}

TEST_F(Corrections, ToothGroupWithOneEdgeChangesNothing) {
  Set({{100, 100, 0, 'b'}, {100, 40, 5, 'b'}, {112, 100, 10, 'b'}});
  O[8] = Z[2];
  O[9] = Z[1];
  O[4] = P(106, 50);
  W = 1;
  ToothGroup(J, W, V, O, Z, I, C, Xgrid, Ygrid);
  Expect(1, 100, 40, 5, 'b');
  Expect(2, 112, 100, 10, 'b');
}

TEST_F(Corrections, TipShortcutOnlyWhenStrictlyShorter) {
  // Three edges 120 + 40 + 20; over P(76,28) 120 + 60: equal, nothing moves.
  Set({{-20, 100, 0, 'b'}, {100, 100, 1, 'b'}, {100, 60, 10, 'f'}, {112, 76, 11, 'b'}});
  O[9] = P(76, 28);
  TipShortcut(J, W, V, O, Z, I, C, Xgrid, Ygrid);
  Expect(2, 100, 60, 10, 'f');
  O[9] = P(80, 30);  // 178.1
  TipShortcut(J, W, V, O, Z, I, C, Xgrid, Ygrid);
  Expect(2, 80, 30, 9, 'f');
}

TEST_F(Corrections, CornerPairShiftKeepsTags) {
  Set({{0, 100, 0, 'b'}, {100, 100, 3, 'r'}, {100, 40, 10, 'c'}, {200, 40, 14, 'b'}});
  O[11] = V[9] = P(112, 112);
  O[13] = P(150, 40);
  CornerPairShift(J, W, V, O, Z, I, C);
  Expect(1, 112, 112, 11, 'r');
  Expect(2, 150, 40, 13, 'c');
}

TEST_F(Corrections, ObliqueApproachPullBack) {
  Set({{0, 0, 0, 'b'}, {100, 100, 10, 'r'}, {112, 100, 11, 'b'}, {300, 300, 12, 'b'}});
  O[7] = V[5] = P(90, 90);
  ObliquePullBack(J, W, V, O, Z, I, C, Xgrid, Ygrid);
  Expect(1, 90, 90, 7, 'f');
  Expect(2, 112, 100, 11, 'f');
}

TEST_F(Corrections, ClosingEndMark) {
  Set({{0, 0, 0, 'b'}, {100, 0, 1, 'b'}, {100, 100, 2, 'r'}, {0, 100, 3, 'b'}});
  ClosingEndMark(W, Z, C);
  EXPECT_EQ(C[2], 'g');
  // The end in the column of Z[W-1] and the row of Z[1]: no mark.
  Set({{0, 0, 0, 'b'}, {100, 0, 1, 'b'}, {100, 100, 2, 'r'}, {0, 0, 3, 'b'}});
  ClosingEndMark(W, Z, C);
  EXPECT_EQ(C[2], 'r');
}

TEST_F(Corrections, ClosingGroupWithTwoEdgesOnlyMarksTheReturnPoint) {
  Set({{0, 0, 0, 'b'}, {12, 0, 1, 'f'}, {0, 0, 2, 'g'}});
  Closing();
  Expect(2, 0, 0, 2, 'f');
  Expect(1, 12, 0, 1, 'f');
}

TEST_F(Corrections, StraightRunReachingTheStart) {
  Set({{0, 0, 3, 'b'}, {12, 12, 4, 'r'}, {24, 24, 5, 'c'}, {36, 36, 10, 'f'}, {60, 48, 11, 'b'}, {90, 200, 12, 'b'}});
  O[10] = V[8];
  O[9] = V[11];
  StraightRunFlattening(J, W, V, O, Z, I, C);
  Expect(1, 0, 0, 3, 'b');
  Expect(2, 0, 0, 3, 'b');
  Expect(3, 36, 36, 10, 'f');
}

TEST_F(Corrections, ClosingPairCollapseAndStartDuplicate) {
  Set({{0, 0, 0, 'b'}, {0, 100, 5, 'f'}, {100, 100, 9, 'c'}, {100, 50, 12, 'b'}});
  O[5] = V[3] = Z[1];
  O[9] = V[7] = Z[2];
  O[4] = V[6] = P(50, 100);
  ClosingPairCollapse(J, W, V, O, Z, I, C);
  Expect(1, 50, 100, 4, 'g');
  Expect(2, 50, 100, 4, 'g');

  Set({{0, 0, 0, 'b'}, {0, 0, 1, 'r'}, {50, 50, 5, 'c'}, {100, 50, 12, 'b'}});
  StartDuplicateMark(W, Z, C);
  EXPECT_EQ(C[2], 'g');
  Set({{0, 0, 0, 'b'}, {0, 0, 1, 'r'}, {50, 50, 5, 'c'}, {0, 0, 12, 'b'}});
  StartDuplicateMark(W, Z, C);
  EXPECT_EQ(C[2], 'c');
}

}  // namespace
}  // namespace korvane
