#include <gtest/gtest.h>
#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include "editor/tooth.h"
#include "tests/support/polygon_text.h"

namespace korvane {
namespace {
using km_test::Dump;
using km_test::Make;
using km_test::Points;
using km_test::Set;

void KeepTag(const std::string& v0, const std::string& src, const std::string& dst, int J = 9) {
  const Set s = Make(src);
  Set d = Make("1,1,1,x");
  KeepTag_f('\r', J, s.last, Points(v0), s.P, s.I, s.C, d.P, d.I, d.C);
  KeepTag_f('@', 0, s.last, Points(v0), s.P, s.I, s.C, d.P, d.I, d.C);
  EXPECT_EQ(Dump(d, 0), "1,1,1,x") << "Enter or no contour";
  KeepTag_f('@', J, s.last, Points(v0), s.P, s.I, s.C, d.P, d.I, d.C);
  EXPECT_EQ(Dump(d, s.last), dst) << src;
}
TEST(KeepTag_f, Rules) {
  KeepTag("5=24,0", "0,0,0,b 24,0,1,f 24,24,2,f", "0,0,0,b 24,0,1,f 24,24,2,f");
  KeepTag("5=24,0", "0,0,0,b 24,0,1,f 24,24,2,c", "0,0,0,b 24,0,1,f 24,24,2,c");
  KeepTag("5=24,0", "0,0,0,b 24,0,1,f 24,24,2,b", "0,0,0,b 24,0,5,c 24,24,2,b");
  KeepTag("6=99,99", "0,0,0,b 24,0,2,f 24,24,3,b", "0,0,0,b 24,0,2,c 24,24,3,b");
  KeepTag("6=99,99", "0,0,0,b 24,0,2,f 48,0,3,b", "0,0,0,b 24,0,2,f 48,0,3,b");
  KeepTag("6=99,99", "0,0,0,b 0,24,2,f 0,48,3,b", "0,0,0,b 0,24,2,f 0,48,3,b");
  KeepTag("10=24,0", "0,0,0,b 24,0,6,f 24,24,3,r", "0,0,0,b 24,0,6,c 24,24,3,r");
  KeepTag("10=24,0", "0,0,0,b 24,0,6,f 24,24,3,r", "0,0,0,b 24,0,10,c 24,24,3,r", 10);
  KeepTag("", "0,0,0,b 12,24,1,f 12,48,2,b", "0,0,0,b 12,24,1,c 12,48,2,b");
  KeepTag("", "0,0,0,b 12,24,1,f 24,36,2,b", "0,0,0,b 12,24,1,c 24,36,2,b");
  KeepTag("", "0,0,0,b 24,24,1,f 12,0,2,b", "0,0,0,b 24,24,1,f 12,0,2,b");
  KeepTag("5=24,0", "0,0,0,f 24,0,1,f 24,24,2,f 48,24,3,f", "0,0,0,f 24,0,1,f 24,24,2,c 48,24,3,f");
}

// A contour south with a one-cell tooth east (V[1] to V[4]); the offset contour meets it at V0[3] = V[1], V0[2] = V[4].
const std::string kV = "36,-48 36,0 48,0 48,12 36,12 36,60 96,60 96,0";
const std::string kV0 = "24,-48 24,12 36,12 36,0 24,0 24,72 108,72 108,0";
std::string Repair(const std::string& src, int J = 7, char key = '@', int srcShown = -1) {
  Set s = Make(src), d = Make("1,1,1,x");
  RepairVertex(key, J, Xgrid, Ygrid, s.last, Points(kV), Points(kV0), s.P, s.I, s.C, d.P, d.I, d.C, d.last);
  return Dump(d, d.last) + (srcShown < 0 ? "" : " / " + Dump(s, srcShown));
}
TEST(RepairVertex, Teeth) {
  const std::string tooth = "24,-48,0,r 36,0,3,c", alt = "24,-48,0,r 36,12,2,c 36,60,5,b 108,72,6,r";
  EXPECT_EQ(Repair("36,-48,0,b 30,6,3,c 36,60,5,b 108,72,6,r"), "36,-48,0,b 36,0,3,c 36,60,5,b 108,72,6,r");  // tie
  EXPECT_EQ(Repair(tooth + " 108,72,6,r"), alt);
  EXPECT_EQ(Repair("24,-48,0,r 36,12,2,c 108,72,6,r"), alt);
  EXPECT_EQ(Repair(tooth + " 24,72,5,r 108,72,6,r"), alt);
  EXPECT_EQ(Repair(tooth + " 24,72,5,r 108,72,6,r", 6), "24,-48,0,r 36,12,2,c 24,72,5,r 108,72,6,r");
  EXPECT_EQ(Repair(tooth + " 24,72,5,c 108,72,6,r", 6), "24,-48,0,r 36,12,2,c 24,72,5,c 108,72,6,r");
  EXPECT_EQ(Repair(tooth), tooth);  // at the last position: copied
  EXPECT_EQ(Repair("24,-48,0,r 36,0,1,b 24,72,5,r 108,72,6,r"), "24,-48,0,r 36,0,3,r 24,72,5,r 108,72,6,r");
  EXPECT_EQ(Repair("24,-48,0,r 36,0,1,b 60,-24,5,r"), "24,-48,0,r 36,0,1,b 60,-24,5,r");
  EXPECT_EQ(Repair("24,-48,0,r 24,72,5,r 36,0,1,b"), "24,-48,0,r 24,72,5,r 36,0,1,b");
  const std::string f = "24,-48,0,r 30,-24,1,f 24,60,5,r 24,60,4,b";
  EXPECT_EQ(Repair(f, 7, '@', 2), "24,-48,0,r 30,-24,1,c 24,60,5,r / 24,-48,0,r 30,-24,1,c 24,60,5,r");
  EXPECT_EQ(Repair(f, 7, '\r', 3), "1,1,1,x / " + f);
  EXPECT_EQ(Repair(f, 0, '@', 3), "1,1,1,x / " + f);
}

// Tooth_c after the entries "before" with i, r, ToothIndex, ToothIndexBad, (x, y), Delta; "WW: " and entries.
std::string Route(const std::string& src, const std::string& before, std::array<int, 7> a, int shown, double length,
                  const std::string& v = kV, const std::string& v0 = kV0) {
  Set s = Make(src), d = Make(before);
  int ww = -7;
  double got = -1;
  Tooth_c(Xgrid, Ygrid, a[0], a[1], a[2], a[3], int16_t(a[4]), int16_t(a[5]), a[6], s.I, s.C, s.P, 7, Points(v),
          Points(v0), d.I, d.C, d.P, ww, got);
  EXPECT_EQ(length < 0 ? length : got, length);
  return std::to_string(ww) + ": " + Dump(d, shown);
}
TEST(Tooth_c, Routes) {
  EXPECT_EQ(Route("0,0,9,b 24,-48,0,r 36,0,3,c 108,72,6,r", "5,5,5,x 6,6,6,y 24,-48,0,r", {1, 2, 3, 2, 36, 0, 0}, 5,
                  std::sqrt(12.0 * 12 + 48 * 48) + 60.0 + std::sqrt(72.0 * 72 + 12 * 12)),
            "5: 5,5,5,x 6,6,6,y 24,-48,0,r 36,0,3,c 36,60,5,b 108,72,6,r");
  EXPECT_EQ(Route("36,-48,0,b 36,0,3,c 36,60,5,b", "36,-48,0,b", {0, 0, 2, 3, 36, 12, 0}, 2, 108),
            "2: 36,-48,0,b 36,12,2,c 36,60,5,b");
  EXPECT_EQ(Route("36,-48,0,b 36,0,3,c 36,60,5,c", "36,-48,0,b", {0, 0, 3, 2, 36, 0, 0}, 2, 108),
            "1: 36,-48,0,b 36,0,3,c 36,60,5,c");
  const std::string src = "0,-100,9,b 0,0,0,c 96,-48,3,r", v = "500,500 0,-24 0,-12";
  EXPECT_EQ(Route(src, "0,-100,9,b", {0, 0, 0, 1, 0, 0, 0}, 4, 100.0 + 24.0 + std::sqrt(48.0 * 48 + 24 * 24) + 48.0,
                  v, "0,0 48,0 48,-48"),
            "4: 0,-100,9,b 0,0,0,c 0,-24,1,f 48,-48,2,r 96,-48,3,r");
  EXPECT_EQ(Route(src, "0,-100,9,b", {0, 0, 0, 1, 0, 0, 0}, 2, -1, v, "0,0 48,0 48,-12"),
            "2: 0,-100,9,b 0,0,0,c 96,-48,3,r");
  EXPECT_THROW(Route("24,-48,-1,r 36,0,3,c 108,72,6,r", "24,-48,-1,r", {0, 0, 3, 2, 36, 0, 0}, 0, -1),
               CapacityExceeded);
}
}  // namespace
}  // namespace korvane
