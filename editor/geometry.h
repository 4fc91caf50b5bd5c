// Edge tables, turn codes and the cross marker, shared by both programs.
#pragma once

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

// The chain A[0..last] as one moveto followed by lineto calls.
void Polyline(const PointArray& A, int last);

// Plus sign of arm Arm in CrossColor at (x, y); leaves ColorIn set and the
// current point at the centre.
int Cross(std::int16_t x, std::int16_t y, int Arm, int ColorIn, int CrossColor);

}  // namespace korvane
