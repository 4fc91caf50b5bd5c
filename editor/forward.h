// The forward pass: the taut polygon inside the corridor.
#pragma once

#include "editor/types.h"

namespace korvane {

int ForwardPhase(char t, int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& H,
                 PointArray& Z, IntArray& I, IntArray& K, TagArray& C, int Xgrid, int Ygrid, int Turner);

}  // namespace korvane
