// The forward pass: the taut polygon inside the corridor.
#pragma once

#include "editor/types.h"

namespace korvane {

// The whole forward pass: the taut polygon and all its local corrections.
// A polygon that would need more entries than the arrays hold throws
// CapacityExceeded out of the call.
int ForwardPhase(char t, int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& H,
                 PointArray& Z, IntArray& I, IntArray& K, TagArray& C, int Xgrid, int Ygrid, int Turner);

// The first phases of the forward pass only: taut pass, repeat merge, offset
// advance, single-vertex closure, one-cell collapse and start trim.
int TautPolygon(char t, int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& H,
                PointArray& Z, IntArray& I, IntArray& K, TagArray& C, int Xgrid, int Ygrid, int Turner);

// The clean-up phases that follow the taut pass, in their order of use.
// Merges runs of equal points (entries 0 and 1 are never merged).
void RepeatMerge(int& W, PointArray& Z, IntArray& I, TagArray& C);
// Moves a contour vertex after an offset corner on along the offset contour.
void OffsetAdvance(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                   TagArray& C);
// Closes a one-vertex polygon of a closed contour on itself.
void SingleVertexClosure(int J, PointArray& Z, IntArray& I, TagArray& C);
// Shrinks a polygon of two or three vertices to the one near every contour vertex.
void OneCellCollapse(int J, int& W, const PointArray& VERTEX, PointArray& Z, IntArray& I, TagArray& C, int Xgrid,
                     int Ygrid);
// Counter-clockwise pass: drops a second vertex one step off the start.
void StartTrim(int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
               TagArray& C, int Xgrid, int Ygrid);

}  // namespace korvane
