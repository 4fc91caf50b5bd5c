#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

#include "editor/tooth.h"

namespace korvane {
namespace {

struct Entry {
  int x, y, index;
  char tag;
};

struct Set {
  PointArray P;
  IntArray I;
  TagArray C;
  int last = -1;
};

Set Make(std::initializer_list<Entry> entries) {
  Set s;
  for (const Entry& e : entries) {
    ++s.last;
    s.P[s.last] = Point{static_cast<std::int16_t>(e.x), static_cast<std::int16_t>(e.y)};
    s.I[s.last] = e.index;
    s.C[s.last] = e.tag;
  }
  return s;
}

void ExpectEntries(const Set& s, int from, std::initializer_list<Entry> expected) {
  int k = from;
  for (const Entry& e : expected) {
    EXPECT_EQ(s.P[k], (Point{static_cast<std::int16_t>(e.x), static_cast<std::int16_t>(e.y)})) << "entry " << k;
    EXPECT_EQ(s.I[k], e.index) << "entry " << k;
    EXPECT_EQ(s.C[k], e.tag) << "entry " << k;
    ++k;
  }
}

void ExpectSet(const Set& s, int last, std::initializer_list<Entry> expected) {
  ASSERT_EQ(last, static_cast<int>(expected.size()) - 1);
  ExpectEntries(s, 0, expected);
}

void Fill(PointArray& a, std::initializer_list<Point> points) {
  int i = 0;
  for (const Point& p : points) a[i++] = p;
}

// Re-tags a three-entry polygon and gives the middle entry's tag and index.
std::pair<char, int> MiddleAfterKeepTag(const PointArray& v0, Entry a, Entry b, Entry d, int J = 9) {
  const Set src = Make({a, b, d});
  Set dst;
  KeepTag_f('@', J, 2, v0, src.P, src.I, src.C, dst.P, dst.I, dst.C);
  EXPECT_EQ(dst.P[1], src.P[1]);
  return {dst.C[1], dst.I[1]};
}

TEST(KeepTag_f, AxisParallelApproachWithOffsetReturnFourCornersLater) {
  PointArray v0;
  v0[5] = {24, 0};
  // The offset contour is back on B at I + 4: 'f' stays before another choice.
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 0, 1, 'f'}, {24, 24, 2, 'f'}), std::make_pair('f', 1));
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 0, 1, 'f'}, {24, 24, 2, 'c'}), std::make_pair('f', 1));
  // Otherwise it becomes 'c' at that offset index.
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 0, 1, 'f'}, {24, 24, 2, 'b'}), std::make_pair('c', 5));
}

TEST(KeepTag_f, AxisParallelApproachWithoutReturn) {
  PointArray v0;
  v0[6] = {99, 99};
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 0, 2, 'f'}, {24, 24, 3, 'b'}), std::make_pair('c', 2));
  // On one line with both neighbours it stays 'f'.
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 0, 2, 'f'}, {48, 0, 3, 'b'}), std::make_pair('f', 2));
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {0, 24, 2, 'f'}, {0, 48, 3, 'b'}), std::make_pair('f', 2));
  // I + 4 beyond the offset contour has no point, whatever lies there.
  v0[10] = {24, 0};
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 0, 6, 'f'}, {24, 24, 3, 'r'}), std::make_pair('c', 6));
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 0, 6, 'f'}, {24, 24, 3, 'r'}, 10), std::make_pair('c', 10));
}

TEST(KeepTag_f, ObliqueApproach) {
  PointArray v0;
  // Left along an axis: 'c'.
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {12, 24, 1, 'f'}, {12, 48, 2, 'b'}), std::make_pair('c', 1));
  // Strictly between its neighbours in x: 'c'.
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {12, 24, 1, 'f'}, {24, 36, 2, 'b'}), std::make_pair('c', 1));
  // Beyond both neighbours in x and y (a tip): 'f' stays.
  EXPECT_EQ(MiddleAfterKeepTag(v0, {0, 0, 0, 'b'}, {24, 24, 1, 'f'}, {12, 0, 2, 'b'}), std::make_pair('f', 1));
}

TEST(KeepTag_f, ReadsTagsBeforeTheCopyAndKeepsBothEnds) {
  PointArray v0;
  v0[5] = {24, 0};
  const Set src = Make({{0, 0, 0, 'f'}, {24, 0, 1, 'f'}, {24, 24, 2, 'f'}, {48, 24, 3, 'f'}});
  Set dst;
  KeepTag_f('@', 9, 3, v0, src.P, src.I, src.C, dst.P, dst.I, dst.C);
  ExpectEntries(dst, 0, {{0, 0, 0, 'f'}, {24, 0, 1, 'f'}, {24, 24, 2, 'c'}, {48, 24, 3, 'f'}});
}

// A contour running south with a one-cell tooth to the east (V[1] to V[4]),
// then east and north; the offset contour lies to the right of travel and
// comes back onto the tooth: V0[3] = V[1] and V0[2] = V[4].
class ToothRepair : public ::testing::Test {
 protected:
  PointArray v, v0;
  Set dst;
  int J = 7;
  void SetUp() override {
    Fill(v, {{36, -48}, {36, 0}, {48, 0}, {48, 12}, {36, 12}, {36, 60}, {96, 60}, {96, 0}});
    Fill(v0, {{24, -48}, {24, 12}, {36, 12}, {36, 0}, {24, 0}, {24, 72}, {108, 72}, {108, 0}});
  }
  void Run(Set& src, char key = '@') {
    RepairVertex(key, J, Xgrid, Ygrid, src.last, v, v0, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  }
};

TEST_F(ToothRepair, EqualRoutesKeepTheToothVertexAtItsOwnCorner) {
  // Both routes are direct steps of 48 + 60 and 60 + 48.
  Set src = Make({{36, -48, 0, 'b'}, {30, 6, 3, 'c'}, {36, 60, 5, 'b'}, {108, 72, 6, 'r'}});
  Run(src);
  ExpectSet(dst, dst.last, {{36, -48, 0, 'b'}, {36, 0, 3, 'c'}, {36, 60, 5, 'b'}, {108, 72, 6, 'r'}});
}

TEST_F(ToothRepair, ShorterRouteThroughTheAlternativeCornerStands) {
  Set src = Make({{24, -48, 0, 'r'}, {36, 0, 3, 'c'}, {108, 72, 6, 'r'}});
  Run(src);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 12, 2, 'c'}, {36, 60, 5, 'b'}, {108, 72, 6, 'r'}});
}

TEST_F(ToothRepair, ShorterRouteThroughTheOwnCornerIsBuiltAgain) {
  // The tooth seen from its other corner: the second route is the longer one.
  Set src = Make({{24, -48, 0, 'r'}, {36, 12, 2, 'c'}, {108, 72, 6, 'r'}});
  Run(src);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 12, 2, 'c'}, {36, 60, 5, 'b'}, {108, 72, 6, 'r'}});
}

TEST_F(ToothRepair, VertexBendingWrongWayFromTheAlternativeCornerIsSkipped) {
  // From V0[2], the offset corner after the tooth turns left: the route
  // runs on to the vertex after it.
  Set src = Make({{24, -48, 0, 'r'}, {36, 0, 3, 'c'}, {24, 72, 5, 'r'}, {108, 72, 6, 'r'}});
  Run(src);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 12, 2, 'c'}, {36, 60, 5, 'b'}, {108, 72, 6, 'r'}});
}

TEST_F(ToothRepair, NoSkipWhenTheContourPointTwoFurtherDoesNotExist) {
  J = 6;
  Set src = Make({{24, -48, 0, 'r'}, {36, 0, 3, 'c'}, {24, 72, 5, 'r'}, {108, 72, 6, 'r'}});
  Run(src);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 12, 2, 'c'}, {24, 72, 5, 'r'}, {108, 72, 6, 'r'}});
}

TEST_F(ToothRepair, ChoiceTargetEndsTheRouteAndIsExaminedNext) {
  J = 6;
  Set src = Make({{24, -48, 0, 'r'}, {36, 0, 3, 'c'}, {24, 72, 5, 'c'}, {108, 72, 6, 'r'}});
  Run(src);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 12, 2, 'c'}, {24, 72, 5, 'c'}, {108, 72, 6, 'r'}});
}

TEST_F(ToothRepair, ToothVertexAtTheLastPositionIsCopied) {
  Set src = Make({{24, -48, 0, 'r'}, {36, 0, 3, 'c'}});
  Run(src);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 0, 3, 'c'}});
}

TEST_F(ToothRepair, CleansAndRetagsItsSourceAndCopiesVerticesFailingTheToothTest) {
  // The 'f' lies strictly between its neighbours in y and becomes 'c'; its
  // index fails the tooth test, so it is copied.
  Set src = Make({{24, -48, 0, 'r'}, {30, -24, 1, 'f'}, {24, 60, 5, 'r'}, {24, 60, 4, 'b'}});
  Run(src);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {30, -24, 1, 'c'}, {24, 60, 5, 'r'}});
  ExpectEntries(src, 0, {{24, -48, 0, 'r'}, {30, -24, 1, 'c'}, {24, 60, 5, 'r'}});
}

TEST_F(ToothRepair, ContourVerticesAtRightTurnsOnOffsetCornersBecomeOffsetVertices) {
  // V[1] = V0[3]: at a right turn it is re-tagged, at a left turn not.
  Set right = Make({{24, -48, 0, 'r'}, {36, 0, 1, 'b'}, {24, 72, 5, 'r'}, {108, 72, 6, 'r'}});
  Run(right);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 0, 3, 'r'}, {24, 72, 5, 'r'}, {108, 72, 6, 'r'}});
  Set left = Make({{24, -48, 0, 'r'}, {36, 0, 1, 'b'}, {60, -24, 5, 'r'}});
  Run(left);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {36, 0, 1, 'b'}, {60, -24, 5, 'r'}});
  // The last entry has no turn and keeps its tag.
  Set last = Make({{24, -48, 0, 'r'}, {24, 72, 5, 'r'}, {36, 0, 1, 'b'}});
  Run(last);
  ExpectSet(dst, dst.last, {{24, -48, 0, 'r'}, {24, 72, 5, 'r'}, {36, 0, 1, 'b'}});
}

TEST_F(ToothRepair, EnterOrNoContourChangesNothing) {
  for (const auto& [key, contour] : {std::make_pair('\r', 7), std::make_pair('@', 0)}) {
    J = contour;
    Set src = Make({{24, -48, 0, 'r'}, {30, -24, 1, 'f'}, {24, 60, 5, 'r'}, {24, 60, 4, 'b'}});
    dst = Make({{1, 1, 1, 'x'}});
    Run(src, key);
    ExpectSet(dst, dst.last, {{1, 1, 1, 'x'}});
    ExpectSet(src, src.last, {{24, -48, 0, 'r'}, {30, -24, 1, 'f'}, {24, 60, 5, 'r'}, {24, 60, 4, 'b'}});
    KeepTag_f(key, J, src.last, v0, src.P, src.I, src.C, dst.P, dst.I, dst.C);
    ExpectSet(dst, dst.last, {{1, 1, 1, 'x'}});
  }
}

class ToothRoute : public ToothRepair {
 protected:
  int ww = -7;
  double length = -1.0;
};

TEST_F(ToothRoute, ContourThenOffsetChainsKeepOnlyTheirOwnTurns) {
  const Set src = Make({{0, 0, 9, 'b'}, {24, -48, 0, 'r'}, {36, 0, 3, 'c'}, {108, 72, 6, 'r'}});
  dst = Make({{5, 5, 5, 'x'}, {6, 6, 6, 'y'}, {24, -48, 0, 'r'}});
  Tooth_c(Xgrid, Ygrid, 1, 2, 3, 2, 36, 0, 0, src.I, src.C, src.P, J, v, v0, dst.I, dst.C, dst.P, ww, length);
  EXPECT_EQ(ww, 5);
  ExpectEntries(dst, 0,
                {{5, 5, 5, 'x'}, {6, 6, 6, 'y'}, {24, -48, 0, 'r'}, {36, 0, 3, 'c'}, {36, 60, 5, 'b'},
                 {108, 72, 6, 'r'}});
  EXPECT_EQ(length, std::sqrt(12.0 * 12 + 48 * 48) + 60.0 + std::sqrt(72.0 * 72 + 12 * 12));
}

TEST_F(ToothRoute, DirectStepsOnBothHalves) {
  const Set src = Make({{36, -48, 0, 'b'}, {36, 0, 3, 'c'}, {36, 60, 5, 'b'}});
  dst = Make({{36, -48, 0, 'b'}});
  Tooth_c(Xgrid, Ygrid, 0, 0, 2, 3, 36, 12, 0, src.I, src.C, src.P, J, v, v0, dst.I, dst.C, dst.P, ww, length);
  EXPECT_EQ(ww, 2);
  ExpectEntries(dst, 0, {{36, -48, 0, 'b'}, {36, 12, 2, 'c'}, {36, 60, 5, 'b'}});
  EXPECT_EQ(length, 108.0);
}

TEST_F(ToothRoute, ChoiceTargetStaysOutOfTheRouteButCountsInItsLength) {
  const Set src = Make({{36, -48, 0, 'b'}, {36, 0, 3, 'c'}, {36, 60, 5, 'c'}});
  dst = Make({{36, -48, 0, 'b'}});
  Tooth_c(Xgrid, Ygrid, 0, 0, 3, 2, 36, 0, 0, src.I, src.C, src.P, J, v, v0, dst.I, dst.C, dst.P, ww, length);
  EXPECT_EQ(ww, 1);
  ExpectEntries(dst, 0, {{36, -48, 0, 'b'}, {36, 0, 3, 'c'}, {36, 60, 5, 'c'}});
  EXPECT_EQ(length, 108.0);
}

// An offset chain that skips a corner whose two offset edges are both
// longer than one step keeps the contour vertex there.
TEST_F(ToothRoute, LongOffsetCornerInsertsItsContourVertex) {
  Fill(v, {{500, 500}, {0, -24}, {0, -12}});
  Fill(v0, {{0, 0}, {48, 0}, {48, -48}});
  const Set src = Make({{0, -100, 9, 'b'}, {0, 0, 0, 'c'}, {96, -48, 3, 'r'}});
  dst = Make({{0, -100, 9, 'b'}});
  Tooth_c(Xgrid, Ygrid, 0, 0, 0, 1, 0, 0, 0, src.I, src.C, src.P, J, v, v0, dst.I, dst.C, dst.P, ww, length);
  EXPECT_EQ(ww, 4);
  ExpectEntries(dst, 0, {{0, -100, 9, 'b'}, {0, 0, 0, 'c'}, {0, -24, 1, 'f'}, {48, -48, 2, 'r'}, {96, -48, 3, 'r'}});
  EXPECT_EQ(length, 100.0 + 24.0 + std::sqrt(48.0 * 48 + 24 * 24) + 48.0);

  // With an edge of one step the corner is passed over.
  v0[2] = {48, -12};
  dst = Make({{0, -100, 9, 'b'}});
  Tooth_c(Xgrid, Ygrid, 0, 0, 0, 1, 0, 0, 0, src.I, src.C, src.P, J, v, v0, dst.I, dst.C, dst.P, ww, length);
  EXPECT_EQ(ww, 2);
  ExpectEntries(dst, 0, {{0, -100, 9, 'b'}, {0, 0, 0, 'c'}, {96, -48, 3, 'r'}});
}

TEST_F(ToothRoute, ContourChainFromAnEntryWithoutContourPointAbandonsTheConstruction) {
  const Set src = Make({{24, -48, -1, 'r'}, {36, 0, 3, 'c'}, {108, 72, 6, 'r'}});
  dst = Make({{24, -48, -1, 'r'}});
  EXPECT_THROW(Tooth_c(Xgrid, Ygrid, 0, 0, 3, 2, 36, 0, 0, src.I, src.C, src.P, J, v, v0, dst.I, dst.C, dst.P, ww,
                       length),
               CapacityExceeded);
}

}  // namespace
}  // namespace korvane
