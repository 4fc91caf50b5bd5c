// The offset contour one lattice step to the left of travel.
#pragma once

#include "editor/types.h"

namespace korvane {

int Corridor(char t, int J, const PointArray& VERTEX, PointArray& VERTEX0, PointArray& H, int Xgrid, int Ygrid,
             int Xconst, int Turner);

}  // namespace korvane
