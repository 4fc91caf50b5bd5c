// Display of a pass: erasing the drawn contour, the blinking polygon and the
// highlight of overlapping polygon edges.
#pragma once

#include "editor/types.h"

namespace korvane {

// The polygon U[0..last] with its odd edges light blue and even ones light red.
void AlternatingPolygon(const PointArray& U, int last);

int InputCircuit(const PointArray& VERTEX, int J, int CrossArm);
int FinalDrawing(const PointArray& U, int WW, int WiperDelay);
// The editor's overlap highlight, with tables of its own.
int EdgeSharing(const PointArray& U, int W, int Xconst);

// What both programs' overlap highlights share: fills the given edge tables
// for the edges 0..W-1 and draws each overlap in yellow. With
// thickOverlay each overlay sets the solid thickness-2 style first; without
// it the overlays keep the caller's line style.
void DrawOverlaps(const PointArray& U, int W, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int Xconst,
                  bool thickOverlay);

}  // namespace korvane
