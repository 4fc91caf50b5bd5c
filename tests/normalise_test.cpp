#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "editor/normalise.h"
#include "tests/support/session.h"

namespace korvane {
namespace {

// A contour in the editor's array; points are written "x y, x y, ...".
struct Contour {
  PointArray v;
  int J = -1;
  explicit Contour(const std::string& text) {
    std::istringstream in(text);
    for (int x = 0, y = 0; in >> x >> y; in.ignore(1)) v[++J] = {std::int16_t(x), std::int16_t(y)};
  }
  // The points from index `from` up to `to`, or down to it for step -1.
  std::string Str(int from, int to, int step = 1) const {
    std::ostringstream out;
    for (int k = from; step * k <= step * to; k += step) out << (k != from ? ", " : "") << v[k].x << ' ' << v[k].y;
    return out.str();
  }
  std::string Str() const { return Str(0, J); }
};

// Rotation draws, so it runs inside a headless session; the trace is returned.
std::string Rotate(Contour& c, int Turner, char t = '@') {
  return km_test::RunBody([&] { Rotation(t, c.J, c.v, Xconst, Turner); }).trace;
}

const char* kSquare = "100 100, 136 100, 136 136, 100 136, 100 100";

TEST(VertexContour, KeepsCornersEndsAndReversalsOnly) {
  const struct { const char *in, *out; } cases[] = {
      {"100 100, 136 100, 172 100, 172 136, 100 136, 100 100", "100 100, 172 100, 172 136, 100 136, 100 100"},
      {"100 100, 124 100, 148 100, 148 136", "100 100, 148 100, 148 136"},
      // A run collapses into one edge; the doubling back at (36, 12) stays.
      {"0 0, 12 0, 24 0, 36 0, 36 12, 36 0, 48 0", "0 0, 36 0, 36 12, 36 0, 48 0"},
      {"10 10", "10 10"}, {"10 10, 20 10", "10 10, 20 10"},
  };
  for (const auto& c : cases) {
    Contour v(c.in), before(c.in);
    VertexContour(v.J, v.v);
    EXPECT_EQ(v.Str(), c.out);
    EXPECT_EQ(v.Str(v.J + 1, before.J), before.Str(v.J + 1, before.J)) << "beyond the new end";
  }
}

TEST(Rotation, DrawsThenRunsClockwiseForTurnerZeroAndTheExactReversalForOne) {
  const char* cw = "136 136, 100 136, 100 100, 136 100, 136 136";
  const char* chain = "100 100, 148 100, 148 136, 124 136";  // turns right at its inner extreme (148, 136)
  const char* toEnd = "100 100, 136 100, 136 136";           // ends at its extreme vertex
  const struct { const char *in, *clockwise; } cases[] = {
      {kSquare, cw}, {"100 100, 100 136, 136 136, 136 100, 100 100", cw},
      {"136 100, 100 100, 100 136, 136 136, 136 100", cw},
      {"100 100, 136 100", "100 100, 136 100"}, {"136 100, 100 100", "100 100, 136 100"},
      {chain, chain}, {"124 136, 148 136, 148 100, 100 100", chain},
      {toEnd, toEnd}, {"136 136, 136 100, 100 100", toEnd},
  };
  for (const auto& c : cases) {
    for (int Turner = 0; Turner <= 1; ++Turner) {
      Contour v(c.in), expected(c.clockwise);
      std::string drawn = "setlinestyle 0 1 1\nsetcolor 15\n";  // the incoming contour, in white
      for (int k = 0; k <= v.J; ++k) drawn += (k ? "lineto " : "moveto ") + v.Str(k, k) + "\n";
      EXPECT_EQ(Rotate(v, Turner), drawn);
      EXPECT_EQ(v.Str(), Turner == 0 ? expected.Str() : expected.Str(expected.J, 0, -1)) << c.in << " / " << Turner;
    }
  }
}

TEST(RotAdjust, StartsAtTheFirstLongCornerElseAtTheLongestMeasuredEdgeAndNowhereOnEnter) {
  // Each contour with the index of the corner it must start at (0: unchanged).
  const struct { const char* in; int start; } cases[] = {
      {"136 136, 136 100, 100 100, 100 136, 136 136", 1},
      // No corner with two long edges: corners 1, 2 and 3 measure 36, the first wins.
      {"136 112, 136 100, 100 100, 100 112, 136 112", 1},
      // Plus with teeth 12, 24, 36, 12 long: the left tip (60, 108) measures 36, beating 24 and the 36 after it.
      {"144 120, 144 108, 132 108, 132 96, 120 96, 120 72, 108 72, 108 96, 96 96, 96 108, 60 108, 60 120, "
       "96 120, 96 132, 108 132, 108 144, 120 144, 120 132, 132 132, 132 120, 144 120", 10},
      {"112 112, 112 100, 100 100, 100 112, 112 112", 0},  // every edge one step
  };
  for (const auto& c : cases) {
    Contour v(c.in), in(c.in);
    RotAdjust('@', v.J, v.v, Xgrid, Ygrid);
    EXPECT_EQ(v.Str(), in.Str(c.start, in.J - 1) + ", " + in.Str(0, c.start)) << c.in;
    EXPECT_EQ(Rotate(in, 0, '\r'), "") << "Enter: nothing is drawn or changed";
    RotAdjust('\r', in.J, in.v, Xgrid, Ygrid);
    EXPECT_EQ(in.Str(), c.in);
  }
}

}  // namespace
}  // namespace korvane
