// The editor's start: key reading, welcome screen and start placement.
#pragma once

#include <cstdint>

#include "editor/types.h"

namespace korvane {

// The cursor never leaves this range on either axis.
constexpr int CursorLimit = 16000;

// True for the keys that move the cursor: L, R, U, D in either case.
bool IsMoveKey(char t);

// The cursor position after the move key t, or false when the move would
// leave -CursorLimit..CursorLimit.
bool MovedCursor(char t, std::int16_t x, std::int16_t y, std::int16_t& nx, std::int16_t& ny);

// Reads one key; the arrow keys come back as 'U', 'D', 'L', 'R'.
char Arrow();

// Welcome and help text for six seconds, then erased.
int InitScreen2();

// Lets the user move the cursor to the start point and fix it; t returns the
// last key read.
int CursorPlace(std::int16_t& x, std::int16_t& y, StrokeArray& POINT, PointArray& VERTEX, int CrossArm, char& t);

}  // namespace korvane

namespace korvane {

// The editor from opening the window to the end of the drawing loop, on the
// entry routine's state. True when the contour was finished (closed or open,
// possibly without any edge); false when Enter ended the editor.
bool DrawingPhase(std::int16_t& x, std::int16_t& y, char& t, StrokeArray& POINT, int& N, PointArray& VERTEX, int& J,
                  PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, char& cType1, char& cType2,
                  char& LastEdgeRevision, char& CC);

}  // namespace korvane
