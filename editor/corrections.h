// The later phases of the forward pass: tooth group, pike pairs, closing group.
#pragma once

#include "editor/types.h"

namespace korvane {

// Tooth-tip choice, tip shortcut, corner-pair shift, oblique-approach
// pull-back, closing-end mark.
void ToothGroup(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                TagArray& C, int Xgrid, int Ygrid);

// Pike pairs, closing pike pair, pike re-pulling (sets a new W).
void PikeGroup(int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
               IntArray& K, TagArray& C, int Xgrid, int Ygrid);

// Closing-pair collapse, start-duplicate mark, return-point mark,
// straight-run flattening.
void ClosingGroup(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                  TagArray& C, int Xgrid, int Ygrid);

}  // namespace korvane
