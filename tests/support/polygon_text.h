// Polygon sets and wall points written as short text, for construction tests.
#pragma once

#include <functional>
#include <string>

#include "editor/types.h"

namespace km_test {

korvane::Point P(int x, int y);

// A polygon set written "x,y,index,tag ...".
struct Set {
  korvane::PointArray P{};
  korvane::IntArray I{};
  korvane::TagArray C{};
  int last = -1;
};
Set Make(const std::string& text, Set s = {});
// Entries 0..last as "x,y,index,tag"; an entry without tag prints as a bare point.
std::string Dump(const Set& s, int last);
// Points written "x,y ..." from index 0; "k=x,y" moves on to index k.
korvane::PointArray Points(const std::string& text);

// A hand-built polygon "x,y,index,tag ..." beside wall points "O9=x,y"
// (offset contour) or "V9=x,y" (contour); wall points not listed lie far
// from everything.
struct HandPolygon {
  korvane::PointArray V, O, Z;
  korvane::IntArray I, K;
  korvane::TagArray C;
  int W = -1;
  // w >= 0 sets a W below the polygon's own.
  HandPolygon(const std::string& polygon, const std::string& walls, int w = -1);
  // Checks the vertices listed as "k=x,y,index,tag"; returns how many were listed.
  int Expect(const std::string& expected) const;
};

// One correction step on a HandPolygon: what it shows, the step's letter,
// polygon, walls and the vertices expected afterwards (see HandPolygon).
struct StepCase {
  const char* what;
  char step;
  std::string polygon, walls, expected;
  int w = -1;  // a W below the polygon's own
};
// Runs the step on the case's polygon; returns how many vertices were listed.
int RunStep(const StepCase& c, const std::function<void(HandPolygon&)>& step);

}  // namespace km_test
