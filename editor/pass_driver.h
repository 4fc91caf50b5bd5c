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

}  // namespace korvane
