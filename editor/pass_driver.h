// The construction passes after the drawing loop.
#pragma once

#include <cstdint>

#include "editor/types.h"

namespace korvane {

// The construction arrays of the editor's entry routine; zero at start and
// kept for the whole run.
struct PassArrays {
  PointArray VERTEX0;
  PointArray H;
  PointArray Z;
  IntArray I;
  TagArray C;
  PointArray U;
  IntArray K;
  TagArray E;
  PointArray WERTEX;
  Fixed<std::int16_t, kCapacity> P;
  int W = 0;
  int WW = 0;
  int Iter = 0;
};

// Runs the passes for the finished contour VERTEX (last index J) until a
// display key other than '@'; returns 0.
int PassDriver(int& J, PointArray& VERTEX, PassArrays& a);

// One pass's construction for the orientation Turner, from the
// normalisation of the contour to the removal of straight polygon vertices;
// leaves the polygon in a.Z, a.I, a.C with last index a.W. Throws
// CapacityExceeded when the polygon does not fit the arrays.
void ConstructPass(int J, PointArray& VERTEX, PassArrays& a, int Turner);

// Mends the polygon a.Z, a.I, a.C (last index a.W) at the start of a closed
// contour after the counter-clockwise forward pass built it from the offset
// start; a.WERTEX, a.K, a.U and a.P serve as scratch. May write one console
// line.
void StartFixUp(int J, const PointArray& VERTEX, PassArrays& a);

}  // namespace korvane
