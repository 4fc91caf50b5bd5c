#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "editor/corrections.h"
#include "tests/support/polygon_text.h"

namespace korvane {
namespace {

using Case = km_test::StepCase;

// Steps: 'T' tooth-tip choice, 'G' tooth group, 'S' tip shortcut, 'P' corner-pair shift, 'O' oblique pull-back,
// 'E' closing-end mark, 'L' closing group, 'C' closing-pair collapse, 'D' start-duplicate mark, 'R' straight run.
void RunCase(const Case& c) {
  km_test::RunStep(c, [&c](km_test::HandPolygon& h) {
    auto& [V, O, Z, I, K, C, W] = h;
    const int J = 40;
    switch (c.step) {
      case 'T': ToothTipChoice(J, W, V, O, Z, I, C, Xgrid, Ygrid); break;
      case 'G': ToothGroup(J, W, V, O, Z, I, C, Xgrid, Ygrid); break;
      case 'S': TipShortcut(J, W, V, O, Z, I, C, Xgrid, Ygrid); break;
      case 'P': CornerPairShift(J, W, V, O, Z, I, C); break;
      case 'O': ObliquePullBack(J, W, V, O, Z, I, C, Xgrid, Ygrid); break;
      case 'E': ClosingEndMark(W, Z, C); break;
      case 'L': ClosingGroup(J, W, V, O, Z, I, C, Xgrid, Ygrid); break;
      case 'C': ClosingPairCollapse(J, W, V, O, Z, I, C); break;
      case 'D': StartDuplicateMark(W, Z, C); break;
      case 'R': StraightRunFlattening(J, W, V, O, Z, I, C); break;
      default: FAIL() << "no step " << c.step;
    }
  });
}

TEST(TipBand, BoundariesAndTieBand) {
  using enum TipVerdict;
  const std::pair<double, TipVerdict> band[] = {{0.000001, Unchanged}, {-0.000001, Unchanged}, {0.00000099, Tie},
      {-0.00000099, Tie}, {0.0, Tie}, {0.0000011, TakeAlternative}, {-0.0000011, KeepTip}};
  for (const auto& [difference, verdict] : band) EXPECT_EQ(TipBand(difference), verdict) << difference;
  // One float step at 8 (2^-20) lies inside the band, one at 16 (2^-19) outside.
  EXPECT_EQ(TipRouteVerdict(8.0f, std::nextafter(8.0f, 9.0f)), Tie);
  EXPECT_EQ(TipRouteVerdict(16.0f, std::nextafter(16.0f, 17.0f)), KeepTip);
  EXPECT_EQ(TipRouteVerdict(std::nextafter(16.0f, 17.0f), 16.0f), TakeAlternative);
}

TEST(Corrections, ToothGroup) {
  // A tip sticking up from (100,100) between columns 100 and 112; the vertex after it stays where it is but
  // takes index 8. The tip route is 60 + sqrt(3744) = 121.19.
  const std::string up = "100,100,0,b 100,40,5,b 112,100,10,b", upWalls = "O8=112,100 O9=100,40 ";
  // A tie with Q after the tip at i = 2, after two vertices of a case's own.
  const std::string atTwo = " 100,100,20,r 112,40,25,b 112,100,30,b", atTwoWalls = "O26=100,40 O28=112,100 O29=112,40";
  const std::string after = "O9=112,88 V11=112,88 O4=88,40";  // the vertex after the tip moves to (112,88)
  // A tip from (112,100) up to (112,40), with Q after it; a polygon of three edges for the tip shortcut.
  const std::string side = " 112,40,5,b 112,100,10,b", qAfter = "O6=100,40 O8=112,100 O9=112,40";
  const std::string three = "-20,100,0,b 100,100,1,b 100,60,10,f 112,76,11,b", end = "0,0,0,b 100,0,1,b 100,100,2,r ";
  const Case cases[] = {
      {"alternative longer (125.8): the tip stays", 'T', up, upWalls + "O4=88,40", "1=100,40,5,f 2=112,100,8,c"},
      {"alternative shorter (100.7): the tip moves", 'T', up, upWalls + "O4=106,50", "1=106,50,4,f"},
      {"vertical tie with Q before the tip: Q is taken", 'T', up, upWalls + "O4=112,40", "1=112,40,4,f"},
      {"corner after the tip beyond the offset contour: no tooth", 'T', "100,100,0,b 100,40,40,b 112,100,10,b",
       upWalls + "O4=112,40 O39=106,50", "1=100,40,40,b 2=112,100,10,b"},
      {"horizontal tie with Q before keeps the tip; an 'r' keeps its tag", 'T', "100,100,0,b 40,100,5,b 100,112,10,r",
       "O8=100,112 O9=40,100 O4=40,112", "1=40,100,5,f 2=100,112,8,r"},
      {"tie with Q after the tip at i = 0: moves whatever the turn", 'T', "100,100,0,r" + side, qAfter, "1=100,40,6,f"},
      {"same at i = 2 after a left turn: moves", 'T', "40,160,0,b 40,100,1,b" + atTwo, atTwoWalls, "3=100,40,26,f"},
      {"same at i = 2 after a right turn: stays", 'T', "160,160,0,b 160,100,1,b" + atTwo, atTwoWalls,
       "3=112,40,25,b 4=112,100,28,c"},
      {"a duplicate of Z[2] is skipped: the turn is taken from Z[0]", 'T', "160,100,0,b 100,100,1,b" + atTwo,
       atTwoWalls, "3=100,40,26,f"},
      {"blocked by a corner tagged 'b'", 'T', "100,100,0,b" + side, qAfter, "1=112,40,5,b 2=112,100,10,b"},
      {"vertex after the tip at i = W - 2: nothing", 'T', up, after, "1=100,40,5,b 2=112,100,10,b"},
      {"Z[i+3] in another column: only the tag", 'T', up + " 200,200,12,b", after, "1=100,40,5,b 2=112,100,10,c"},
      {"Z[i+3] in the same column: the vertex moves, the tip is chosen", 'T', up + " 112,200,12,b", after,
       "2=112,88,9,c 1=100,40,5,f"},
      {"back-step merge: the alternative after it (O[21]) is shorter, before it (O[19]) longer", 'T',
       "88,100,5,b 100,100,4,f 100,40,20,b 112,100,30,b",
       "O5=88,100 O4=100,100 O28=112,100 O29=100,40 O19=88,40 O21=106,60",
       "1=88,100,5,c 2=106,60,21,f 3=112,100,28,c"},
      {"one edge: nothing", 'G', up, upWalls + "O4=106,50", "1=100,40,5,b 2=112,100,10,b", 1},
      // Three edges 120 + 40 + 20; over (76,28) 120 + 60, in single precision too.
      {"tip shortcut, equal routes: nothing", 'S', three, "O9=76,28", "2=100,60,10,f"},
      {"tip shortcut, 178.1: taken", 'S', three, "O9=80,30", "2=80,30,9,f"},
      {"corner-pair shift keeps tags", 'P', "0,100,0,b 100,100,3,r 100,40,10,c 200,40,14,b",
       "O11=112,112 V9=112,112 O13=150,40", "1=112,112,11,r 2=150,40,13,c"},
      {"oblique-approach pull-back", 'O', "0,0,0,b 100,100,10,r 112,100,11,b 300,300,12,b", "O7=90,90 V5=90,90",
       "1=90,90,7,f 2=112,100,11,f"},
      {"closing-end mark", 'E', end + "0,100,3,b", "", "2=100,100,2,g"},
      {"Z[W-1] in the column of Z[1], the end in its row: no mark", 'E', end + "0,0,3,b", "", "2=100,100,2,r"},
  };
  for (const Case& c : cases) RunCase(c);
}

TEST(Corrections, ClosingGroup) {
  const Case cases[] = {
      {"two edges: the return point is marked over 'g'", 'L', "0,0,0,b 12,0,1,f 0,0,2,g", "", "2=0,0,2,f 1=12,0,1,f"},
      // The run is straight along the walls' own V[8] and V[11].
      {"straight run reaching the start", 'R', "0,0,3,b 12,12,4,r 24,24,5,c 36,36,10,f 60,48,11,b 90,200,12,b",
       "O10=1016,990 O9=1022,990", "1=0,0,3,b 2=0,0,3,b 3=36,36,10,f"},
      {"closing-pair collapse", 'C', "0,0,0,b 0,100,5,f 100,100,9,c 100,50,12,b",
       "O5=0,100 V3=0,100 O9=100,100 V7=100,100 O4=50,100 V6=50,100", "1=50,100,4,g 2=50,100,4,g"},
      {"start duplicate", 'D', "0,0,0,b 0,0,1,r 50,50,5,c 100,50,12,b", "", "2=50,50,5,g"},
      {"start duplicate, end on the start: no mark", 'D', "0,0,0,b 0,0,1,r 50,50,5,c 0,0,12,b", "", "2=50,50,5,c"},
  };
  for (const Case& c : cases) RunCase(c);
}

}  // namespace
}  // namespace korvane
