// Display of a pass: erasing the drawn contour, the blinking polygon and the
// yellow highlight where polygon edges run over each other.
#include "editor/display.h"

#include <algorithm>

#include "bgi/bgi.h"
#include "editor/geometry.h"

namespace korvane {

int InputCircuit(const PointArray& VERTEX, int J, int CrossArm) {
  // Thickness 3 in black covers the white contour with a pixel to spare.
  moveto(VERTEX[0].x, VERTEX[0].y);
  setlinestyle(0, 1, 3);
  setcolor(0);
  for (int i = 1; i <= J; ++i) lineto(VERTEX[i].x, VERTEX[i].y);
  Cross(VERTEX[0].x, VERTEX[0].y, CrossArm, 15, 0);
  Cross(VERTEX[J].x, VERTEX[J].y, CrossArm, 15, 0);
  return 0;
}

void AlternatingPolygon(const PointArray& U, int last) {
  moveto(U[0].x, U[0].y);
  for (int i = 1; i <= last; ++i) {
    setcolor(i % 2 == 1 ? 9 : 12);
    lineto(U[i].x, U[i].y);
  }
}

int FinalDrawing(const PointArray& U, int WW, int WiperDelay) {
  setlinestyle(0, 1, 1);
  for (int showing = 0; showing < 3; ++showing) {
    AlternatingPolygon(U, WW);
    delay(100 * WiperDelay);
    if (showing < 2) {
      moveto(U[0].x, U[0].y);
      setcolor(0);
      for (int i = 1; i <= WW; ++i) lineto(U[i].x, U[i].y);
      delay(100 * WiperDelay);
    }
  }
  return 0;
}

namespace {

// The y of the end point of edge e (from U[e] to U[e+1]) at x, if it has one.
bool EndY(const PointArray& U, int e, int x, double& y) {
  if (U[e].x == x) {
    y = U[e].y;
    return true;
  }
  if (U[e + 1].x == x) {
    y = U[e + 1].y;
    return true;
  }
  return false;
}

void DrawShare(const double (&XYshare)[2][2], bool thickOverlay) {
  if (thickOverlay) setlinestyle(0, 1, 2);
  setcolor(14);
  moveto(static_cast<int>(XYshare[0][0]), static_cast<int>(XYshare[0][1]));
  lineto(static_cast<int>(XYshare[1][0]), static_cast<int>(XYshare[1][1]));
  setcolor(15);
}

}  // namespace

void DrawOverlaps(const PointArray& U, int W, PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int Xconst,
                  bool thickOverlay) {
  for (int i = 1; i <= W; ++i) Arena(U, XYmin, XYmax, Slope, i, Xconst);
  const double vertical = static_cast<double>(Xconst);
  double XYshare[2][2];
  for (int a = 0; a <= W - 2; ++a) {
    const Point minA = XYmin[a];
    const Point maxA = XYmax[a];
    const double slopeA = Slope[a];
    for (int b = a + 1; b <= W - 1; ++b) {
      const Point minB = XYmin[b];
      const Point maxB = XYmax[b];
      if (!(minA.x <= maxB.x && maxA.x >= minB.x && minA.y <= maxB.y && maxA.y >= minB.y)) continue;
      const double slopeB = Slope[b];
      bool axis = false;
      if (slopeA == 0 && slopeB == 0) {
        axis = maxB.x != minA.x && maxA.x != minB.x;
      } else if (slopeA == vertical && slopeB == vertical) {
        axis = maxB.y != minA.y && maxA.y != minB.y;
      } else if (slopeA != 0 && slopeA != vertical && slopeB == slopeA) {
        if (maxB.x == minA.x || minB.x == maxA.x || maxB.y == minA.y || maxA.y == minB.y) continue;
        const int Angle = FunGeAngle2(U[a], U[a + 1], U[b]);
        const int Angle2 = FunGeAngle2(U[a], U[a + 1], U[b + 1]);
        if ((Angle != 2 && Angle != -2) || (Angle2 != 2 && Angle2 != -2)) continue;
        const int x1 = std::max(minA.x, minB.x);
        const int x2 = std::min(maxA.x, maxB.x);
        double y1 = 0;
        double y2 = 0;
        if (!EndY(U, a, x1, y1)) EndY(U, b, x1, y1);
        if (!EndY(U, a, x2, y2)) EndY(U, b, x2, y2);
        XYshare[0][0] = x1;
        XYshare[0][1] = y1;
        XYshare[1][0] = x2;
        XYshare[1][1] = y2;
        DrawShare(XYshare, thickOverlay);
        continue;
      }
      if (!axis) continue;
      XYshare[0][0] = std::max(minA.x, minB.x);
      XYshare[0][1] = std::max(minA.y, minB.y);
      XYshare[1][0] = std::min(maxA.x, maxB.x);
      XYshare[1][1] = std::min(maxA.y, maxB.y);
      DrawShare(XYshare, thickOverlay);
    }
  }
}

int EdgeSharing(const PointArray& U, int W, int Xconst) {
  PointArray XYmin;
  PointArray XYmax;
  SlopeArray Slope;
  DrawOverlaps(U, W, XYmin, XYmax, Slope, Xconst, true);
  return 0;
}

}  // namespace korvane
