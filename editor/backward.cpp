// The backward pass: reversal, duplicate merge, concave and convex exams,
// removal of straight polygon vertices.
//
// After the reversal the offset contour lies to the right of travel: a taut
// polygon turns left (-1) at contour vertices and right (1) at offset corners.
#include "editor/backward.h"

#include <cstdint>

#include "editor/geometry.h"
#include "editor/polygon_set.h"

namespace korvane {
namespace {

// FunGeAngle2 at P[b] on the path P[a], P[b], q, worked out in place: the
// exams call it in their innermost loops, once per offset corner of a chain.
inline int Turn(const PointArray& P, int a, int b, const Point& q) {
  const Point p1 = P[a];
  const Point p2 = P[b];
  const std::int64_t l = static_cast<std::int64_t>(q.y - p1.y) * (p2.x - p1.x);
  const std::int64_t r = static_cast<std::int64_t>(p2.y - p1.y) * (q.x - p1.x);
  if (l != r) return l > r ? 1 : -1;
  const bool back = static_cast<std::int64_t>(p2.y - q.y) * (p2.y - p1.y) > 0 ||
                    static_cast<std::int64_t>(p2.x - q.x) * (p2.x - p1.x) > 0;
  return back ? 2 : -2;
}

bool Stops(int t, int J) { return J <= 0 || t == Enter; }

// Destination entries 0 and 1 are copies of source entries 0 and 1; returns
// the destination's last index, 1.
int CopyStart(const PointArray& SrcP, const IntArray& SrcI, const TagArray& SrcC, PointArray& DstP, IntArray& DstI,
              TagArray& DstC) {
  CopyEntry(SrcP, SrcI, SrcC, 0, DstP, DstI, DstC, 0);
  CopyEntry(SrcP, SrcI, SrcC, 1, DstP, DstI, DstC, 1);
  return 1;
}

}  // namespace

int BackwardTransform(char t, int J, int W, PointArray& VERTEX, PointArray& VERTEX0, PointArray& Z, IntArray& I,
                      TagArray& C) {
  if (Stops(t, J)) return 0;
  PointArray points;
  TagArray tags;
  IntArray indices;

  for (int k = 0; k <= W; ++k) {
    points[k] = Z[W - k];
    tags[k] = C[W - k];
  }
  for (int k = 0; k <= W; ++k) {
    Z[k] = points[k];
    C[k] = tags[k];
  }

  for (int j = 0; j <= J; ++j) points[j] = VERTEX[J - j];
  for (int j = 0; j <= J; ++j) VERTEX[j] = points[j];
  for (int j = 0; j <= J; ++j) points[j] = VERTEX0[J - j];
  for (int j = 0; j <= J; ++j) VERTEX0[j] = points[j];

  for (int k = 0; k <= W; ++k) {
    const int old = I[W - k];
    indices[k] = old == -1 ? -1 : J - old;
  }
  for (int k = 0; k <= W; ++k) I[k] = indices[k];
  return 0;
}

int CleanMultVert(char t, int J, int SrcLast, const PointArray& SrcP, const IntArray& SrcI, const TagArray& SrcC,
                  PointArray& DstP, IntArray& DstI, TagArray& DstC, int& DstLast) {
  if (Stops(t, J)) return 0;
  int k = CopyStart(SrcP, SrcI, SrcC, DstP, DstI, DstC);
  for (int n = 2; n <= SrcLast; ++n) {
    if (SrcP[n] == DstP[k]) {
      // The run keeps its first position and its last 'f' or 'c' choice.
      if (SrcC[n] == 'f' || SrcC[n] == 'c') {
        DstC[k] = SrcC[n];
        DstI[k] = SrcI[n];
      }
    } else {
      ++k;
      CopyEntry(SrcP, SrcI, SrcC, n, DstP, DstI, DstC, k);
    }
  }
  DstLast = k;
  return 0;
}

int ConcaveAngleExam(char t, int& Iter, int J, int SrcLast, const PointArray& VERTEX0, PointArray& SrcP,
                     IntArray& SrcI, TagArray& SrcC, PointArray& DstP, IntArray& DstI, TagArray& DstC, int& DstLast) {
  if (Stops(t, J)) return 0;
  DstLast = 0;
  CleanMultVert(t, J, SrcLast, SrcP, SrcI, SrcC, DstP, DstI, DstC, DstLast);
  const int N = DstLast;
  for (int n = 0; n <= N; ++n) CopyEntry(DstP, DstI, DstC, n, SrcP, SrcI, SrcC, n);

  int k = CopyStart(SrcP, SrcI, SrcC, DstP, DstI, DstC);
  for (int n = 2; n <= N; ++n) {
    const Point P = SrcP[n];
    const int PIndex = SrcI[n];
    if (!(Turn(DstP, k - 1, k, P) == 1 && DstC[k] == 'b')) {
      ++k;
      CopyEntry(SrcP, SrcI, SrcC, n, DstP, DstI, DstC, k);
      continue;
    }
    // A contour vertex bending right: replace it by a taut chain along the
    // offset contour, anchored at the offset corner after entry a-1.
    Iter = 1;
    const int a = k;
    const int m = DstI[a - 1] + (DstC[a - 1] == 'b' ? 0 : 1);
    Put(DstP, DstI, DstC, a, ContourPoint(VERTEX0, J, m), m, 'r');
    for (int l = m + 1; l <= PIndex; ++l) {
      if (DstP[k] == P) break;
      const bool last = l == PIndex;
      const Point Q = last ? P : ContourPoint(VERTEX0, J, l);
      if (Turn(DstP, k - 1, k, Q) == 1) {
        ++k;
      } else {
        int s = k - 1;
        while (s != a - 1) {
          const int turn = Turn(DstP, s - 1, s, Q);
          if (turn != -1 && turn != -2) break;
          --s;
        }
        k = s + 1;
      }
      if (last) {
        Put(DstP, DstI, DstC, k, Q, PIndex, SrcC[n]);
      } else {
        Put(DstP, DstI, DstC, k, Q, l, 'r');
      }
    }
  }
  DstLast = k;
  return 0;
}

int ConvexAngleExam(char t, int J, int SrcLast, const PointArray& VERTEX, const PointArray& SrcP,
                    const IntArray& SrcI, const TagArray& SrcC, PointArray& DstP, IntArray& DstI, TagArray& DstC,
                    int& DstLast) {
  if (Stops(t, J)) return 0;
  int k = CopyStart(SrcP, SrcI, SrcC, DstP, DstI, DstC);
  for (int n = 2; n <= SrcLast; ++n) {
    const Point P = SrcP[n];
    const int PIndex = SrcI[n];
    if (!(Turn(DstP, k - 1, k, P) == -1 && DstC[k] == 'r')) {
      ++k;
      CopyEntry(SrcP, SrcI, SrcC, n, DstP, DstI, DstC, k);
      continue;
    }
    // An offset corner bending left: replace it by a taut chain along the
    // contour, anchored at the contour vertex of entry k-1's index.
    const int q = DstI[k - 1];
    Put(DstP, DstI, DstC, k, ContourPoint(VERTEX, J, q), q, 'b');
    for (int p = q + 1; p <= PIndex; ++p) {
      const Point V = p == PIndex ? P : ContourPoint(VERTEX, J, p);
      const bool isP = p == PIndex || V == P;
      const Point Q = isP ? P : V;
      if (Turn(DstP, k - 1, k, Q) == -1) {
        ++k;
      } else {
        int s = k - 1;
        while (s > 0 && DstC[s] != 'f' && DstC[s] != 'r' && DstC[s] != 'c') {
          const int turn = Turn(DstP, s - 1, s, Q);
          if (turn != -2 && turn != 1) break;
          --s;
        }
        k = s + 1;
      }
      if (isP) {
        Put(DstP, DstI, DstC, k, Q, PIndex, SrcC[n]);
        break;
      }
      Put(DstP, DstI, DstC, k, Q, p, 'b');
    }
  }
  DstLast = k;
  return 0;
}

int MinNumVert(char t, int J, int SrcLast, const PointArray& SrcP, const IntArray& SrcI, const TagArray& SrcC,
               PointArray& DstP, IntArray& DstI, TagArray& DstC, int& DstLast) {
  if (Stops(t, J)) return 0;
  int k = CopyStart(SrcP, SrcI, SrcC, DstP, DstI, DstC);
  for (int n = 2; n <= SrcLast; ++n) {
    // A straight vertex gives way to the next point, whatever its tag.
    if (Turn(DstP, k - 1, k, SrcP[n]) != -2) ++k;
    CopyEntry(SrcP, SrcI, SrcC, n, DstP, DstI, DstC, k);
  }
  DstLast = k;

  // A closed polygon whose start lies inside a straight run is closed again
  // at its second vertex.
  if (DstP[k] == DstP[0] && FunGeAngle2(DstP[k - 1], DstP[0], DstP[1]) == -2) {
    for (int n = 1; n <= k; ++n) CopyEntry(DstP, DstI, DstC, n, DstP, DstI, DstC, n - 1);
    DstLast = k - 1;
    CopyEntry(DstP, DstI, DstC, 0, DstP, DstI, DstC, DstLast);
  }
  return 0;
}

}  // namespace korvane
