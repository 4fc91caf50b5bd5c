// Contour normalisation: straight vertices, start vertex and sense of traversal.
#pragma once

#include "editor/types.h"

namespace korvane {

int VertexContour(int& J, PointArray& VERTEX);
int Rotation(char t, int J, PointArray& VERTEX, int Xconst, int Turner);
int RotAdjust(char t, int J, PointArray& VERTEX, int Xgrid, int Ygrid);

}  // namespace korvane
