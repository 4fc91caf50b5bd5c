#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "editor/corrections.h"
#include "tests/support/polygon_text.h"

namespace korvane {
namespace {

using Case = km_test::StepCase;
using km_test::P;

// Steps: 'S' pike sweep, 'C' closing pike pair, 'R' re-pulling (which must list every vertex of the result).
void RunCase(const Case& c) {
  km_test::RunStep(c, [&c](km_test::HandPolygon& h) {
    auto& [V, O, Z, I, K, C, W] = h;
    if (c.step == 'S') PikePairs(40, W, V, O, Z, I, C, Xgrid, Ygrid);
    if (c.step == 'C') ClosingPikePair(40, W, V, O, Z, I, C);
    if (c.step != 'R') return;
    PikeRepull(W, O, Z, I, K, C);
    EXPECT_EQ(W, std::ranges::count(c.expected, '=') - 1);  // every vertex listed
    for (int k = 0; k <= W; ++k) EXPECT_EQ(K[k], I[k]) << "vertex " << k;
  });
}

TEST(Pikes, PairsAreCutOnlyWhereTheRouteOverQIsShorter) {
  const std::string cut = "0,40,0,b 100,40,1,b 200,100,10,f 188,112,12,c 100,200,14,b 0,200,15,b";
  const std::string cutWalls = "O9=150,106 O13=150,106 O12=188,112";
  const std::string two = "0,40,0,b 188,88,10,c 200,100,12,f 100,160,20,f 112,172,22,c 300,172,24,b 300,300,26,b";
  const std::string twoWalls = "O9=150,90 O13=150,90 O12=200,100 O19=150,166 O23=150,166 O22=112,172";
  // Ties: Q lies as far from the run start (or end) as the tip does.
  const std::string tf = " 0,0,1,b 60,80,10,f 48,92,12,c 0,200,14,b 100,300,15,b", tfQ = " O12=48,92";
  const std::string second = "0,0,0,b 60,80,10,c 72,92,12,f 0,200,14,b ", secondWalls = "O9=80,60 O13=80,60 O12=72,92";
  // Q in the row of Z[1], not in its column.
  const std::string across = "-100,0,0,b 0,0,1,b 100,100,10,f ", acrossEnd = ",88,12,c 0,50,14,b 100,300,15,b";
  // A pair before the end (100,100); the walls close on (500,500) unless O[40] moves. Routes 50 + 100 at O9=140,30.
  const std::string end = "0,0,0,b 100,0,1,b 130,40,10,f 160,80,12,c 100,100,15,b";
  const std::string endWalls = "V40=500,500 O40=500,500 O13=150,50 ";
  const Case cases[] = {
      {"tip first, 241.07 against 207.25: cut to its root", 'S', cut, cutWalls, "2=150,106,9,F 3=150,106,13,F"},
      {"W = 3: too short for the sweep", 'S', cut, cutWalls, "2=200,100,10,f 3=188,112,12,c", 3},
      {"the tip-second cut at i = 2 skips the tip-first test at i = 3", 'S', two, twoWalls,
       "1=150,90,9,F 2=150,90,13,F 3=100,160,20,f 4=112,172,22,c"},
      {"without the first pike (a tooth there) the second is cut", 'S', two, twoWalls + " V10=200,100",
       "1=188,88,10,c 3=150,166,19,F 4=150,166,23,F"},
      {"tip-first tie, run from Z[0]", 'S', "-60,-80,0,b" + tf, "O9=100,40 O13=100,40" + tfQ, "2=60,80,10,f"},
      {"tip-first tie, left turn", 'S', "0,-100,0,b" + tf, "O9=80,60 O13=80,60" + tfQ, "2=60,80,10,f"},
      {"tip-first tie, right turn", 'S', "-100,0,0,b" + tf, "O9=80,60 O13=80,60" + tfQ, "2=80,60,9,F 3=80,60,13,F"},
      {"tip-second tie, run ending at Z[W]", 'S', second + "-72,308,15,b", secondWalls, "2=72,92,12,f"},
      {"tip-second tie, left turn at the run end", 'S', second + "0,300,15,b", secondWalls, "2=72,92,12,f"},
      {"tip-second tie, right turn: cut", 'S', second + "-100,200,15,b", secondWalls, "1=80,60,9,F 2=80,60,13,F"},
      {"both forms enter, the horizontal root row fails: no vertical try", 'S', across + "88" + acrossEnd,
       "O9=50,0 O13=50,0 O12=88,88", "2=100,100,10,f 3=88,88,12,c"},
      {"only the vertical form enters, and cuts", 'S', across + "112" + acrossEnd, "O9=50,0 O13=50,0 O12=112,88",
       "2=50,0,9,F 3=50,0,13,F"},
      {"R at the end, tie: marked", 'C', end, endWalls + "O9=140,30 O15=100,100", "2=130,40,10,g 3=160,80,12,g"},
      {"R at the end, shorter over Q: cut", 'C', end, endWalls + "O9=120,0 O15=100,100", "2=120,0,9,F 3=150,50,13,F"},
      {"R in the tip's row, tie: unchanged", 'C', end, endWalls + "O9=140,30 O15=40,80", "2=130,40,10,f 3=160,80,12,c"},
      {"R in the tip's row, shorter: cut", 'C', end, endWalls + "O9=120,0 O15=40,80", "2=120,0,9,F"},
      {"offset contour open at the end", 'C', end, endWalls + "O40=501,500 O9=140,30 O15=100,100", "2=130,40,10,f"},
      {"closing pair, W < 3", 'C', "0,0,0,f 12,12,1,c 0,24,2,b", "", "0=0,0,0,f 1=12,12,1,c"},
  };
  for (const Case& c : cases) RunCase(c);
}

TEST(Pikes, Repull) {
  const Case cases[] = {
      {"no 'F': the polygon stays exactly", 'R', "0,0,0,b 100,0,3,f 100,100,7,g 0,100,-1,r 0,0,9,c", "",
       "0=0,0,0,b 1=100,0,3,f 2=100,100,7,g 3=0,100,-1,r 4=0,0,9,c"},
      {"chains on both sides of a cut pair; the pair was last, so the end comes twice", 'R',
       "0,0,0,b 200,100,3,F 200,100,7,F 0,300,12,r", "O1=100,0 O2=100,100 O9=200,200 O10=100,200 O11=100,300",
       "0=0,0,0,b 1=100,100,2,r 2=200,100,3,f 3=200,100,7,f 4=0,300,12,r 5=0,300,12,r"},
      {"I[0] >= I[1]: the pair's first vertex replaces Z[0]; I[3] <= I[2] + 1: Z[3] is left out", 'R',
       "10,10,5,b 20,20,5,F 30,30,9,F 40,40,10,b 50,50,11,r", "", "0=20,20,5,f 1=30,30,9,f 2=50,50,11,r"},
  };
  for (const Case& c : cases) RunCase(c);
}

TEST(Pikes, StrainStartsAndReplacesWhereTheTurnSaysSo) {
  PointArray Z, O, U;
  IntArray I, K;
  TagArray C, E;
  Z[0] = U[0] = P(0, 0), Z[1] = P(50, 0), Z[2] = P(50, 50), I[0] = 4, I[1] = 5, I[2] = 6, C[1] = C[2] = 'F';
  int j = 0;
  // Only U[0] before the end vertex: appended without a turn test.
  Strain_ToPike(1, Z, I, C, O, U, K, E, j);
  EXPECT_EQ(std::tuple(j, U[1], K[1], E[1]), std::tuple(1, Z[1], 5, 'F'));
  // Straight on from U[0], U[1]: the end vertex replaces the entry the chain started from.
  Z[2] = P(100, 0);
  Strain_ToPike(2, Z, I, C, O, U, K, E, j);
  EXPECT_EQ(std::tuple(j, U[1], K[1]), std::tuple(1, P(100, 0), 6));
}

}  // namespace
}  // namespace korvane
