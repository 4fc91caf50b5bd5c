#include "editor/registration.h"

#include "bgi/bgi.h"
#include "editor/checks.h"
#include "editor/geometry.h"

namespace korvane {

namespace {

constexpr int kCrossingColor = 12;
constexpr int kSharingColor = 11;
constexpr int kContactColor = 14;
constexpr int kOverlapColor = 10;

enum class Refusal { None, Crossing, Sharing, Contact, Overlap };

// Moves the cursor from where it is to target along the one coordinate in
// which they differ, drawing in the current colour.
void Wipe(std::int16_t& x, std::int16_t& y, const Point& target, int Wiper, int WiperDelay) {
  std::int16_t* moving = nullptr;
  std::int16_t goal = 0;
  if (x == target.x) {
    moving = &y;
    goal = target.y;
  } else if (y == target.y) {
    moving = &x;
    goal = target.x;
  }
  while (moving != nullptr && *moving != goal) {
    const int left = goal - *moving;
    const int step = left > 0 ? (left < Wiper ? left : Wiper) : (-left < Wiper ? left : -Wiper);
    *moving = static_cast<std::int16_t>(*moving + step);
    lineto(x, y);
    delay(WiperDelay);
  }
}

// The four checks of the edge VERTEX[J-1]..VERTEX[J] against the earlier
// edges 0..J-2; the first refusal ends them.
Refusal CheckNewEdge(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin,
                     const PointArray& XYmax, const SlopeArray& Slope, int J, int N, int CrossArm, int Wiper,
                     int WiperDelay, int Xconst, int& refusedAt) {
  for (int i = 1; i <= J - 1; ++i) {
    refusedAt = i;
    if (EdgeIntersection2(VERTEX, POINT, XYmin, XYmax, Slope, J, i, N, kCrossingColor, Xconst, Wiper, WiperDelay) ==
        -1)
      return Refusal::Crossing;
    if (SharedEdge2(VERTEX, POINT, XYmin, XYmax, Slope, J, i, N, kSharingColor, Xconst, Wiper, WiperDelay) == -1)
      return Refusal::Sharing;
    if (TouchedEdge2(VERTEX, POINT, XYmin, XYmax, Slope, J, i, N, kContactColor, Xconst, Wiper, WiperDelay) == -1)
      return Refusal::Contact;
    if (OverlapVertex2(VERTEX, POINT, XYmin, XYmax, Slope, J, i, N, CrossArm, kOverlapColor, Xconst, Wiper,
                       WiperDelay) == -1)
      return Refusal::Overlap;
  }
  return Refusal::None;
}

// Crossing and shared-stretch checks of the edge ending at VERTEX[newEnd]
// against the edges first-1 .. last-1.
bool ClosingRefused(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin,
                    const PointArray& XYmax, const SlopeArray& Slope, int newEnd, int first, int last, int N,
                    int Wiper, int WiperDelay, int Xconst) {
  for (int i = first; i <= last; ++i) {
    if (EdgeIntersection2(VERTEX, POINT, XYmin, XYmax, Slope, newEnd, i, N, kCrossingColor, Xconst, Wiper,
                          WiperDelay) == -1)
      return true;
    if (SharedEdge2(VERTEX, POINT, XYmin, XYmax, Slope, newEnd, i, N, kSharingColor, Xconst, Wiper, WiperDelay) ==
        -1)
      return true;
  }
  return false;
}

// The contour without the refused edge is drawn again; the start point gets
// its yellow marker back unless a vertex overlap refused the edge.
void RepaintAfterRefusal(Refusal r, const PointArray& VERTEX, int J, int i, int CrossArm) {
  setcolor(15);
  if (r == Refusal::Contact) {
    moveto(VERTEX[i - 1].x, VERTEX[i - 1].y);
    lineto(VERTEX[i].x, VERTEX[i].y);
  } else {
    Polyline(VERTEX, J - 1);
  }
  if (r != Refusal::Overlap) Cross(VERTEX[0].x, VERTEX[0].y, CrossArm, 15, 14);
}

// Drops the refused last vertex and puts the cursor on the one before.
void BackToLastVertex(std::int16_t& x, std::int16_t& y, int& N, int& J, StrokeArray& POINT, const PointArray& VERTEX) {
  J = J - 1;
  N = 0;
  x = VERTEX[J].x;
  y = VERTEX[J].y;
  POINT[0] = VERTEX[J];
}

}  // namespace

int EdgeClearing(std::int16_t& x, std::int16_t& y, int& N, int& J, StrokeArray& POINT, PointArray& VERTEX,
                 int CrossArm, int Wiper, int WiperDelay) {
  static constexpr const char* kNotice =
      " You moved a cursor backward on the Edge. The Last Edge will be deleted.  \n";
  settextstyle(8, 0, 1);
  setcolor(12);
  outtextxy(xtext + 50, ytext, kNotice);
  getch();
  setcolor(0);
  outtextxy(xtext + 50, ytext, kNotice);

  Point hint = VERTEX[J];
  if (N > 0 && x == POINT[N - 1].x && y == POINT[N - 1].y) {
    x = POINT[N].x;
    y = POINT[N].y;
    hint = POINT[N];
    moveto(x, y);
    while (N > 0) {
      Wipe(x, y, POINT[N - 1], Wiper, WiperDelay);
      N = N - 1;
    }
  }
  x = VERTEX[J].x;
  y = VERTEX[J].y;
  moveto(x, y);
  if (J > 0) {
    const Point a = VERTEX[J - 1];
    const Point b = VERTEX[J];
    if ((a.x == b.x && hint.x == b.x) || (a.y == b.y && hint.y == b.y)) {
      Wipe(x, y, a, Wiper, WiperDelay);
      J = J - 1;
    }
  }
  if (J == 0) Cross(x, y, CrossArm, 15, 9);
  N = 0;
  setcolor(15);
  POINT[0] = VERTEX[J];
  x = VERTEX[J].x;
  y = VERTEX[J].y;
  Polyline(VERTEX, J);
  return 0;
}

int NewEdgeSetting(char& cType2, std::int16_t& x, std::int16_t& y, int& N, int& J, StrokeArray& POINT,
                   PointArray& VERTEX, int CrossArm, int Wiper, int WiperDelay, PointArray& XYmin, PointArray& XYmax,
                   SlopeArray& Slope, int Xconst) {
  if (cType2 != 'y') {
    // The newest step light red, the one before it white again.
    N = N + 1;
    POINT[N] = Point{x, y};
    setcolor(12);
    lineto(x, y);
    if (N > 1) {
      moveto(POINT[N - 2].x, POINT[N - 2].y);
      setcolor(15);
      lineto(POINT[N - 1].x, POINT[N - 1].y);
      moveto(POINT[N].x, POINT[N].y);
    }
  }
  if (cType2 == 'y' || x == VERTEX[J].x || y == VERTEX[J].y) return 0;

  const Point corner = POINT[N - 1];
  const bool lengthens = J > 0 && ((corner.x == VERTEX[J].x && corner.x == VERTEX[J - 1].x) ||
                                   (corner.y == VERTEX[J].y && corner.y == VERTEX[J - 1].y));
  if (!lengthens) J = J + 1;
  VERTEX[J] = corner;
  Arena(VERTEX, XYmin, XYmax, Slope, J, Xconst);

  int refusedAt = 0;
  const Refusal r =
      CheckNewEdge(VERTEX, POINT, XYmin, XYmax, Slope, J, N, CrossArm, Wiper, WiperDelay, Xconst, refusedAt);
  if (r != Refusal::None) {
    RepaintAfterRefusal(r, VERTEX, J, refusedAt, CrossArm);
    BackToLastVertex(x, y, N, J, POINT, VERTEX);
    moveto(x, y);
    return 0;
  }

  N = 1;
  POINT[0] = VERTEX[J];
  POINT[1] = Point{x, y};

  if (J == kCapacity - 6) {
    static constexpr const char* kWarning =
        " Not more than 5 new vertices to add is allowed. Then the curve will terminate in the open shape. \n";
    for (int k = 0; k < 3; ++k) {
      Cross(VERTEX[J].x, VERTEX[J].y, CrossArm, 15, 10);
      moveto(x, y);
      setcolor(12);
      settextstyle(8, 0, 3);
      outtextxy(xtext + 50, ytext, kWarning);
      delay(250 * WiperDelay);
      setcolor(0);
      settextstyle(8, 0, 3);
      outtextxy(xtext + 50, ytext, kWarning);
      delay(100 * WiperDelay);
    }
  } else if (J == kCapacity - 1) {
    cType2 = 'o';
    Cross(VERTEX[J].x, VERTEX[J].y, CrossArm, 15, 12);
    getch();
  }
  return 0;
}

int LastEdgeSetting(char& LastEdgeRevision, char& cType1, char& cType2, std::int16_t& x, std::int16_t& y, int& N,
                    int& J, StrokeArray& POINT, PointArray& VERTEX, int CrossArm, int Wiper, int WiperDelay,
                    PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, int Xconst) {
  // Finished by force at the vertex limit in this very step.
  if (cType2 == 'o') return 0;

  if (J > 0 && POINT[N] == VERTEX[0]) {
    const Point S = VERTEX[0];
    const Point VJ = VERTEX[J];
    const Point V1 = VERTEX[1];
    const bool throughStart = (V1.x < S.x && S.x < VJ.x) || (VJ.x < S.x && S.x < V1.x) ||
                              (V1.y < S.y && S.y < VJ.y) || (VJ.y < S.y && S.y < V1.y);
    bool refused = false;
    if (throughStart) {
      // The start point stops being a vertex: the first edge runs on from VJ.
      VERTEX[0] = VJ;
      Arena(VERTEX, XYmin, XYmax, Slope, 1, Xconst);
      refused = ClosingRefused(VERTEX, POINT, XYmin, XYmax, Slope, 1, 2, J, N, Wiper, WiperDelay, Xconst);
      if (refused) {
        setcolor(0);
        moveto(S.x, S.y);
        lineto(VERTEX[0].x, VERTEX[0].y);
        VERTEX[0] = S;
        Arena(VERTEX, XYmin, XYmax, Slope, 1, Xconst);
        setcolor(15);
        Polyline(VERTEX, J - 1);
        Cross(x, y, CrossArm, 15, 9);
        N = 0;
        x = VERTEX[J].x;
        y = VERTEX[J].y;
        POINT[0] = VERTEX[J];
      }
    } else if (J + 1 >= kCapacity) {
      refused = true;  // no room for the closing vertex
    } else {
      J = J + 1;
      VERTEX[J] = S;
      Arena(VERTEX, XYmin, XYmax, Slope, J, Xconst);
      refused = ClosingRefused(VERTEX, POINT, XYmin, XYmax, Slope, J, 0, J - 1, N, Wiper, WiperDelay, Xconst);
      if (refused) {
        setcolor(15);
        Polyline(VERTEX, J - 1);
        Cross(VERTEX[0].x, VERTEX[0].y, CrossArm, 15, 9);
        BackToLastVertex(x, y, N, J, POINT, VERTEX);
      }
    }
    moveto(x, y);
    if (!refused && LastEdgeRevision == 'n') LastEdgeRevision = 'y';
  }

  if (cType2 == 'y') {
    if (N > 0 && J > 0) {
      if (POINT[N].x != VERTEX[J - 1].x && POINT[N].y != VERTEX[J - 1].y) J = J + 1;
    } else if (N > 0 && J == 0 && !(POINT[N] == VERTEX[0])) {
      J = 1;
    }
    bool refused = false;
    if (J > 0) {
      VERTEX[J] = POINT[N];
      Arena(VERTEX, XYmin, XYmax, Slope, J, Xconst);
      int refusedAt = 0;
      const Refusal r =
          CheckNewEdge(VERTEX, POINT, XYmin, XYmax, Slope, J, N, CrossArm, Wiper, WiperDelay, Xconst, refusedAt);
      if (r != Refusal::None) {
        refused = true;
        setcolor(15);
        Polyline(VERTEX, J - 1);
        if (r != Refusal::Overlap) Cross(VERTEX[0].x, VERTEX[0].y, CrossArm, 15, 14);
        BackToLastVertex(x, y, N, J, POINT, VERTEX);
      }
    }
    moveto(x, y);
    if (refused) {
      cType1 = 'n';
      cType2 = 'n';
    } else {
      cType2 = 'o';
      Cross(VERTEX[J].x, VERTEX[J].y, CrossArm, 15, 14);
    }
    if (cType2 == 'o' && J > 0) {
      setcolor(13);
      outtextxy(xtext + 50, ytext, " Your curve is not closed \n");
      delay(2000);
      setcolor(0);
      outtextxy(xtext + 50, ytext, " Your curve is not  closed \n");
    }
  }
  return 0;
}

}  // namespace korvane
