#include "editor/geometry.h"

#include <algorithm>

#include "bgi/bgi.h"

namespace korvane {

int Arena(const PointArray& VERTEX, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int J, int Xconst) {
  const Point a = VERTEX[J - 1];
  const Point b = VERTEX[J];
  XYmax[J - 1] = Point{std::max(a.x, b.x), std::max(a.y, b.y)};
  XYmin[J - 1] = Point{std::min(a.x, b.x), std::min(a.y, b.y)};
  if (a.x != b.x) {
    Slope[J - 1] = static_cast<double>(b.y - a.y) / static_cast<double>(b.x - a.x);
  } else {
    Slope[J - 1] = static_cast<double>(Xconst);
  }
  return 0;
}

int FunGeAngle2(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::int16_t x3,
                std::int16_t y3) {
  // Sign of the cross product; on one line, 2 when the path doubles back at P2.
  const std::int64_t a = static_cast<std::int64_t>(y3 - y1) * (x2 - x1);
  const std::int64_t b = static_cast<std::int64_t>(y2 - y1) * (x3 - x1);
  if (a > b) return 1;
  if (a < b) return -1;
  if (static_cast<std::int64_t>(y2 - y3) * (y2 - y1) > 0 || static_cast<std::int64_t>(x2 - x3) * (x2 - x1) > 0) {
    return 2;
  }
  return -2;
}

int FunReAngle2(const PointArray& VERTEX, int First, int Second, int Third, const SlopeArray& Slope, int Xconst) {
  const Point p1 = VERTEX[First];
  const Point p2 = VERTEX[Second];
  const Point p3 = VERTEX[Third];
  const double s = Slope[Second];
  if (s == static_cast<double>(Xconst)) {
    if (p2.x < p1.x && p2.y > p3.y) return 1;
    if (p2.x < p1.x && p2.y < p3.y) return -1;
    if (p2.x > p1.x && p2.y > p3.y) return -1;
    if (p2.x > p1.x && p2.y < p3.y) return 1;
  }
  if (s == 0) {
    if (p2.y < p1.y && p2.x > p3.x) return -1;
    if (p2.y < p1.y && p2.x < p3.x) return 1;
    if (p2.y > p1.y && p2.x > p3.x) return 1;
    if (p2.y > p1.y && p2.x < p3.x) return -1;
  }
  if (p1.x == p2.x && p2.x == p3.x && static_cast<std::int64_t>(p2.y - p3.y) * (p2.y - p1.y) > 0) return 2;
  if (p1.y == p2.y && p2.y == p3.y && static_cast<std::int64_t>(p2.x - p3.x) * (p2.x - p1.x) > 0) return 2;
  return -2;
}

bool ToothCorner(int J, const PointArray& VERTEX, const PointArray& VERTEX0, int T, int& Bad) {
  if (Same(PointAt(VERTEX0, J, T), PointAt(VERTEX, J, T - 2)) &&
      Same(PointAt(VERTEX0, J, T - 1), PointAt(VERTEX, J, T + 1))) {
    Bad = T - 1;
    return true;
  }
  if (Same(PointAt(VERTEX0, J, T), PointAt(VERTEX, J, T + 2)) &&
      Same(PointAt(VERTEX0, J, T + 1), PointAt(VERTEX, J, T - 1))) {
    Bad = T + 1;
    return true;
  }
  return false;
}

void Polyline(const PointArray& A, int last) {
  moveto(A[0].x, A[0].y);
  for (int i = 1; i <= last; ++i) lineto(A[i].x, A[i].y);
}

int Cross(std::int16_t x, std::int16_t y, int Arm, int ColorIn, int CrossColor) {
  moveto(x, y);
  setcolor(CrossColor);
  lineto(x - Arm, y);
  moveto(x, y);
  lineto(x + Arm, y);
  moveto(x, y);
  lineto(x, y - Arm);
  moveto(x, y);
  lineto(x, y + Arm);
  moveto(x, y);
  setcolor(ColorIn);
  return 0;
}

}  // namespace korvane
