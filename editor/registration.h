// Turning the cursor moves of the drawing loop into the contour: step back,
// stroke growth with vertex registration, closing and the open finish.
#pragma once

#include <cstdint>

#include "editor/types.h"

namespace korvane {

// Step back onto the stroke, into the last edge or onto its first vertex:
// wipes the stroke (and the last edge where due) and puts the cursor on the
// last remaining vertex.
int EdgeClearing(std::int16_t& x, std::int16_t& y, int& N, int& J, StrokeArray& POINT, PointArray& VERTEX,
                 int CrossArm, int Wiper, int WiperDelay);

// Extends the stroke by the cursor and registers a vertex once the cursor
// leaves both the row and the column of the last vertex, checking the new
// edge against every earlier one.
int NewEdgeSetting(char& cType2, std::int16_t& x, std::int16_t& y, int& N, int& J, StrokeArray& POINT,
                   PointArray& VERTEX, int CrossArm, int Wiper, int WiperDelay, PointArray& XYmin, PointArray& XYmax,
                   SlopeArray& Slope, int Xconst);

// Closes the contour when the stroke reaches the start point, and finishes it
// open when that was requested.
int LastEdgeSetting(char& LastEdgeRevision, char& cType1, char& cType2, std::int16_t& x, std::int16_t& y, int& N,
                    int& J, StrokeArray& POINT, PointArray& VERTEX, int CrossArm, int Wiper, int WiperDelay,
                    PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int Xconst);

}  // namespace korvane
