// The viewer's display modes.
#include "viewer/modes.h"

#include "bgi/bgi.h"
#include "editor/display.h"
#include "editor/geometry.h"

namespace mivlet {

namespace {

using korvane::Point;

bool Degenerate(Point a, Point b) { return a.x == b.x || a.y == b.y; }

// One pixel inside the rectangle from corner a towards corner b.
int SeedCoordinate(int a, int b) { return a < b ? a + 1 : a - 1; }

// Outlines the cell in the border colour, floods it from one pixel inside
// its contour corner and outlines it again in the final colour.
void PaintCell(const Point& corner, const Point& diag, int border, int fill, int outline) {
  const int x_fill = SeedCoordinate(corner.x, diag.x);
  const int y_fill = SeedCoordinate(corner.y, diag.y);
  setlinestyle(0, 1, 1);
  setcolor(border);
  rectangle(corner.x, corner.y, diag.x, diag.y);
  setfillstyle(1, fill);
  floodfill(x_fill, y_fill, border);
  setcolor(outline);
  rectangle(corner.x, corner.y, diag.x, diag.y);
}

// Fills cell k (k = 1..I) white with a light grey outline.
void FillCell(const PointArray& VERTEX, const PointArray& VERTEX0, int k) {
  const Point corner = VERTEX[k - 1];
  const Point diag = VERTEX0[k];
  if (Degenerate(corner, diag)) return;
  PaintCell(corner, diag, 13, 15, 7);
}

// Fills cell e+1 black. A degenerate cell falls back on the contour vertex
// after next as its opposite corner; a cell without a usable corner is left.
void EraseCell(const PointArray& VERTEX, int I, const PointArray& VERTEX0, int e) {
  const Point corner = VERTEX[e];
  Point diag = VERTEX0[e + 1];
  if (Degenerate(corner, diag)) {
    if (e >= I - 1) return;
    diag = VERTEX[e + 2];
    if (Degenerate(corner, diag)) return;
  }
  PaintCell(corner, diag, 7, 0, 0);
}

void EraseCross(const PointArray& VERTEX, int i) { korvane::Cross(VERTEX[i].x, VERTEX[i].y, 12, 0, 0); }

}  // namespace

bool IsModeLetter(int t) {
  switch (t) {
    case 'B': case 'b': case 'P': case 'p': case 'M': case 'm': case 'C': case 'c':
      return true;
    default:
      return false;
  }
}

int EdgeSharing(const PointArray& U, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int W, int Xconst) {
  korvane::DrawOverlaps(U, W, XYmin, XYmax, Slope, Xconst, false);
  return 0;
}

int Redraw(int t, const PointArray& VERTEX, int I, const PointArray& VERTEX0, int J, const PointArray& U,
           const TagArray& E, int K, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope) {
  const bool border = t == 'B' || t == 'b';
  const bool pin = t == 'P' || t == 'p';
  const bool mosaic = t == 'M' || t == 'm';

  // Black over everything that any mode may have drawn.
  setlinestyle(0, 1, 1);
  setcolor(0);
  Polyline(VERTEX0, J);
  for (int k = 0; k <= K; ++k) korvane::Cross(U[k].x, U[k].y, 12, 0, 0);
  Polyline(VERTEX, I);
  Polyline(U, K);

  if (border) {
    setcolor(11);
    Polyline(VERTEX0, J);
    setcolor(15);
    Polyline(VERTEX, I);
  }
  if (!mosaic) AlternatingPolygon(U, K);
  EdgeSharing(U, XYmin, XYmax, Slope, K, korvane::Xconst);

  if (pin) {
    for (int k = 0; k <= K; ++k) {
      if (E[k] == 'b') korvane::Cross(U[k].x, U[k].y, 6, 15, 13);
      if (E[k] == 'r') korvane::Cross(U[k].x, U[k].y, 6, 15, 11);
    }
  }
  if (mosaic) {
    // The thin overlays go first; polygon and overlays come back 2 pixels
    // thick on top of the cells.
    setlinestyle(0, 1, 2);
    setcolor(0);
    Polyline(U, K);
    for (int k = 1; k <= I; ++k) FillCell(VERTEX, VERTEX0, k);
    setlinestyle(0, 1, 2);
    AlternatingPolygon(U, K);
    EdgeSharing(U, XYmin, XYmax, Slope, K, korvane::Xconst);
  }
  return 0;
}

int EraseMosaic(const PointArray& VERTEX, int I, const PointArray& VERTEX0, int J, const PointArray& U, int K,
                bool withOffset) {
  setlinestyle(0, 1, 3);
  setcolor(0);
  Polyline(U, K);
  if (withOffset) Polyline(VERTEX0, J);
  for (int e = 0; e <= I - 1; ++e) EraseCell(VERTEX, I, VERTEX0, e);
  EraseCross(VERTEX, 0);
  EraseCross(VERTEX, 1);
  EraseCross(VERTEX, I - 1);
  EraseCross(VERTEX, I);
  return 0;
}

}  // namespace mivlet
