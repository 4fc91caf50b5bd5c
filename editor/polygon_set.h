// Entry-wise helpers for polygon sets (points, source indices, tags), shared
// by the backward pass and the tooth repair.
#pragma once

#include "editor/types.h"

namespace korvane {

// Writes entry k of a polygon set.
inline void Put(PointArray& P, IntArray& I, TagArray& C, int k, Point p, int index, char tag) {
  P[k] = p;
  I[k] = index;
  C[k] = tag;
}

// Copies entry from of one polygon set into entry to of another.
inline void CopyEntry(const PointArray& SrcP, const IntArray& SrcI, const TagArray& SrcC, int from, PointArray& DstP,
                      IntArray& DstI, TagArray& DstC, int to) {
  Put(DstP, DstI, DstC, to, SrcP[from], SrcI[from], SrcC[from]);
}

// A contour point that a chain or route is built from. An index outside 0..J
// has no point, and the chain cannot be built: the construction is abandoned.
inline Point ContourPoint(const PointArray& V, int J, int i) {
  if (i < 0 || i > J) throw CapacityExceeded{};
  return V[i];
}

}  // namespace korvane
