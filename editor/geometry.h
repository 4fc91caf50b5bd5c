// Edge tables, turn codes and the cross marker, shared by both programs.
#pragma once

#include <cmath>
#include <cstdint>

#include "editor/types.h"

namespace korvane {

// Fills entry J-1 of the edge tables for the edge VERTEX[J-1] -> VERTEX[J].
int Arena(const PointArray& VERTEX, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int J, int Xconst);

// Turn code at P2 on the path P1, P2, P3: 1 right, -1 left, 2 reversal, -2 straight or degenerate.
int FunGeAngle2(std::int16_t VERT1X, std::int16_t VERT1Y, std::int16_t VERT2X, std::int16_t VERT2Y,
                std::int16_t VERT3X, std::int16_t VERT3Y);
inline int FunGeAngle2(const Point& a, const Point& b, const Point& c) {
  return FunGeAngle2(a.x, a.y, b.x, b.y, c.x, c.y);
}

// Turn code from the slope table; Third is always Second + 1.
int FunReAngle2(const PointArray& VERTEX, int First, int Second, int Third, const SlopeArray& Slope, int Xconst);

// Euclidean distance of two screen points, in double precision.
inline double Distance(const Point& a, const Point& b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

// The tooth test at offset index T: the offset corner T lies on the contour
// vertex two indices before it and corner T-1 on the vertex after it (Bad =
// T-1), or T on the vertex two after and T+1 on the vertex before (Bad = T+1).
bool ToothCorner(int J, const PointArray& VERTEX, const PointArray& VERTEX0, int T, int& Bad);

// The chain A[0..last] as one moveto followed by lineto calls.
void Polyline(const PointArray& A, int last);

// Plus sign of arm Arm in CrossColor at (x, y); leaves ColorIn set and the
// current point at the centre.
int Cross(std::int16_t x, std::int16_t y, int Arm, int ColorIn, int CrossColor);

}  // namespace korvane
