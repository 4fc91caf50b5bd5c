#include <gtest/gtest.h>

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
class Pikes : public ::testing::Test {
 protected:
  int J = 40;
  int W = 0;
  PointArray V, O, Z;
  IntArray I, K;
  TagArray C;

  Pikes() {
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
  void Sweep() { PikePairs(J, W, V, O, Z, I, C, Xgrid, Ygrid); }
  void Closing() { ClosingPikePair(J, W, V, O, Z, I, C); }
};

TEST_F(Pikes, TipFirstPairIsCutToItsRoot) {
  const auto setUp = [&] {
    Set({{0, 40, 0, 'b'}, {100, 40, 1, 'b'}, {200, 100, 10, 'f'}, {188, 112, 12, 'c'}, {100, 200, 14, 'b'},
         {0, 200, 15, 'b'}});
    O[9] = O[13] = P(150, 106);
    O[12] = Z[3];
  };
  setUp();
  Sweep();  // 241.07 against 207.25
  Expect(2, 150, 106, 9, 'F');
  Expect(3, 150, 106, 13, 'F');

  setUp();
  W = 3;  // too short for the sweep
  Sweep();
  Expect(2, 200, 100, 10, 'f');
  Expect(3, 188, 112, 12, 'c');
}

TEST_F(Pikes, SweepResumesTwoIndicesAfterACut) {
  const auto setUp = [&] {
    Set({{0, 40, 0, 'b'}, {188, 88, 10, 'c'}, {200, 100, 12, 'f'}, {100, 160, 20, 'f'}, {112, 172, 22, 'c'},
         {300, 172, 24, 'b'}, {300, 300, 26, 'b'}});
    O[9] = O[13] = P(150, 90);
    O[12] = Z[2];
    O[19] = O[23] = P(150, 166);
    O[22] = Z[4];
  };
  // The tip-second cut at i = 2 skips the tip-first test at i = 3.
  setUp();
  Sweep();
  Expect(1, 150, 90, 9, 'F');
  Expect(2, 150, 90, 13, 'F');
  Expect(3, 100, 160, 20, 'f');
  Expect(4, 112, 172, 22, 'c');

  // Without the first pike (a tooth there), the second one is cut.
  setUp();
  V[10] = Z[2];
  Sweep();
  Expect(1, 188, 88, 10, 'c');
  Expect(3, 150, 166, 19, 'F');
  Expect(4, 150, 166, 23, 'F');
}

TEST_F(Pikes, TipFirstTieCutsOnlyAwayFromTheStartAndNotOnALeftTurn) {
  // Q lies as far from the run start as the tip does.
  const auto run = [&](int x0, int y0, int qx, int qy) {
    Set({{x0, y0, 0, 'b'}, {0, 0, 1, 'b'}, {60, 80, 10, 'f'}, {48, 92, 12, 'c'}, {0, 200, 14, 'b'},
         {100, 300, 15, 'b'}});
    O[9] = O[13] = P(qx, qy);
    O[12] = Z[3];
    Sweep();
  };
  run(-60, -80, 100, 40);  // the run starts at Z[0]
  Expect(2, 60, 80, 10, 'f');
  run(0, -100, 80, 60);  // left turn at the run start
  Expect(2, 60, 80, 10, 'f');
  run(-100, 0, 80, 60);  // right turn
  Expect(2, 80, 60, 9, 'F');
  Expect(3, 80, 60, 13, 'F');
}

TEST_F(Pikes, TipSecondTieCutsOnlyBeforeTheEndAndNotOnALeftTurn) {
  const auto run = [&](int x4, int y4) {
    Set({{0, 0, 0, 'b'}, {60, 80, 10, 'c'}, {72, 92, 12, 'f'}, {0, 200, 14, 'b'}, {x4, y4, 15, 'b'}});
    O[9] = O[13] = P(80, 60);
    O[12] = Z[2];
    Sweep();
  };
  run(-72, 308);  // the run ends at Z[W]
  Expect(2, 72, 92, 12, 'f');
  run(0, 300);  // left turn at the run end
  Expect(2, 72, 92, 12, 'f');
  run(-100, 200);  // right turn
  Expect(1, 80, 60, 9, 'F');
  Expect(2, 80, 60, 13, 'F');
}

TEST_F(Pikes, FailingHorizontalFormDoesNotTryTheVerticalOne) {
  const auto run = [&](int x3) {
    Set({{-100, 0, 0, 'b'}, {0, 0, 1, 'b'}, {100, 100, 10, 'f'}, {x3, 88, 12, 'c'}, {0, 50, 14, 'b'},
         {100, 300, 15, 'b'}});
    O[9] = O[13] = P(50, 0);  // in the row of Z[1], not in its column
    O[12] = Z[3];
    Sweep();
  };
  run(88);  // both forms enter; the horizontal root row fails
  Expect(2, 100, 100, 10, 'f');
  Expect(3, 88, 88, 12, 'c');
  run(112);  // only the vertical form enters, and cuts
  Expect(2, 50, 0, 9, 'F');
  Expect(3, 50, 0, 13, 'F');
}

TEST_F(Pikes, ClosingPikePair) {
  const auto setUp = [&](int qx, int rx, int ry) {
    Set({{0, 0, 0, 'b'}, {100, 0, 1, 'b'}, {130, 40, 10, 'f'}, {160, 80, 12, 'c'}, {100, 100, 15, 'b'}});
    O[J] = V[J] = P(500, 500);
    O[9] = P(qx, qx == 140 ? 30 : 0);
    O[13] = P(150, 50);
    O[15] = P(rx, ry);
  };
  // R at the end, equal routes (50 + 100): the pair stays and is marked.
  setUp(140, 100, 100);
  Closing();
  Expect(2, 130, 40, 10, 'g');
  Expect(3, 160, 80, 12, 'g');
  // R at the end, shorter over Q: cut.
  setUp(120, 100, 100);
  Closing();
  Expect(2, 120, 0, 9, 'F');
  Expect(3, 150, 50, 13, 'F');
  // R in the row of the tip, equal routes: unchanged.
  setUp(140, 40, 80);
  Closing();
  Expect(2, 130, 40, 10, 'f');
  Expect(3, 160, 80, 12, 'c');
  setUp(120, 40, 80);
  Closing();
  Expect(2, 120, 0, 9, 'F');
  // The offset contour does not close on the contour's end.
  setUp(140, 100, 100);
  O[J] = P(501, 500);
  Closing();
  Expect(2, 130, 40, 10, 'f');
  // Too short for a pair before the end.
  Set({{0, 0, 0, 'f'}, {12, 12, 1, 'c'}, {0, 24, 2, 'b'}});
  Closing();
  Expect(0, 0, 0, 0, 'f');
  Expect(1, 12, 12, 1, 'c');
}

TEST_F(Pikes, RepullWithoutMarksKeepsThePolygon) {
  Set({{0, 0, 0, 'b'}, {100, 0, 3, 'f'}, {100, 100, 7, 'g'}, {0, 100, -1, 'r'}, {0, 0, 9, 'c'}});
  const PointArray Z0 = Z;
  const IntArray I0 = I;
  const TagArray C0 = C;
  PikeRepull(W, O, Z, I, K, C);
  ASSERT_EQ(W, 4);
  for (int k = 0; k <= W; ++k) {
    EXPECT_EQ(Z[k], Z0[k]);
    EXPECT_EQ(I[k], I0[k]);
    EXPECT_EQ(C[k], C0[k]);
    EXPECT_EQ(K[k], I0[k]);
  }
}

TEST_F(Pikes, RepullPullsChainsOnBothSidesOfACutPair) {
  Set({{0, 0, 0, 'b'}, {200, 100, 3, 'F'}, {200, 100, 7, 'F'}, {0, 300, 12, 'r'}});
  O[1] = P(100, 0);
  O[2] = P(100, 100);
  O[9] = P(200, 200);
  O[10] = P(100, 200);
  O[11] = P(100, 300);
  PikeRepull(W, O, Z, I, K, C);
  // The pair was the last before the end: the end comes twice.
  ASSERT_EQ(W, 5);
  Expect(0, 0, 0, 0, 'b');
  Expect(1, 100, 100, 2, 'r');
  Expect(2, 200, 100, 3, 'f');
  Expect(3, 200, 100, 7, 'f');
  Expect(4, 0, 300, 12, 'r');
  Expect(5, 0, 300, 12, 'r');
  for (int k = 0; k <= W; ++k) EXPECT_EQ(K[k], I[k]);
}

TEST_F(Pikes, RepullWithEmptyChains) {
  // I[0] >= I[1]: the pair's first vertex takes Z[0]'s place;
  // I[3] <= I[2] + 1: Z[3] is left out.
  Set({{10, 10, 5, 'b'}, {20, 20, 5, 'F'}, {30, 30, 9, 'F'}, {40, 40, 10, 'b'}, {50, 50, 11, 'r'}});
  PikeRepull(W, O, Z, I, K, C);
  ASSERT_EQ(W, 2);
  Expect(0, 20, 20, 5, 'f');
  Expect(1, 30, 30, 9, 'f');
  Expect(2, 50, 50, 11, 'r');
}

TEST_F(Pikes, StrainStartsAndReplacesWhereTheTurnSaysSo) {
  PointArray U;
  TagArray E;
  Set({{0, 0, 4, 'b'}, {50, 0, 5, 'F'}, {50, 50, 6, 'F'}});
  // Only U[0] before the end vertex: appended without a turn test.
  U[0] = Z[0];
  int j = 0;
  Strain_ToPike(1, Z, I, C, O, U, K, E, j);
  ASSERT_EQ(j, 1);
  EXPECT_EQ(U[1], Z[1]);
  EXPECT_EQ(K[1], 5);
  EXPECT_EQ(E[1], 'F');
  // Straight on from U[0], U[1]: the end vertex replaces the entry the chain
  // started from.
  Z[2] = P(100, 0);
  Strain_ToPike(2, Z, I, C, O, U, K, E, j);
  ASSERT_EQ(j, 1);
  EXPECT_EQ(U[1], P(100, 0));
  EXPECT_EQ(K[1], 6);
}

}  // namespace
}  // namespace korvane
