// Tooth repair: at a one-cell tooth a polygon vertex may sit on either of two
// neighbouring offset corners; the corner of the shorter route is kept.
//
// Travel is reversed here: routes keep contour vertices only at left turns
// (-1) and offset corners only at right turns (1).
#include "editor/tooth.h"

#include <cmath>
#include <cstdlib>

#include "editor/backward.h"
#include "editor/geometry.h"
#include "editor/polygon_set.h"

namespace korvane {
namespace {

bool Choice(char tag) { return tag == 'f' || tag == 'c'; }

bool SharesLine(const Point& a, const Point& b) { return a.x == b.x || a.y == b.y; }

// Both offset edges at VERTEX0[p-1] longer than one grid step.
bool LongCorner(int J, const PointArray& VERTEX0, int p, int Xgrid, int Ygrid) {
  const auto before = PointAt(VERTEX0, J, p - 2);
  const auto corner = PointAt(VERTEX0, J, p - 1);
  const auto after = PointAt(VERTEX0, J, p);
  if (!before || !corner || !after) return false;
  return (std::abs(corner->x - before->x) > Xgrid && std::abs(corner->y - after->y) > Ygrid) ||
         (std::abs(corner->y - before->y) > Ygrid && std::abs(corner->x - after->x) > Xgrid);
}

}  // namespace

int KeepTag_f(char t, int J, int W, const PointArray& VERTEX0, const PointArray& SrcP, const IntArray& SrcI,
              const TagArray& SrcC, PointArray& DstP, IntArray& DstI, TagArray& DstC) {
  if (J <= 0 || t == Enter || W < 0) return 0;
  CopyEntry(SrcP, SrcI, SrcC, 0, DstP, DstI, DstC, 0);
  CopyEntry(SrcP, SrcI, SrcC, W, DstP, DstI, DstC, W);
  for (int n = 1; n <= W - 1; ++n) {
    CopyEntry(SrcP, SrcI, SrcC, n, DstP, DstI, DstC, n);
    if (SrcC[n] != 'f') continue;
    const Point A = SrcP[n - 1];
    const Point B = SrcP[n];
    const Point D = SrcP[n + 1];
    if (SharesLine(A, B)) {
      if (Same(PointAt(VERTEX0, J, SrcI[n] + 4), B)) {
        if (!Choice(SrcC[n + 1])) {
          DstC[n] = 'c';
          DstI[n] = SrcI[n] + 4;
        }
      } else {
        const bool oneLine = (A.x == B.x && B.x == D.x) || (A.y == B.y && B.y == D.y);
        if (!oneLine) DstC[n] = 'c';
      }
    } else if (SharesLine(B, D)) {
      DstC[n] = 'c';
    } else {
      const bool between = (B.x - D.x) * (B.x - A.x) < 0 || (B.y - D.y) * (B.y - A.y) < 0;
      if (between) DstC[n] = 'c';
    }
  }
  return 0;
}

int Tooth_c(int Xgrid, int Ygrid, int i, int r, int ToothIndex, int ToothIndexBad, std::int16_t ToothVertX,
            std::int16_t ToothVertY, int Delta, const IntArray& SrcI, const TagArray& SrcC, const PointArray& SrcP,
            int J, const PointArray& VERTEX, const PointArray& VERTEX0, IntArray& DstI, TagArray& DstC,
            PointArray& DstP, int& WW, double& length) {
  const int a = i + 2 + Delta;
  const Point G = SrcP[a];
  const int GIndex = SrcI[a];
  const char GTag = SrcC[a];
  const Point TV{ToothVertX, ToothVertY};
  const int T = ToothIndex;

  int k = r;
  auto put = [&](int at, Point p, int index, char tag) { Put(DstP, DstI, DstC, at, p, index, tag); };
  auto turnAt = [&](int s, const Point& q) { return FunGeAngle2(DstP[s - 1], DstP[s], q); };

  // First half: to the corner TV.
  if (SharesLine(DstP[r], TV)) {
    put(++k, TV, T, 'c');
  } else {
    const int n = DstI[r];
    put(++k, ContourPoint(VERTEX, J, n), n, 'b');
    const auto badCorner = PointAt(VERTEX0, J, ToothIndexBad);
    for (int p = n + 1; p <= T; ++p) {
      const bool end = p == T;
      Point Q = TV;
      if (!end) {
        const Point v = ContourPoint(VERTEX, J, p);
        if (!Same(v, badCorner)) Q = v;
      }
      if (turnAt(k, Q) == -1) {
        ++k;
      } else {
        int s = k - 1;
        while (s != r && s > 0 && !Choice(DstC[s]) && turnAt(s, Q) != -1) --s;
        k = s + 1;
      }
      put(k, Q, end ? T : p, end ? 'c' : 'b');
    }

    const int m = DstI[k - 1];
    const int first = k;
    put(k, ContourPoint(VERTEX0, J, m), m, 'r');
    for (int p = m + 1; p <= T; ++p) {
      const bool end = p == T;
      const Point Q = end ? TV : ContourPoint(VERTEX0, J, p);
      if (turnAt(k, Q) == 1) {
        ++k;
      } else {
        // At most one entry besides the last gives way here.
        int s = k - 1;
        if (s != first - 1 && s > 0 && !Choice(DstC[s]) && turnAt(s, Q) != 1) --s;
        k = s + 1;
      }
      put(k, Q, end ? T : p, end ? 'c' : 'r');
    }
  }

  // Second half: on to the target G.
  if (SharesLine(DstP[k], G)) {
    put(++k, G, GIndex, GTag);
  } else {
    put(k, TV, T, 'c');
    const int corner = k;
    put(++k, ContourPoint(VERTEX, J, T + 1), T + 1, 'b');
    for (int p = T + 2; p <= GIndex; ++p) {
      const bool end = p == GIndex;
      const Point Q = end ? G : ContourPoint(VERTEX, J, p);
      if (turnAt(k, Q) == -1) {
        ++k;
      } else {
        int s = k - 1;
        while (s != corner && !Choice(DstC[s]) && turnAt(s, Q) != -1) --s;
        k = s + 1;
      }
      if (end) {
        put(k, G, GIndex, GTag);
      } else {
        put(k, Q, p, 'b');
      }
    }

    const int q = DstI[k - 1];
    const int first = k;
    put(k, ContourPoint(VERTEX0, J, q), q, 'r');
    for (int p = q + 1; p <= GIndex; ++p) {
      const bool end = p == GIndex;
      const Point Q = end ? G : ContourPoint(VERTEX0, J, p);
      if (turnAt(k, Q) == 1) {
        ++k;
      } else {
        int s = k - 1;
        while (s != first - 1 && !Choice(DstC[s]) && turnAt(s, Q) != 1) --s;
        // Keep the contour vertex at a corner whose two offset edges are long.
        if (!end && LongCorner(J, VERTEX0, p, Xgrid, Ygrid)) {
          ++s;
          put(s, ContourPoint(VERTEX, J, p - 1), p - 1, 'f');
        }
        k = s + 1;
      }
      if (end) {
        put(k, G, GIndex, GTag);
      } else {
        put(k, Q, p, 'r');
      }
    }
  }

  // A 'c' target stays out of the route; it is examined next.
  WW = DstC[k] == 'c' ? k - 1 : k;
  length = 0.0;
  for (int e = r; e < k; ++e) {
    const int dx = DstP[e + 1].x - DstP[e].x;
    const int dy = DstP[e + 1].y - DstP[e].y;
    length += std::sqrt(static_cast<double>(dx * dx + dy * dy));
  }
  return 0;
}

int RepairVertex(char t, int J, int Xgrid, int Ygrid, int SrcLast, const PointArray& VERTEX,
                 const PointArray& VERTEX0, PointArray& SrcP, IntArray& SrcI, TagArray& SrcC, PointArray& DstP,
                 IntArray& DstI, TagArray& DstC, int& DstLast) {
  if (J <= 0 || t == Enter) return 0;
  DstLast = 0;
  CleanMultVert(t, J, SrcLast, SrcP, SrcI, SrcC, DstP, DstI, DstC, DstLast);
  const int N = DstLast;
  KeepTag_f(t, J, N, VERTEX0, DstP, DstI, DstC, SrcP, SrcI, SrcC);

  CopyEntry(SrcP, SrcI, SrcC, 0, DstP, DstI, DstC, 0);
  int r = 0;
  int i = 0;
  while (i < N) {
    const int e = i + 1;
    int bad = 0;
    // The last vertex has no target beyond it and is copied as it is.
    if (SrcC[e] != 'c' || e == N || !ToothCorner(J, VERTEX, VERTEX0, SrcI[e], bad)) {
      CopyEntry(SrcP, SrcI, SrcC, e, DstP, DstI, DstC, ++r);
      ++i;
      continue;
    }
    const int T = SrcI[e];
    const Point own = VERTEX0[T];
    const Point other = VERTEX0[bad];

    // Skip one more vertex when the one after the tooth bends the wrong way
    // for its wall as seen from the alternative corner.
    int Delta = 0;
    if (i + 2 < N) {
      const int turn = FunGeAngle2(other, SrcP[i + 2], SrcP[i + 3]);
      const char tag = SrcC[i + 2];
      const int index = SrcI[i + 2];
      if (((turn == 1 && tag == 'b') || (turn == -1 && tag == 'r')) &&
          Differ(PointAt(VERTEX0, J, index), PointAt(VERTEX, J, index + 2))) {
        Delta = 1;
      }
    }

    int last1 = 0;
    int last2 = 0;
    double L1 = 0.0;
    double L2 = 0.0;
    Tooth_c(Xgrid, Ygrid, i, r, T, bad, own.x, own.y, Delta, SrcI, SrcC, SrcP, J, VERTEX, VERTEX0, DstI, DstC,
            DstP, last1, L1);
    Tooth_c(Xgrid, Ygrid, i, r, bad, T, other.x, other.y, Delta, SrcI, SrcC, SrcP, J, VERTEX, VERTEX0, DstI, DstC,
            DstP, last2, L2);
    if (L1 > L2) {
      r = last2;
    } else if (L1 < L2) {
      Tooth_c(Xgrid, Ygrid, i, r, T, bad, own.x, own.y, Delta, SrcI, SrcC, SrcP, J, VERTEX, VERTEX0, DstI, DstC,
              DstP, last1, L1);
      r = last1;
    } else {
      // A tie keeps the tooth vertex at its own corner.
      Put(DstP, DstI, DstC, ++r, own, T, 'c');
      ++i;
      continue;
    }
    i += SrcC[i + 2 + Delta] == 'c' ? Delta + 1 : Delta + 2;
  }
  DstLast = r;

  // Contour vertices at right turns that are also offset corners.
  for (int j = 1; j <= r - 1; ++j) {
    if (DstC[j] == 'b' && FunGeAngle2(DstP[j - 1], DstP[j], DstP[j + 1]) == 1 &&
        Same(PointAt(VERTEX, J, DstI[j]), PointAt(VERTEX0, J, DstI[j] + 2))) {
      DstC[j] = 'r';
      DstI[j] += 2;
    }
  }
  return 0;
}

}  // namespace korvane
