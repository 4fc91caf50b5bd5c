// The offset contour one lattice step to the left of travel.
#include "editor/corridor.h"

#include <cstdint>
#include <cstdlib>

#include "editor/geometry.h"

namespace korvane {

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

std::int16_t Coord(int v) { return static_cast<std::int16_t>(v); }

}  // namespace

int Corridor(char t, int J, const PointArray& VERTEX, PointArray& VERTEX0, PointArray& H, int Xgrid, int Ygrid,
             int Xconst, int Turner) {
  if (t == Enter || J < 1) return 0;

  PointArray XYmin;
  PointArray XYmax;
  SlopeArray Slope;
  for (int k = 1; k <= J; ++k) Arena(VERTEX, XYmin, XYmax, Slope, k, Xconst);

  // Corners: one step to the left of both edges.
  for (int k = 1; k <= J - 1; ++k) {
    const int turn = FunReAngle2(VERTEX, k - 1, k, k + 1, Slope, Xconst);
    if (turn != 1 && turn != -1) continue;
    const Point v = VERTEX[k];
    const int dxIn = Sign(v.x - VERTEX[k - 1].x);
    const int dyIn = Sign(v.y - VERTEX[k - 1].y);
    const int dxOut = Sign(VERTEX[k + 1].x - v.x);
    const int dyOut = Sign(VERTEX[k + 1].y - v.y);
    const int s = turn;  // the left turn takes the signs exchanged
    Point o = v;
    if (dxIn != 0) o.x = Coord(v.x + s * dxIn * Xgrid);
    if (dyIn != 0) o.y = Coord(v.y + s * dyIn * Ygrid);
    if (dxOut != 0) o.x = Coord(v.x - s * dxOut * Xgrid);
    if (dyOut != 0) o.y = Coord(v.y - s * dyOut * Ygrid);
    VERTEX0[k] = o;
    H[k] = o;
  }

  const Point V0 = VERTEX[0];
  const Point V1 = VERTEX[1];
  const bool closed = VERTEX[J] == V0;
  bool longStartEdge = false;
  if (closed) {
    const Point P = VERTEX[J - 1];
    longStartEdge = std::abs(V0.x - P.x) > Xgrid || std::abs(V0.y - P.y) > Ygrid ||
                    std::abs(V0.x - V1.x) > Xgrid || std::abs(V0.y - V1.y) > Ygrid;
  }

  if (closed && Turner == 0) {
    const Point o{Coord(V0.x + Xgrid), Coord(V0.y + Ygrid)};
    VERTEX0[0] = o;
    VERTEX0[J] = o;
  } else if (closed && Turner == 1 && longStartEdge) {
    // Inside corner of a left turn, from the closing edge alone.
    const Point P = VERTEX[J - 1];
    Point o = V0;
    if (P.x < V0.x) o = {Coord(V0.x - Xgrid), Coord(V0.y - Ygrid)};
    if (P.x > V0.x) o = {Coord(V0.x + Xgrid), Coord(V0.y + Ygrid)};
    if (P.y < V0.y) o = {Coord(V0.x + Xgrid), Coord(V0.y - Ygrid)};
    if (P.y > V0.y) o = {Coord(V0.x - Xgrid), Coord(V0.y + Ygrid)};
    VERTEX0[0] = o;
    VERTEX0[J] = o;
  } else if (J > 1) {
    // Ends projected onto the first and the last offset edge.
    if (V0.x == V1.x)
      VERTEX0[0] = {VERTEX0[1].x, V0.y};
    else if (V0.y == V1.y)
      VERTEX0[0] = {V0.x, VERTEX0[1].y};
    const Point last = VERTEX[J];
    const Point before = VERTEX[J - 1];
    if (before.x == last.x)
      VERTEX0[J] = {VERTEX0[J - 1].x, last.y};
    else if (before.y == last.y)
      VERTEX0[J] = {last.x, VERTEX0[J - 1].y};
  } else {
    // A single edge: the side follows the orientation alone.
    const int sx = Turner == 0 ? Xgrid : -Xgrid;
    const int sy = Turner == 0 ? Ygrid : -Ygrid;
    if (V0.x == V1.x) {
      VERTEX0[0] = {Coord(V0.x + sx), V0.y};
      VERTEX0[1] = {VERTEX0[0].x, V1.y};
    } else if (V0.y == V1.y) {
      VERTEX0[0] = {V0.x, Coord(V1.y + sy)};
      VERTEX0[1] = {V1.x, VERTEX0[0].y};
    }
  }
  return 0;
}

}  // namespace korvane
