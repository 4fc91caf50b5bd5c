#include "tests/support/polygon_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace km_test {
using korvane::Point;

Point P(int x, int y) { return Point{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; }

namespace {

// Commas and equals signs read as blanks.
std::istringstream Words(std::string s) {
  for (char& ch : s) ch = (ch == ',' || ch == '=') ? ' ' : ch;
  return std::istringstream(s);
}

}  // namespace

Set Make(const std::string& text, Set s) {
  int x, y, index;
  char tag, comma;
  std::istringstream in(text);
  while (in >> x >> comma >> y >> comma >> index >> comma >> tag)
    s.P[++s.last] = P(x, y), s.I[s.last] = index, s.C[s.last] = tag;
  EXPECT_TRUE(in.eof()) << text;
  return s;
}

std::string Dump(const Set& s, int last) {
  std::ostringstream o;
  for (int k = 0; k <= last; ++k) {
    o << (k ? " " : "") << s.P[k].x << ',' << s.P[k].y;
    if (s.C[k]) o << ',' << s.I[k] << ',' << s.C[k];
  }
  return o.str();
}

korvane::PointArray Points(const std::string& text) {
  korvane::PointArray a;
  std::istringstream in(text);
  char c;
  for (int k = 0, x, y; in >> x >> c >> y;) {
    if (c == '=') k = x, x = y, in >> c >> y;
    a[k++] = P(x, y);
  }
  return a;
}

HandPolygon::HandPolygon(const std::string& polygon, const std::string& walls, int w) {
  for (int k = 0; k < korvane::kCapacity; ++k) V[k] = P(1000 + 2 * k, 990), O[k] = P(1001 + 2 * k, 995);
  int k, x, y, index;
  char tag;
  std::istringstream in = Words(polygon);
  while (in >> x >> y >> index >> tag) Z[++W] = P(x, y), I[W] = index, C[W] = tag;
  EXPECT_TRUE(in.eof()) << "unread: " << polygon;
  in = Words(walls);
  while (in >> tag >> k >> x >> y) (tag == 'O' ? O : V)[k] = P(x, y);
  EXPECT_TRUE(in.eof()) << "unread: " << walls;
  if (w >= 0) W = w;
}

int HandPolygon::Expect(const std::string& expected) const {
  int listed = 0, k, x, y, index;
  char tag;
  std::istringstream in = Words(expected);
  for (; in >> k >> x >> y >> index >> tag; ++listed)
    EXPECT_EQ(std::tuple(Z[k], I[k], C[k]), std::tuple(P(x, y), index, tag)) << "vertex " << k;
  EXPECT_TRUE(in.eof()) << expected;
  return listed;
}

int RunStep(const StepCase& c, const std::function<void(HandPolygon&)>& step) {
  SCOPED_TRACE(c.what);
  HandPolygon h(c.polygon, c.walls, c.w);
  step(h);
  return h.Expect(c.expected);
}

}  // namespace km_test
