// The viewer's display modes: the redraw of the working set in Border, Pin,
// Mosaic or Circuit mode, the erase of the mosaic and the overlap highlight.
#pragma once

#include "editor/types.h"

namespace mivlet {

using korvane::PointArray;
using korvane::SlopeArray;
using korvane::TagArray;

// True for B, b, P, p, M, m, C and c.
bool IsModeLetter(int t);

// Highlights overlapping polygon edges in yellow, with the caller's tables
// (filled afresh here) and the caller's line style.
int EdgeSharing(const PointArray& U, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int W, int Xconst);

// Erases whatever the modes drew and draws the working set in mode t; a key
// that is no mode letter draws the polygon alone.
int Redraw(int t, const PointArray& VERTEX, int I, const PointArray& VERTEX0, int J, const PointArray& U,
           const TagArray& E, int K, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope);

// Erases the mosaic cells, the polygon (and with withOffset the offset
// contour) and the crosses at the contour's ends.
int EraseMosaic(const PointArray& VERTEX, int I, const PointArray& VERTEX0, int J, const PointArray& U, int K,
                bool withOffset);

}  // namespace mivlet
