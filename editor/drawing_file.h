// Writer of the drawing file "DataMyDrawing.txt".
#pragma once

#include "editor/types.h"

namespace korvane {

// Pass 0 replaces the file with four blocks, any other pass appends three.
int WritePolToFile(const PointArray& VERTEX, const PointArray& VERTEX0, const PointArray& U, const TagArray& E, int I,
                   int J, int K, int blick);

}  // namespace korvane
