#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include "editor/backward.h"
#include "tests/support/polygon_text.h"

namespace korvane {
namespace {
using km_test::Dump;
using km_test::Make;
using km_test::Points;
using km_test::Set;

TEST(BackwardPass, TransformReversesPolygonIndicesAndBothContours) {
  const std::string polygon = "0,0,0,b 12,0,2,r 24,12,-1,f 36,12,4,c", v = "0,0 12,0 12,12 24,12 24,24 99,99",
                    v0 = "0,12 12,12 12,24 24,24 24,36 77,77";
  for (const auto& [key, J] : {std::pair{'\r', 4}, std::pair{'@', 0}, std::pair{'@', -1}, std::pair{'@', 4}}) {
    Set z = Make(polygon);
    PointArray w = Points(v), w0 = Points(v0);
    BackwardTransform(key, J, 3, w, w0, z.P, z.I, z.C);
    EXPECT_EQ(Dump(z, 3) + " / " + Dump(Set{w}, 5) + " / " + Dump(Set{w0}, 5),
              key == '\r' || J < 4 ? polygon + " / " + v + " / " + v0  // Enter or no contour: unchanged
                                    : "36,12,0,c 24,12,-1,f 12,0,2,r 0,0,4,b / 24,24 24,12 12,12 12,0 0,0 99,99 / "
                                      "24,36 24,24 12,24 12,12 0,12 77,77");
  }
}

// 'M' CleanMultVert, 'A' ConcaveAngleExam (walls: VERTEX0), 'X' ConvexAngleExam (walls: VERTEX), 'N' MinNumVert.
struct Case {
  char routine;
  std::string walls, src, dst;
  int iter = -1;              // the concave exam's Iter afterwards from 0, if checked
  std::string srcAfter = {};  // the source afterwards, if checked
};

void RunCase(const Case& c) {
  const PointArray walls = Points(c.walls);
  Set src = Make(c.src), dst = Make("5,5,5,x");
  int iter = 0;
  const auto run = [&](char t, int J) {
    if (c.routine == 'M') CleanMultVert(t, J, src.last, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
    if (c.routine == 'A')
      ConcaveAngleExam(t, iter, J, src.last, walls, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
    if (c.routine == 'X') ConvexAngleExam(t, J, src.last, walls, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
    if (c.routine == 'N') MinNumVert(t, J, src.last, src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last);
  };
  run('\r', 9), run('@', 0);
  EXPECT_EQ(Dump(src, src.last) + " / " + Dump(dst, dst.last) + " / " + std::to_string(iter), c.src + " / 5,5,5,x / 0");
  run('@', 9);
  EXPECT_EQ(Dump(dst, dst.last), c.dst) << c.src;
  EXPECT_EQ(c.iter < 0 ? -1 : iter, c.iter) << c.src;
  EXPECT_EQ(c.srcAfter.empty() ? "" : Dump(src, Make(c.srcAfter).last), c.srcAfter);
}
TEST(BackwardPass, Routines) {
  const std::string v0 = "0,0 12,0 12,12 24,24";
  const Case cases[] = {
      {'M', "", "0,0,0,b 0,0,1,r 12,0,2,b 24,0,3,b 24,0,7,f 24,0,9,r 24,12,4,b 24,12,6,r 36,12,5,c 36,12,8,f 48,12,9,b",
       "0,0,0,b 0,0,1,r 12,0,2,b 24,0,7,f 24,12,4,b 36,12,8,f 48,12,9,b"},
      {'M', "", "0,0,0,b 12,0,1,r 12,0,2,c 12,0,3,b 24,0,4,b", "0,0,0,b 12,0,2,c 24,0,4,b"},
      {'A', v0, "0,0,0,r 24,0,5,b 24,24,3,r 24,24,3,b 36,24,4,b", "0,0,0,r 12,0,1,r 24,24,3,r 36,24,4,b", 1,
       "0,0,0,r 24,0,5,b 24,24,3,r 36,24,4,b"},
      {'A', "12,0 24,-12 99,99", "0,0,0,b 24,0,1,b 48,12,2,f", "0,0,0,b 24,-12,1,r 48,12,2,f"},
      {'A', "0,0 0,0 0,0 0,0 24,12", "0,0,3,r 24,0,5,b 24,24,4,r 48,24,6,r", "0,0,3,r 24,12,4,r 48,24,6,r", 1},
      {'A', "0,0 12,0 88,88 88,88 88,88", "0,0,0,r 24,-12,2,b 12,0,5,f 12,24,6,b", "0,0,0,r 12,0,1,r 12,24,6,b"},
      {'A', v0, "0,0,0,r 24,0,1,b 24,-24,2,b 24,-24,2,r", "0,0,0,r 24,0,1,b 24,-24,2,b", 0},
      {'A', v0, "0,0,0,r 24,0,1,r 24,24,2,b", "0,0,0,r 24,0,1,r 24,24,2,b", 0},
      {'X', "0,0 24,-12 36,-12 48,-24", "0,0,0,b 24,0,1,r 48,-24,3,b 60,-24,4,b",
       "0,0,0,b 36,-12,2,b 48,-24,3,b 60,-24,4,b"},
      {'X', "0,0 24,-12 36,-12 500,500 500,500 500,500", "0,0,0,b 24,0,1,r 36,-12,5,f 48,-12,6,b",
       "0,0,0,b 36,-12,5,f 48,-12,6,b"},
      {'X', "60,0 72,12", "0,0,0,b 36,0,0,f 72,0,0,r 84,-36,2,b", "0,0,0,b 36,0,0,f 72,12,1,b 84,-36,2,b"},
      {'X', "60,0 72,12", "0,0,0,b 36,0,0,b 72,0,0,r 84,-36,2,b", "0,0,0,b 72,12,1,b 84,-36,2,b"},
      {'X', "0,0 0,0 0,0 12,-12", "0,0,3,b 24,0,4,r 48,-24,2,b 60,-24,5,b", "0,0,3,b 12,-12,3,b 60,-24,5,b"},
      {'N', "", "0,0,0,b 12,0,3,c 24,0,4,r 24,24,5,b 24,12,6,f", "0,0,0,b 24,0,4,r 24,24,5,b 24,12,6,f"},
      {'N', "", "12,0,0,b 24,0,1,r 24,24,2,b 0,24,3,b 0,0,4,r 12,0,5,f",
       "24,0,1,r 24,24,2,b 0,24,3,b 0,0,4,r 24,0,1,r"},
      {'N', "", "0,0,0,b 24,0,1,r 24,24,2,b 0,24,3,b 0,0,4,b", "0,0,0,b 24,0,1,r 24,24,2,b 0,24,3,b 0,0,4,b"},
      {'N', "", "12,0,0,b 24,0,1,r 24,24,2,b 0,24,3,b 0,0,4,r", "12,0,0,b 24,0,1,r 24,24,2,b 0,24,3,b 0,0,4,r"},
  };
  for (const Case& c : cases) RunCase(c);
}

TEST(BackwardPass, ExamsKeepIterAtOneAndAbandonTheConstruction) {
  Set src = Make("0,0,0,r 24,0,1,b 24,-24,2,b 24,-24,2,r"), dst;
  int iter = 1;
  ConcaveAngleExam('@', iter, 9, src.last, Points("0,0 12,0 12,12 24,24"), src.P, src.I, src.C, dst.P, dst.I, dst.C,
                   dst.last);
  EXPECT_EQ(iter, 1);
  src = Make("0,0,-1,r 24,0,4,r 48,-24,1,b");  // an anchor without contour point
  EXPECT_THROW(ConvexAngleExam('@', 9, 2, Points("0,0 12,-12"), src.P, src.I, src.C, dst.P, dst.I, dst.C, dst.last),
               CapacityExceeded);
  // Without the fault the copy fits; the chain of four more entries does not.
  const PointArray v0 = Points("0,0 10,0 20,1 30,3 40,6 50,10");
  Set fault = Make("0,0,0,r 100,0,9,b 60,15,6,r"), clean = Make("0,0,0,r 100,0,9,r 60,15,6,r");
  for (Set* s : {&fault, &clean})
    for (int n = 3; n <= 997; ++n) s->P[n] = {int16_t(n), 500}, s->I[n] = 7, s->C[n] = 'r';
  EXPECT_NO_THROW(ConcaveAngleExam('@', iter, 9, 997, v0, clean.P, clean.I, clean.C, dst.P, dst.I, dst.C, dst.last));
  EXPECT_EQ(dst.last, 997);
  EXPECT_THROW(ConcaveAngleExam('@', iter, 9, 997, v0, fault.P, fault.I, fault.C, dst.P, dst.I, dst.C, dst.last),
               CapacityExceeded);
}
}  // namespace
}  // namespace korvane
