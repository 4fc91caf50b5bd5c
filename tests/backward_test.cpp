#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "editor/backward.h"

namespace korvane {
namespace {

struct Entry {
  int x, y, index;
  char tag;
};

// One polygon set: points, source indices, tags and the last index.
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

void Fill(PointArray& a, std::initializer_list<Point> points) {
  int i = 0;
  for (const Point& p : points) a[i++] = p;
}

void ExpectSet(const Set& s, int last, std::initializer_list<Entry> expected) {
  ASSERT_EQ(last, static_cast<int>(expected.size()) - 1);
  int k = 0;
  for (const Entry& e : expected) {
    EXPECT_EQ(s.P[k], (Point{static_cast<std::int16_t>(e.x), static_cast<std::int16_t>(e.y)})) << "entry " << k;
    EXPECT_EQ(s.I[k], e.index) << "entry " << k;
    EXPECT_EQ(s.C[k], e.tag) << "entry " << k;
    ++k;
  }
}

TEST(BackwardTransform, ReversesPolygonIndicesAndBothContours) {
  Set z = Make({{0, 0, 0, 'b'}, {12, 0, 2, 'r'}, {24, 12, -1, 'f'}, {36, 12, 4, 'c'}});
  PointArray v, v0;
  Fill(v, {{0, 0}, {12, 0}, {12, 12}, {24, 12}, {24, 24}, {99, 99}});
  Fill(v0, {{0, 12}, {12, 12}, {12, 24}, {24, 24}, {24, 36}, {77, 77}});
  BackwardTransform('@', 4, 3, v, v0, z.P, z.I, z.C);
  // Indices count from the other end; -1 stays -1.
  ExpectSet(z, 3, {{36, 12, 0, 'c'}, {24, 12, -1, 'f'}, {12, 0, 2, 'r'}, {0, 0, 4, 'b'}});
  EXPECT_EQ(v[0], (Point{24, 24}));
  EXPECT_EQ(v[1], (Point{24, 12}));
  EXPECT_EQ(v[2], (Point{12, 12}));
  EXPECT_EQ(v[4], (Point{0, 0}));
  EXPECT_EQ(v[5], (Point{99, 99}));
  EXPECT_EQ(v0[0], (Point{24, 36}));
  EXPECT_EQ(v0[3], (Point{12, 12}));
  EXPECT_EQ(v0[4], (Point{0, 12}));
  EXPECT_EQ(v0[5], (Point{77, 77}));
}

TEST(BackwardPass, EnterOrNoContourChangesNothing) {
  const Set original = Make({{0, 0, 0, 'b'}, {24, 0, 1, 'b'}, {24, 24, 3, 'r'}, {24, 24, 4, 'f'}});
  PointArray v, v0;
  Fill(v, {{0, 0}, {12, 0}});
  Fill(v0, {{0, 12}, {12, 12}});
  for (const auto& [key, J] : std::vector<std::pair<char, int>>{{'\r', 4}, {'@', 0}, {'@', -1}}) {
    Set z = original;
    BackwardTransform(key, J, 3, v, v0, z.P, z.I, z.C);
    ExpectSet(z, 3, {{0, 0, 0, 'b'}, {24, 0, 1, 'b'}, {24, 24, 3, 'r'}, {24, 24, 4, 'f'}});
    EXPECT_EQ(v[0], (Point{0, 0}));

    int iter = 0;
    Set src = original;
    Set dst = Make({{5, 5, 5, 'x'}});
    int dstLast = 42;
    CleanMultVert(key, J, 3, src.P, src.I, src.C, dst.P, dst.I, dst.C, dstLast);
    ConcaveAngleExam(key, iter, J, 3, v0, src.P, src.I, src.C, dst.P, dst.I, dst.C, dstLast);
    ConvexAngleExam(key, J, 3, v, src.P, src.I, src.C, dst.P, dst.I, dst.C, dstLast);
    MinNumVert(key, J, 3, src.P, src.I, src.C, dst.P, dst.I, dst.C, dstLast);
    EXPECT_EQ(dstLast, 42);
    EXPECT_EQ(iter, 0);
    ExpectSet(dst, 0, {{5, 5, 5, 'x'}});
    ExpectSet(src, 3, {{0, 0, 0, 'b'}, {24, 0, 1, 'b'}, {24, 24, 3, 'r'}, {24, 24, 4, 'f'}});
  }
}

TEST(CleanMultVert, MergesRunsIntoTheirFirstPositionWithTheLastChoiceTag) {
  // Equal points at entries 0 and 1 are never compared.
  Set src = Make({{0, 0, 0, 'b'}, {0, 0, 1, 'r'}, {12, 0, 2, 'b'},
                  // 'b', 'f', 'r': one entry with the 'f' entry's tag and index.
                  {24, 0, 3, 'b'}, {24, 0, 7, 'f'}, {24, 0, 9, 'r'},
                  // 'b', 'r': the 'b' entry stays.
                  {24, 12, 4, 'b'}, {24, 12, 6, 'r'},
                  // 'c' then 'f': the last choice wins.
                  {36, 12, 5, 'c'}, {36, 12, 8, 'f'}, {48, 12, 9, 'b'}});
  Set dst;
  CleanMultVert('@', 9, src.last, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  ExpectSet(dst, dst.last,
            {{0, 0, 0, 'b'},
             {0, 0, 1, 'r'},
             {12, 0, 2, 'b'},
             {24, 0, 7, 'f'},
             {24, 12, 4, 'b'},
             {36, 12, 8, 'f'},
             {48, 12, 9, 'b'}});
}

TEST(CleanMultVert, RunAfterTheStartMergesIntoEntryOne) {
  Set src = Make({{0, 0, 0, 'b'}, {12, 0, 1, 'r'}, {12, 0, 2, 'c'}, {12, 0, 3, 'b'}, {24, 0, 4, 'b'}});
  Set dst;
  CleanMultVert('@', 4, src.last, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {12, 0, 2, 'c'}, {24, 0, 4, 'b'}});
}

// Offset corners bending right after a contour vertex that turns right.
class ConcaveExam : public ::testing::Test {
 protected:
  PointArray v0;
  Set dst;
  int iter = 0;
  void Run(Set& src, int J = 9) {
    ConcaveAngleExam('@', iter, J, src.last, v0, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  }
};

TEST_F(ConcaveExam, ReplacesRightTurningContourVertexByTautOffsetChain) {
  Fill(v0, {{0, 0}, {12, 0}, {12, 12}, {24, 24}});
  // Entry 1 turns right at a contour vertex; a duplicate of P follows.
  Set src = Make({{0, 0, 0, 'r'}, {24, 0, 5, 'b'}, {24, 24, 3, 'r'}, {24, 24, 3, 'b'}, {36, 24, 4, 'b'}});
  Run(src);
  // Anchor V0[1] (index of an 'r' entry plus one); V0[2] is appended, then
  // P pulls it out again by the walk back.
  ExpectSet(dst, dst.last, {{0, 0, 0, 'r'}, {12, 0, 1, 'r'}, {24, 24, 3, 'r'}, {36, 24, 4, 'b'}});
  EXPECT_EQ(iter, 1);
  // The source is now the duplicate-free copy.
  ExpectSet(src, 3, {{0, 0, 0, 'r'}, {24, 0, 5, 'b'}, {24, 24, 3, 'r'}, {36, 24, 4, 'b'}});
}

TEST_F(ConcaveExam, AnchorAfterContourVertexCanBeReplacedButNotItsPredecessor) {
  Fill(v0, {{12, 0}, {24, -12}, {99, 99}});
  Set src = Make({{0, 0, 0, 'b'}, {24, 0, 1, 'b'}, {48, 12, 2, 'f'}});
  Run(src);
  // Anchor V0[0] (a 'b' predecessor adds nothing); V0[1] turns left there
  // and replaces the anchor; P is appended with its own tag and index.
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {24, -12, 1, 'r'}, {48, 12, 2, 'f'}});
}

TEST_F(ConcaveExam, ChainWithoutStepLeavesTheAnchorInPlaceOfP) {
  Fill(v0, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {24, 12}});
  Set src = Make({{0, 0, 3, 'r'}, {24, 0, 5, 'b'}, {24, 24, 4, 'r'}, {48, 24, 6, 'r'}});
  Run(src);
  ExpectSet(dst, dst.last, {{0, 0, 3, 'r'}, {24, 12, 4, 'r'}, {48, 24, 6, 'r'}});
  EXPECT_EQ(iter, 1);
}

TEST_F(ConcaveExam, ChainEndsAtOnceWhenTheAnchorLiesOnP) {
  Fill(v0, {{0, 0}, {12, 0}, {88, 88}, {88, 88}, {88, 88}});
  Set src = Make({{0, 0, 0, 'r'}, {24, -12, 2, 'b'}, {12, 0, 5, 'f'}, {12, 24, 6, 'b'}});
  Run(src);
  // P's own tag and index are not used.
  ExpectSet(dst, dst.last, {{0, 0, 0, 'r'}, {12, 0, 1, 'r'}, {12, 24, 6, 'b'}});
}

TEST_F(ConcaveExam, IterIsOnlyEverSetToOne) {
  Fill(v0, {{0, 0}, {12, 0}, {12, 12}, {24, 24}});
  const Set straight = Make({{0, 0, 0, 'r'}, {24, 0, 1, 'b'}, {24, -24, 2, 'b'}, {24, -24, 2, 'r'}});
  for (int before : {0, 1}) {
    Set src = straight;
    iter = before;
    Run(src);
    EXPECT_EQ(iter, before);
    ExpectSet(dst, dst.last, {{0, 0, 0, 'r'}, {24, 0, 1, 'b'}, {24, -24, 2, 'b'}});
  }
  // A right turn at an offset corner is no fault.
  Set src = Make({{0, 0, 0, 'r'}, {24, 0, 1, 'r'}, {24, 24, 2, 'b'}});
  iter = 0;
  Run(src);
  EXPECT_EQ(iter, 0);
  EXPECT_EQ(dst.last, 2);
}

TEST_F(ConcaveExam, ChainBeyondCapacityThrows) {
  Fill(v0, {{0, 0}, {10, 0}, {20, 1}, {30, 3}, {40, 6}, {50, 10}});
  Set src = Make({{0, 0, 0, 'r'}, {100, 0, 9, 'b'}, {60, 15, 6, 'r'}});
  Set noFault = Make({{0, 0, 0, 'r'}, {100, 0, 9, 'r'}, {60, 15, 6, 'r'}});
  for (int n = 3; n <= 997; ++n) {
    src.P[n] = noFault.P[n] = Point{static_cast<std::int16_t>(n), 500};
    src.I[n] = noFault.I[n] = 7;
    src.C[n] = noFault.C[n] = 'r';
  }
  src.last = noFault.last = 997;
  // Without the fault the copy fits; the chain of four more entries does not.
  EXPECT_NO_THROW(Run(noFault));
  EXPECT_EQ(dst.last, 997);
  EXPECT_THROW(Run(src), CapacityExceeded);
}

class ConvexExam : public ::testing::Test {
 protected:
  PointArray v;
  Set dst;
  void Run(const Set& src, int J = 9) {
    ConvexAngleExam('@', J, src.last, v, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  }
};

TEST_F(ConvexExam, ReplacesLeftTurningOffsetCornerByContourChain) {
  Fill(v, {{0, 0}, {24, -12}, {36, -12}, {48, -24}});
  Set src = Make({{0, 0, 0, 'b'}, {24, 0, 1, 'r'}, {48, -24, 3, 'b'}, {60, -24, 4, 'b'}});
  Run(src);
  // The anchor V[0] and V[1] give way; V[2] stays at a left turn.
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {36, -12, 2, 'b'}, {48, -24, 3, 'b'}, {60, -24, 4, 'b'}});
}

TEST_F(ConvexExam, ChainPointOnPEndsTheChainEarly) {
  Fill(v, {{0, 0}, {24, -12}, {36, -12}, {500, 500}, {500, 500}, {500, 500}});
  Set src = Make({{0, 0, 0, 'b'}, {24, 0, 1, 'r'}, {36, -12, 5, 'f'}, {48, -12, 6, 'b'}});
  Run(src);
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {36, -12, 5, 'f'}, {48, -12, 6, 'b'}});
}

TEST_F(ConvexExam, WalkBackStopsAtTaggedEntriesAndEntryZero) {
  Fill(v, {{60, 0}, {72, 12}});
  // Entry 2 ('r', left turn towards P) is replaced from the anchor V[0];
  // V[1] bends right there and walks back, but not past an 'f' entry.
  Set tagged = Make({{0, 0, 0, 'b'}, {36, 0, 0, 'f'}, {72, 0, 0, 'r'}, {84, -36, 2, 'b'}});
  Run(tagged);
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {36, 0, 0, 'f'}, {72, 12, 1, 'b'}, {84, -36, 2, 'b'}});
  // A 'b' entry gives way; entry 0 never does.
  Set plain = Make({{0, 0, 0, 'b'}, {36, 0, 0, 'b'}, {72, 0, 0, 'r'}, {84, -36, 2, 'b'}});
  Run(plain);
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {72, 12, 1, 'b'}, {84, -36, 2, 'b'}});
}

TEST_F(ConvexExam, AnchorWithoutContourPointAbandonsTheConstruction) {
  Fill(v, {{0, 0}, {12, -12}});
  Set src = Make({{0, 0, -1, 'r'}, {24, 0, 4, 'r'}, {48, -24, 1, 'b'}});
  EXPECT_THROW(Run(src), CapacityExceeded);
}

TEST_F(ConvexExam, ChainWithoutStepDropsP) {
  Fill(v, {{0, 0}, {0, 0}, {0, 0}, {12, -12}});
  Set src = Make({{0, 0, 3, 'b'}, {24, 0, 4, 'r'}, {48, -24, 2, 'b'}, {60, -24, 5, 'b'}});
  Run(src);
  ExpectSet(dst, dst.last, {{0, 0, 3, 'b'}, {12, -12, 3, 'b'}, {60, -24, 5, 'b'}});
}

TEST(MinNumVert, RemovesStraightVerticesButKeepsReversals) {
  Set src = Make({{0, 0, 0, 'b'}, {12, 0, 3, 'c'}, {24, 0, 4, 'r'}, {24, 24, 5, 'b'}, {24, 12, 6, 'f'}});
  Set dst;
  MinNumVert('@', 9, src.last, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {24, 0, 4, 'r'}, {24, 24, 5, 'b'}, {24, 12, 6, 'f'}});
}

TEST(MinNumVert, ClosedPolygonStartingInAStraightRunIsClosedAtItsSecondVertex) {
  Set src = Make({{12, 0, 0, 'b'}, {24, 0, 1, 'r'}, {24, 24, 2, 'b'}, {0, 24, 3, 'b'}, {0, 0, 4, 'r'},
                  {12, 0, 5, 'f'}});
  Set dst;
  MinNumVert('@', 9, src.last, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  ExpectSet(dst, dst.last, {{24, 0, 1, 'r'}, {24, 24, 2, 'b'}, {0, 24, 3, 'b'}, {0, 0, 4, 'r'}, {24, 0, 1, 'r'}});
}

TEST(MinNumVert, OpenPolygonOrCornerAtTheStartKeepsEntryZero) {
  Set dst;
  // Closed, but turning at its start.
  Set corner = Make({{0, 0, 0, 'b'}, {24, 0, 1, 'r'}, {24, 24, 2, 'b'}, {0, 24, 3, 'b'}, {0, 0, 4, 'b'}});
  MinNumVert('@', 9, corner.last, corner.P, corner.I, corner.C, dst.P, dst.I, dst.C, dst.last);
  ExpectSet(dst, dst.last, {{0, 0, 0, 'b'}, {24, 0, 1, 'r'}, {24, 24, 2, 'b'}, {0, 24, 3, 'b'}, {0, 0, 4, 'b'}});
  // Open, with the start inside the line of its neighbours.
  Set open = Make({{12, 0, 0, 'b'}, {24, 0, 1, 'r'}, {24, 24, 2, 'b'}, {0, 24, 3, 'b'}, {0, 0, 4, 'r'}});
  MinNumVert('@', 9, open.last, open.P, open.I, open.C, dst.P, dst.I, dst.C, dst.last);
  ExpectSet(dst, dst.last, {{12, 0, 0, 'b'}, {24, 0, 1, 'r'}, {24, 24, 2, 'b'}, {0, 24, 3, 'b'}, {0, 0, 4, 'r'}});
}

}  // namespace
}  // namespace korvane
