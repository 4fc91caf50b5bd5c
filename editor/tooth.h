// Tooth repair: the corner of the shorter route at one-cell teeth.
#pragma once

#include "editor/types.h"

namespace korvane {

// Overwrites the source with its cleaned and re-tagged copy.
int RepairVertex(char t, int J, int Xgrid, int Ygrid, int SrcLast, const PointArray& VERTEX,
                 const PointArray& VERTEX0, PointArray& SrcP, IntArray& SrcI, TagArray& SrcC, PointArray& DstP,
                 IntArray& DstI, TagArray& DstC, int& DstLast);

}  // namespace korvane
