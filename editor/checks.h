// The four checks of a new contour edge against one earlier edge or vertex.
// Each returns -1 after showing a conflict (highlight, message, three blinks,
// the new edge wiped away) and 0 when there is none. The new edge runs from
// VERTEX[J-1] to VERTEX[J], the earlier one from VERTEX[i-1] to VERTEX[i];
// POINT[N-1]..POINT[N] is the last stroke step.
#pragma once

#include "editor/types.h"

namespace korvane {

// The two interiors cross.
int EdgeIntersection2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin,
                      const PointArray& XYmax, const SlopeArray& Slope, int J, int i, int N, int IncompEdgeColor,
                      int Xconst, int Wiper, int WiperDelay);

// Collinear overlap of positive length.
int SharedEdge2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin, const PointArray& XYmax,
                const SlopeArray& Slope, int J, int i, int N, int IncompEdgeColor, int Xconst, int Wiper,
                int WiperDelay);

// VERTEX[J] lies strictly inside a perpendicular earlier edge.
int TouchedEdge2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin, const PointArray& XYmax,
                 const SlopeArray& Slope, int J, int i, int N, int IncompEdgeColor, int Xconst, int Wiper,
                 int WiperDelay);

// VERTEX[J] equals VERTEX[i].
int OverlapVertex2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin,
                   const PointArray& XYmax, const SlopeArray& Slope, int J, int i, int N, int CrossArm,
                   int IncompEdgeColor, int Xconst, int Wiper, int WiperDelay);

}  // namespace korvane
