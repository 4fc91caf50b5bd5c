// Tooth repair: the corner of the shorter route at one-cell teeth.
#pragma once

#include <cstdint>

#include "editor/types.h"

namespace korvane {

// Overwrites the source with its cleaned and re-tagged copy.
int RepairVertex(char t, int J, int Xgrid, int Ygrid, int SrcLast, const PointArray& VERTEX,
                 const PointArray& VERTEX0, PointArray& SrcP, IntArray& SrcI, TagArray& SrcC, PointArray& DstP,
                 IntArray& DstI, TagArray& DstC, int& DstLast);

// Copies entries 0 to W, turning some 'f' vertices into 'c'.
int KeepTag_f(char t, int J, int W, const PointArray& VERTEX0, const PointArray& SrcP, const IntArray& SrcI,
              const TagArray& SrcC, PointArray& DstP, IntArray& DstI, TagArray& DstC);

// Appends after destination entry r the route from it through the corner
// (ToothVertX, ToothVertY) to source entry i + 2 + Delta; delivers the
// route's last index in WW and its length in length. J is the last index
// of VERTEX and VERTEX0.
int Tooth_c(int Xgrid, int Ygrid, int i, int r, int ToothIndex, int ToothIndexBad, std::int16_t ToothVertX,
            std::int16_t ToothVertY, int Delta, const IntArray& SrcI, const TagArray& SrcC, const PointArray& SrcP,
            int J, const PointArray& VERTEX, const PointArray& VERTEX0, IntArray& DstI, TagArray& DstC,
            PointArray& DstP, int& WW, double& length);

}  // namespace korvane
