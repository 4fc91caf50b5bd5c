#include "editor/checks.h"

#include "bgi/bgi.h"
#include "editor/geometry.h"

namespace korvane {

namespace {

enum class Highlight { EarlierEdge, EarlierAndNewEdge, VertexMarker };

struct Conflict {
  Highlight highlight;
  const char* first;  // drawn once before the blinking, or nullptr
  const char* blink;
  const char* erase;
};

void Line(const Point& a, const Point& b) {
  moveto(a.x, a.y);
  lineto(b.x, b.y);
}

// Shows the conflict, wipes the new edge off the screen from VERTEX[J] back
// to VERTEX[J-1] and takes the highlight back; always -1.
int Refuse(const Conflict& c, const PointArray& VERTEX, const StrokeArray& POINT, int J, int i, int N, int CrossArm,
           int IC, int Wiper, int WiperDelay) {
  const Point from = VERTEX[J - 1];
  const Point to = VERTEX[J];
  const Point tip = POINT[N];
  const Point beforeTip = POINT[N > 0 ? N - 1 : N];

  if (c.highlight == Highlight::VertexMarker) {
    setcolor(IC);
    settextstyle(8, 0, 3);
    outtextxy(xtext + 50, ytext, c.first);
    Cross(VERTEX[i].x, VERTEX[i].y, CrossArm, 15, IC);
  } else {
    setcolor(10);
    Line(VERTEX[i - 1], VERTEX[i]);
    if (c.highlight == Highlight::EarlierAndNewEdge) {
      setcolor(IC);
      settextstyle(8, 0, 3);
      outtextxy(xtext + 50, ytext, c.first);
      Line(from, to);
    }
  }

  for (int j = 0; j < 3; ++j) {
    setcolor(IC);
    settextstyle(8, 0, 3);
    outtextxy(xtext + 50, ytext, c.blink);
    Line(from, to);
    Line(tip, beforeTip);
    if (j < 2) {
      delay(100 * WiperDelay);
      setcolor(0);
      settextstyle(8, 0, 3);
      outtextxy(xtext + 50, ytext, c.blink);
      lineto(from.x, from.y);
      Line(tip, beforeTip);
      delay(100 * WiperDelay);
    } else {
      delay(300 * WiperDelay);
    }
  }

  setcolor(0);
  Line(tip, beforeTip);
  moveto(to.x, to.y);
  if (J > 0) {
    int px = to.x;
    int py = to.y;
    int* moving = nullptr;
    int target = 0;
    if (to.x == from.x) {
      moving = &py;
      target = from.y;
    } else if (to.y == from.y) {
      moving = &px;
      target = from.x;
    }
    while (moving != nullptr && *moving != target) {
      const int left = target - *moving;
      *moving += left > 0 ? (left < Wiper ? left : Wiper) : (-left < Wiper ? left : -Wiper);
      lineto(px, py);
      delay(WiperDelay);
    }
  }
  outtextxy(xtext + 50, ytext, c.erase);

  if (c.highlight == Highlight::VertexMarker) {
    Cross(VERTEX[i].x, VERTEX[i].y, CrossArm, 15, 0);
  } else {
    setcolor(15);
    Line(VERTEX[i - 1], VERTEX[i]);
  }
  moveto(from.x, from.y);
  return -1;
}

bool Horizontal(const SlopeArray& Slope, int k) { return Slope[k] == 0; }
bool Vertical(const SlopeArray& Slope, int k, int Xconst) { return Slope[k] == static_cast<double>(Xconst); }
bool Between(int low, int v, int high) { return low < v && v < high; }

}  // namespace

int EdgeIntersection2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin,
                      const PointArray& XYmax, const SlopeArray& Slope, int J, int i, int N, int IncompEdgeColor,
                      int Xconst, int Wiper, int WiperDelay) {
  if (i <= 0) return 0;
  const int n = J - 1;
  const int e = i - 1;
  bool cross = false;
  if (Vertical(Slope, n, Xconst) && Horizontal(Slope, e)) {
    cross = Between(XYmin[e].x, VERTEX[n].x, XYmax[e].x) && Between(XYmin[n].y, VERTEX[e].y, XYmax[n].y);
  } else if (Horizontal(Slope, n) && Vertical(Slope, e, Xconst)) {
    cross = Between(XYmin[e].y, VERTEX[n].y, XYmax[e].y) && Between(XYmin[n].x, VERTEX[e].x, XYmax[n].x);
  }
  if (!cross) return 0;
  static constexpr const char* kText = "The intersection of edges was detected. This is not allowed.\n";
  return Refuse({Highlight::EarlierEdge, nullptr, kText, kText}, VERTEX, POINT, J, i, N, 0, IncompEdgeColor, Wiper,
                WiperDelay);
}

int SharedEdge2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin, const PointArray& XYmax,
                const SlopeArray& Slope, int J, int i, int N, int IncompEdgeColor, int Xconst, int Wiper,
                int WiperDelay) {
  if (i <= 0) return 0;
  const int n = J - 1;
  const int e = i - 1;
  const bool boxesMeet = XYmin[n].x <= XYmax[e].x && XYmax[n].x >= XYmin[e].x && XYmin[n].y <= XYmax[e].y &&
                         XYmax[n].y >= XYmin[e].y;
  if (!boxesMeet) return 0;
  bool shared = false;
  if (Horizontal(Slope, n) && Horizontal(Slope, e)) {
    shared = XYmax[e].x != XYmin[n].x && XYmax[n].x != XYmin[e].x;
  } else if (Vertical(Slope, n, Xconst) && Vertical(Slope, e, Xconst)) {
    shared = XYmin[n].y != XYmax[e].y && XYmax[n].y != XYmin[e].y;
  }
  if (!shared) return 0;
  static constexpr const char* kBlink = " Sharing of edges detected. This is not allowed. \n";
  return Refuse({Highlight::EarlierAndNewEdge, " You share the edges. This is not allowed. \n", kBlink, kBlink},
                VERTEX, POINT, J, i, N, 0, IncompEdgeColor, Wiper, WiperDelay);
}

int TouchedEdge2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray& XYmin, const PointArray& XYmax,
                 const SlopeArray& Slope, int J, int i, int N, int IncompEdgeColor, int Xconst, int Wiper,
                 int WiperDelay) {
  if (i <= 0) return 0;
  const int n = J - 1;
  const int e = i - 1;
  const Point end = VERTEX[J];
  bool touch = false;
  if (Vertical(Slope, e, Xconst) && Horizontal(Slope, n)) {
    touch = Between(XYmin[e].y, end.y, XYmax[e].y) && end.x == VERTEX[i].x;
  } else if (Horizontal(Slope, e) && Vertical(Slope, n, Xconst)) {
    touch = Between(XYmin[e].x, end.x, XYmax[e].x) && end.y == VERTEX[i].y;
  }
  if (!touch) return 0;
  return Refuse({Highlight::EarlierAndNewEdge, " The Contact with other edge identified. This is not allowed. \n",
                 " The Contact with other edge identified. This is not allowed.\n",
                 " The Contact with other edge identified. This is not allowed.  \n"},
                VERTEX, POINT, J, i, N, 0, IncompEdgeColor, Wiper, WiperDelay);
}

int OverlapVertex2(const PointArray& VERTEX, const StrokeArray& POINT, const PointArray&, const PointArray&,
                   const SlopeArray&, int J, int i, int N, int CrossArm, int IncompEdgeColor, int, int Wiper,
                   int WiperDelay) {
  if (i <= 0 || !(VERTEX[J] == VERTEX[i])) return 0;
  static constexpr const char* kText = " Overlapping of vertices detected. This is not allowed. \n";
  return Refuse({Highlight::VertexMarker, kText, kText, kText}, VERTEX, POINT, J, i, N, CrossArm, IncompEdgeColor,
                Wiper, WiperDelay);
}

}  // namespace korvane
