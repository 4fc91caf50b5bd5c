// Contour normalisation: straight vertices, start vertex and sense of traversal.
#include "editor/normalise.h"

#include <cstdlib>

#include "bgi/bgi.h"
#include "editor/geometry.h"

namespace korvane {

namespace {

bool IsClosed(int J, const PointArray& A) { return A[J] == A[0]; }

// VERTEX[0..J] := the closed contour rotated to begin at vertex `start`.
void RotateClosed(int J, PointArray& VERTEX, int start, PointArray& WERTEX) {
  for (int m = 0; m <= J - 1; ++m) WERTEX[m] = VERTEX[(start + m) % J];
  WERTEX[J] = WERTEX[0];
  for (int m = 0; m <= J; ++m) VERTEX[m] = WERTEX[m];
}

}  // namespace

int VertexContour(int& J, PointArray& VERTEX) {
  // Nothing can be straight without an inner vertex; this also keeps a
  // contour of one edge or none from growing a second point.
  if (J < 2) return 0;
  PointArray WERTEX;
  WERTEX[0] = VERTEX[0];
  WERTEX[1] = VERTEX[1];
  int k = 1;
  for (int i = 1; i <= J - 1; ++i) {
    const Point next = VERTEX[i + 1];
    if (FunGeAngle2(WERTEX[k - 1], WERTEX[k], next) == -2) {
      WERTEX[k] = next;
    } else {
      ++k;
      WERTEX[k] = next;
    }
  }
  for (int m = 0; m <= k; ++m) VERTEX[m] = WERTEX[m];
  J = k;
  return 0;
}

int Rotation(char t, int J, PointArray& VERTEX, int Xconst, int Turner) {
  if (t == Enter) return 0;

  setlinestyle(0, 1, 1);
  setcolor(15);
  Polyline(VERTEX, J);

  // Extreme vertex: furthest right, then lowest; the first of equal points wins.
  int iMax = 0;
  for (int i = 1; i <= J; ++i) {
    const Point p = VERTEX[i];
    const Point e = VERTEX[iMax];
    if (p.x > e.x || (p.x == e.x && p.y > e.y)) iMax = i;
  }

  PointArray WERTEX;
  if (iMax != 0 && J > 0 && IsClosed(J, VERTEX)) {
    for (int m = 0; m <= J - 1; ++m) WERTEX[m] = VERTEX[(iMax + m) % J];
    WERTEX[J] = WERTEX[0];
  } else {
    for (int m = 0; m <= J; ++m) WERTEX[m] = VERTEX[m];
  }

  bool reverse = false;
  if (J > 0) {
    PointArray XYmin;
    PointArray XYmax;
    SlopeArray Slope;
    int turn = 0;
    bool haveTurn = false;
    if (IsClosed(J, WERTEX)) {
      Arena(WERTEX, XYmin, XYmax, Slope, 1, Xconst);
      turn = FunReAngle2(WERTEX, J - 1, 0, 1, Slope, Xconst);
      haveTurn = true;
    } else if (iMax > 0 && iMax < J) {
      Arena(WERTEX, XYmin, XYmax, Slope, iMax + 1, Xconst);
      turn = FunReAngle2(WERTEX, iMax - 1, iMax, iMax + 1, Slope, Xconst);
      haveTurn = true;
    } else if (iMax == 0) {
      reverse = Turner == 0;
    } else {  // ends at its extreme vertex
      reverse = Turner == 1;
    }
    if (haveTurn) reverse = (turn == -1 && Turner == 0) || (turn == 1 && Turner == 1);
  }

  if (reverse) {
    for (int m = 0; m <= J; ++m) VERTEX[m] = WERTEX[J - m];
  } else {
    for (int m = 0; m <= J; ++m) VERTEX[m] = WERTEX[m];
  }
  return 0;
}

int RotAdjust(char t, int J, PointArray& VERTEX, int Xgrid, int Ygrid) {
  if (t == Enter) return 0;

  auto leftTurn = [&](int k) { return FunGeAngle2(VERTEX[k - 1], VERTEX[k], VERTEX[k + 1]) == -1; };

  // First choice: a left-turn corner whose two edges are both longer than one step.
  int IndexStart = 0;
  for (int k = 1; k <= J - 1 && IndexStart == 0; ++k) {
    if (!leftTurn(k)) continue;
    const Point P = VERTEX[k - 1];
    const Point C = VERTEX[k];
    const Point N = VERTEX[k + 1];
    if ((std::abs(C.x - P.x) > Xgrid && std::abs(C.y - N.y) > Ygrid) ||
        (std::abs(C.x - N.x) > Xgrid && std::abs(C.y - P.y) > Ygrid))
      IndexStart = k;
  }

  // Else the left-turn corner with the longest measured edge, the first on a tie.
  if (IndexStart == 0) {
    int LengthMax = 0;
    for (int k = 1; k <= J - 1; ++k) {
      if (!leftTurn(k)) continue;
      const Point P = VERTEX[k - 1];
      const Point C = VERTEX[k];
      const Point N = VERTEX[k + 1];
      int Length = 0;
      if (std::abs(C.y - P.y) > Ygrid)
        Length = std::abs(C.y - P.y);
      else if (std::abs(C.x - N.x) > Xgrid)
        Length = std::abs(C.x - N.x);
      else if (std::abs(C.x - P.x) > Xgrid)
        Length = std::abs(C.x - P.x);
      else if (std::abs(C.y - N.y) > Ygrid)
        Length = std::abs(C.y - N.y);
      else
        continue;
      if (Length > LengthMax) {
        IndexStart = k;
        LengthMax = Length;
      }
    }
  }

  if (IndexStart > 0) {
    PointArray WERTEX;
    RotateClosed(J, VERTEX, IndexStart, WERTEX);
  }
  return 0;
}

}  // namespace korvane
