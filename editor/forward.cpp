// The forward pass: the taut polygon inside the corridor between the contour
// (wall on the right of travel) and the offset contour (wall on the left).
#include "editor/forward.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "editor/corrections.h"
#include "editor/geometry.h"

namespace korvane {

namespace {

using Opt = std::optional<Point>;

// Turn code of three points; 0 (never a turn code) when one of them is missing,
// so that every test of the result fails.
int Turn(const Opt& a, const Opt& b, const Opt& c) {
  if (!a || !b || !c) return 0;
  return FunGeAngle2(*a, *b, *c);
}

bool Either(int turn, int a, int b) { return turn == a || turn == b; }


// The polygon's working state during the taut pass.
struct Taut {
  int J;
  const PointArray& VERTEX;
  const PointArray& VERTEX0;
  PointArray& H;
  PointArray& Z;
  IntArray& I;
  TagArray& C;
  int j = 0;          // top index of the polygon
  int n = 0;          // last contour vertex handled
  int lastPivot = 0;  // offset index of the last pivot found

  Opt V(int k) const { return PointAt(VERTEX, J, k); }
  Opt O(int k) const { return PointAt(VERTEX0, J, k); }
  // Entries above the top still hold the vertices removed last.
  Opt Zp(int k) const {
    if (k < 0) return std::nullopt;
    return Z[k];
  }

  void Push(Point p, char tag, int index, Point pivot) {
    ++j;
    Z[j] = p;
    C[j] = tag;
    I[j] = index;
    H[j] = pivot;
  }
  void PushKeepPivot(Point p, char tag, int index) {
    ++j;
    Z[j] = p;
    C[j] = tag;
    I[j] = index;
  }

  // Turns the pivot of vertex q to the right over the offset corners up to n.
  void PivotSearch(int q) {
    for (int m = I[q]; m <= n - 1; ++m) {
      const Opt P = O(m + 1);
      if (!P) continue;
      if (Either(FunGeAngle2(Z[q], H[q], *P), -2, 1)) {
        H[q] = *P;
        lastPivot = m + 1;
      }
    }
  }
};

bool LongerX(const Point& a, const Point& b, int step) { return std::abs(a.x - b.x) > step; }
bool LongerY(const Point& a, const Point& b, int step) { return std::abs(a.y - b.y) > step; }

// Removes contour vertices where the path would turn left or reverse and puts
// the offset corners it has to pass in their place. Returns the top index.
int TautPass(Taut& s, int Xgrid, int Ygrid, int Turner) {
  const int J = s.J;
  const PointArray& V = s.VERTEX;
  const PointArray& O = s.VERTEX0;
  PointArray& Z = s.Z;
  PointArray& H = s.H;
  IntArray& I = s.I;
  TagArray& C = s.C;
  const bool closed = V[J] == V[0];

  C[0] = closed && Turner == 1 ? 'r' : 'b';
  Z[0] = V[0];
  H[0] = O[0];
  I[0] = 0;
  Z[1] = V[1];
  H[1] = O[1];
  I[1] = 1;
  C[1] = 'b';
  s.j = 1;
  s.n = 1;
  int& j = s.j;
  int& n = s.n;

  while (n < J) {
    // Convex push: the path turns right at the next contour vertex.
    if (Turn(s.Zp(j - 1), s.Zp(j), V[n + 1]) == 1) {
      const Point pivot = H[n + 1];
      s.Push(V[n + 1], 'b', n + 1, pivot);
      ++n;
      continue;
    }

    // Back-tracking over contour vertices that the path would pass on the left.
    int flag = 1;
    while (flag == 1) {
      if (j == 0 || C[j] != 'b') break;
      if (!Either(Turn(s.Zp(j - 1), s.Zp(j), V[n + 1]), 2, -1)) break;
      s.PivotSearch(j - 1);
      if (Either(FunGeAngle2(Z[j - 1], H[j - 1], V[n + 1]), 2, -1))
        flag = 0;
      else if (Same(s.O(n + 1), s.O(n)))
        flag = n + 1 == J ? 1 : 0;
      else
        flag = 1;
      --j;

      // One-cell tooth between edges longer than one step.
      if (n + 1 < J && Turn(s.V(n - 1), s.V(n), s.O(n + 1)) == 2 &&
          (Turn(s.V(n + 2), s.V(n + 1), s.O(n)) == 2 || (n + 2 == J && Turner == 1)) &&
          ((LongerX(V[n + 1], V[n + 2], Xgrid) && LongerX(V[n], V[n - 1], Xgrid)) ||
           (LongerY(V[n + 1], V[n + 2], Ygrid) && LongerY(V[n], V[n - 1], Ygrid))))
        flag = -1;
      if (Turn(s.V(n), s.V(n + 1), s.O(n + 2)) == 2 && n + 2 < J && flag != 0 &&
          Turn(s.O(n + 1), s.V(n + 2), s.V(n + 3)) == 2 &&
          ((LongerX(V[n + 1], V[n], Xgrid) && LongerX(V[n + 2], V[n + 3], Xgrid)) ||
           (LongerY(V[n + 1], V[n], Ygrid) && LongerY(V[n + 2], V[n + 3], Ygrid)))) {
        flag = -1;
        ++n;
      }
    }

    // Pivot push, or the closing replacement at the end of a counter-clockwise pass.
    if (flag == 0) {
      if (Turner == 1 && n + 1 == J &&
          ((Z[j].x == V[J].x && std::abs(H[j].x - Z[j].x) <= Xgrid) ||
           (Z[j].y == V[J].y && std::abs(H[j].y - Z[j].y) <= Ygrid))) {
        ++j;
        Z[j] = O[I[j]];
        C[j] = 'f';
        flag = -1;
      } else {
        const Point pivot = H[j];
        s.Push(pivot, 'r', s.lastPivot, pivot);
      }
    }

    // Wrap around the offset corners while the path still turns left there.
    if (flag == 0) {
      for (;;) {
        s.lastPivot = I[j];
        s.PivotSearch(j);
        if (FunGeAngle2(Z[j], H[j], V[n + 1]) != -1) break;
        const Point pivot = H[j];
        s.Push(pivot, 'r', s.lastPivot, pivot);
      }
    }

    // A notch: a one-cell inlet where the contour turns left twice.
    const bool notch = Turn(s.V(n - 1), s.V(n), s.V(n + 1)) == -1 && Turn(s.V(n), s.V(n + 1), s.V(n + 2)) == -1 &&
                       Turn(s.V(n - 1), s.V(n), s.O(n + 1)) == 2 && Turn(s.V(n + 2), s.V(n + 1), s.O(n)) == 2;
    if (notch) {
      const int m1 = n + 1;
      const Point before = V[n - 1];
      if (m1 > 3 &&
          ((V[n].x == before.x && before.y == Z[j].y) || (V[n].y == before.y && before.x == Z[j].x)) &&
          Same(s.Zp(j), s.O(m1 - 4)) && Same(s.V(n - 1), s.O(m1))) {
        Z[j] = before;
        H[j] = O[n - 1];
        I[j] = n - 1;
        C[j] = 'b';
      }

      // The shorter route over one of the two offset corners; a tie takes the later one.
      const Point beyond = V[m1 + 1];
      const Point later = O[m1];
      const Point earlier = O[m1 - 1];
      const float d1 = static_cast<float>(Distance(Z[j], later) + Distance(beyond, later));
      const float d2 = static_cast<float>(Distance(Z[j], earlier) + Distance(beyond, earlier));
      Point candidate = later;
      char CC = 'f';
      int candidateIndex = m1;
      if (d2 < d1) {
        candidate = earlier;
        CC = 'c';
        candidateIndex = m1 - 1;
      }

      if (FunGeAngle2(Z[j], candidate, beyond) == 1) s.Push(beyond, 'r', -1, O[m1 + 1]);

      if (I[j] != -1) {
        const Point top = Z[j];
        if ((std::abs(top.x - candidate.x) > 2 * Xgrid && std::abs(top.y - candidate.y) > Ygrid) ||
            (std::abs(top.y - candidate.y) > 2 * Ygrid && std::abs(top.x - candidate.x) > Xgrid)) {
          // Chain along the offset contour up to the notch.
          const int j0 = j;
          const int m0 = I[j];
          if (m0 + 1 < m1) s.PushKeepPivot(O[m0 + 1], 'r', m0 + 1);
          for (int m = m0 + 2; m <= n; ++m) {
            const Point Q = O[m];
            if (Turn(s.Zp(j - 1), s.Zp(j), Q) == -1) {
              s.PushKeepPivot(Q, 'r', m);
            } else {
              --j;
              while (j > j0 && Either(Turn(s.Zp(j - 1), s.Zp(j), Q), -2, 1)) --j;
              if (m < n) s.PushKeepPivot(Q, 'r', m);
            }
          }
        }
        s.Push(candidate, CC, candidateIndex, candidate);
      }
      n = m1;
    }

    // Advance to the next contour vertex.
    const Point P = V[n + 1];
    if (Turner == 1 && j == 0 && closed && Turn(s.Zp(0), s.Zp(1), P) == -1 &&
        (std::abs(P.x - Z[1].x) == Xgrid || std::abs(P.y - Z[1].y) == Ygrid)) {
      j = 1;
      Z[1] = O[n];
      I[1] = n;
      C[1] = 'r';
    } else if (!(P == Z[j])) {
      s.Push(P, 'b', n + 1, O[n + 1]);
    }
    if (P == V[J] && n + 1 == J - 2) {
      s.Push(P, 'b', J - 2, O[n + 1]);
      break;
    }
    ++n;
  }
  return j;
}

// The local corrections that follow the first phases, in their fixed order.
void LaterCorrections(int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z,
                      IntArray& I, IntArray& K, TagArray& C, int Xgrid, int Ygrid) {
  ToothGroup(J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid);
  PikeGroup(J, W, VERTEX, VERTEX0, Z, I, K, C, Xgrid, Ygrid);
  ClosingGroup(J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid);
}

}  // namespace

// Merges runs of equal points into one entry, keeping the most telling tag.
void RepeatMerge(int& W, PointArray& Z, IntArray& I, TagArray& C) {
  int k = 1;
  for (int i = 1; i <= W - 1; ++i) {
    if (Z[i + 1] == Z[k]) {
      if (C[i + 1] == 'f' || C[i + 1] == 'c') {
        C[k] = C[i + 1];
        I[k] = I[i + 1];
      } else if (C[i + 1] == 'r' && C[k] == 'b') {
        C[k] = 'r';
        I[k] = I[i + 1];
      }
    } else {
      ++k;
      Z[k] = Z[i + 1];
      I[k] = I[i + 1];
      C[k] = C[i + 1];
    }
  }
  W = k;
}

// Moves a contour vertex that follows an offset corner in a straight run on
// to the next offset corner, and the corner before it along when that is shorter.
void OffsetAdvance(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                   TagArray& C) {
  const bool closedPolygon = Z[W] == Z[0];
  for (int i = 1; i <= W - 1; ++i) {
    if (C[i + 1] != 'b') continue;
    if (!Same(Opt(Z[i]), PointAt(VERTEX0, J, I[i]))) continue;
    const Opt v = PointAt(VERTEX, J, I[i]);
    const Opt next = PointAt(VERTEX0, J, I[i + 1] + 1);
    if (!v || !next) continue;
    const bool alongRow = Z[i - 1].y == v->y && Z[i].y == Z[i + 1].y && next->y == Z[i].y;
    const bool alongColumn = Z[i - 1].x == v->x && Z[i].x == Z[i + 1].x && next->x == Z[i].x;
    if (!alongRow && !alongColumn) continue;
    Opt after;
    if (i + 2 <= W)
      after = Z[i + 2];
    else if (closedPolygon)
      after = Z[1];
    if (!Either(Turn(Z[i], Z[i + 1], after), -2, -1)) continue;

    I[i + 1] = I[i + 1] + 1;
    Z[i + 1] = VERTEX0[I[i + 1]];
    C[i + 1] = 'r';
    const Opt corner = PointAt(VERTEX0, J, I[i] + 1);
    if (corner && static_cast<float>(Distance(Z[i - 1], Z[i])) < static_cast<float>(Distance(*corner, Z[i + 1]))) {
      I[i] = I[i] + 1;
      Z[i] = VERTEX0[I[i]];
      C[i] = 'f';
    }
  }
}

// A closed contour whose polygon shrank to one vertex: close it on itself.
void SingleVertexClosure(int J, PointArray& Z, IntArray& I, TagArray& C) {
  Z[1] = Z[0];
  I[1] = J;
  C[1] = 'r';
}

// A polygon of one cell: the one vertex within a step of every contour vertex.
void OneCellCollapse(int J, int& W, const PointArray& VERTEX, PointArray& Z, IntArray& I, TagArray& C, int Xgrid,
                     int Ygrid) {
  for (int i = 0; i <= W - 1; ++i) {
    bool near = true;
    for (int k = 0; k <= J - 1 && near; ++k)
      near = std::abs(Z[i].x - VERTEX[k].x) <= Xgrid && std::abs(Z[i].y - VERTEX[k].y) <= Ygrid;
    if (!near) continue;
    const Point p = Z[i];
    const int index = I[i];
    const char tag = C[i];
    Z[0] = Z[1] = p;
    I[0] = I[1] = index;
    C[0] = C[1] = tag;
    W = 1;
    return;
  }
}

// Drops a second vertex that only steps one cell off the start.
void StartTrim(int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
               TagArray& C, int Xgrid, int Ygrid) {
  if (W < 1 || !Same(Opt(Z[1]), PointAt(VERTEX0, J, I[1]))) return;
  const Opt S = PointAt(VERTEX, J, I[0]);
  const Opt T = PointAt(VERTEX, J, I[W - 1]);
  if (!S || !T) return;
  const Point z = Z[1];
  const bool column = S->x == z.x && std::abs(z.y - S->y) == Ygrid && T->y == z.y;
  const bool row = S->y == z.y && std::abs(z.x - S->x) == Xgrid && T->x == z.x;
  if (!column && !row) return;
  for (int k = 1; k <= W - 1; ++k) {
    Z[k] = Z[k + 1];
    I[k] = I[k + 1];
    C[k] = C[k + 1];
  }
  W = W - 1;
}

int TautPolygon(char t, int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& H,
                PointArray& Z, IntArray& I, IntArray& /*K*/, TagArray& C, int Xgrid, int Ygrid, int Turner) {
  W = 0;
  if (t == Enter || J <= 0) return 0;
  const bool closed = VERTEX[J] == VERTEX[0];

  Taut s{J, VERTEX, VERTEX0, H, Z, I, C};
  W = TautPass(s, Xgrid, Ygrid, Turner);
  RepeatMerge(W, Z, I, C);
  OffsetAdvance(J, W, VERTEX, VERTEX0, Z, I, C);

  if (W == 1 && J > 1 && closed) SingleVertexClosure(J, Z, I, C);
  if ((W == 2 || W == 3) && closed) OneCellCollapse(J, W, VERTEX, Z, I, C, Xgrid, Ygrid);
  if (Turner == 1) StartTrim(J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid);
  return 0;
}

int ForwardPhase(char t, int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& H,
                 PointArray& Z, IntArray& I, IntArray& K, TagArray& C, int Xgrid, int Ygrid, int Turner) {
  W = 0;
  if (t == Enter || J <= 0) return 0;
  TautPolygon(t, J, W, VERTEX, VERTEX0, H, Z, I, K, C, Xgrid, Ygrid, Turner);
  LaterCorrections(J, W, VERTEX, VERTEX0, Z, I, K, C, Xgrid, Ygrid);
  return 0;
}

}  // namespace korvane
