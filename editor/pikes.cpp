// Pike pairs: two polygon vertices at the tip of a dead end of the offset
// contour. Pairs whose route gets shorter are cut back to the pike root and
// the polygon is pulled taut again along the offset contour on both sides.
#include <cstdlib>
#include <optional>

#include "editor/corrections.h"
#include "editor/geometry.h"

namespace korvane {

namespace {

using Opt = std::optional<Point>;

// Moves the pair Z[p], Z[p+1] one offset corner outwards on either side and
// marks it. Both corners exist wherever a cut is decided.
void CutPair(int J, const PointArray& VERTEX0, PointArray& Z, IntArray& I, TagArray& C, int p) {
  const Opt first = PointAt(VERTEX0, J, I[p] - 1);
  const Opt second = PointAt(VERTEX0, J, I[p + 1] + 1);
  if (!first || !second) return;
  I[p] = I[p] - 1;
  Z[p] = *first;
  I[p + 1] = I[p + 1] + 1;
  Z[p + 1] = *second;
  C[p] = 'F';
  C[p + 1] = 'F';
}

// Index of the first point of the straight run that ends with Z[p-1], Z[p].
int RunStart(const PointArray& Z, int p) {
  int a = p - 1;
  for (int m = p - 2; m >= 0 && FunGeAngle2(Z[m], Z[p - 1], Z[p]) == -2; --m) a = m;
  return a;
}

// Index of the last point of the straight run that starts with Z[p+1], Z[p+2].
int RunEnd(int W, const PointArray& Z, int p) {
  int b = p + 2;
  for (int m = p + 3; m <= W && FunGeAngle2(Z[p + 1], Z[p + 2], Z[m]) == -2; ++m) b = m;
  return b;
}

// Entry conditions of one form for the tip Z[i]; `other` is the pair's other
// vertex and `longEnd` the far neighbour on the long side.
bool PikeEntry(const Form& f, const PointArray& Z, const TagArray& C, int i, int other, int longEnd) {
  return StrictExtremum(f.Along(Z[i - 1]), f.Along(Z[i]), f.Along(Z[i + 1])) &&
         f.Across(Z[i - 1]) != f.Across(Z[i]) && f.Across(Z[i + 1]) != f.Across(Z[i]) && IsFC(C[other]) &&
         std::abs(f.Along(Z[longEnd]) - f.Along(Z[i])) > f.alongStep;
}

// One pike test on the tip Z[i]: the tip-first test looks at the pair
// Z[i], Z[i+1], the tip-second test at Z[i-1], Z[i]. True when it cut.
bool PikeTest(bool tipFirst, int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z,
              IntArray& I, TagArray& C, int Xgrid, int Ygrid, int i) {
  if (!IsFC(C[i])) return false;
  const int p = tipFirst ? i : i - 1;
  const int other = tipFirst ? i + 1 : i - 1;
  const int longEnd = tipFirst ? i - 1 : i + 1;
  Form f = HorizontalForm(Xgrid, Ygrid);
  if (!PikeEntry(f, Z, C, i, other, longEnd)) {
    f = VerticalForm(Xgrid, Ygrid);
    if (!PikeEntry(f, Z, C, i, other, longEnd)) return false;
  }

  // Pike root, tooth exclusion, root row.
  const Opt Q = PointAt(VERTEX0, J, I[p] - 1);
  if (!Same(Q, PointAt(VERTEX0, J, I[p + 1] + 1))) return false;
  if (!Differ(PointAt(VERTEX, J, I[p + 1] - 2), Z[p + 1])) return false;
  if (f.Across(*Q) == f.Across(Z[p - 1])) return false;

  // Route comparison.
  const int a = RunStart(Z, p);
  const int b = RunEnd(W, Z, p);
  const Opt far = PointAt(VERTEX0, J, I[p + 1] + 3);
  const Opt R = far && f.Across(*far) == f.Across(Z[p + 1]) ? far : PointAt(VERTEX0, J, I[p + 1]);
  if (!R) return false;
  const float before = static_cast<float>(Distance(Z[a], Z[p]));
  const float d1 = static_cast<float>(static_cast<double>(before) + Distance(Z[p + 1], Z[b]));
  const float d2 = static_cast<float>(Distance(Z[a], *Q) + Distance(*R, Z[b]));
  bool cut = d1 > d2;
  if (!cut && d1 == d2) {
    if (tipFirst)
      cut = a >= 1 && FunGeAngle2(Z[a - 1], Z[a], Z[i]) != -1;
    else
      cut = b <= W - 1 && FunGeAngle2(Z[i], Z[b], Z[b + 1]) != -1;
  }
  if (!cut) return false;
  CutPair(J, VERTEX0, Z, I, C, p);
  return true;
}

// The taut chain along the offset contour from the last entry of U to the
// end vertex, over the offset corners f .. e-1.
void Strain(const Point& endVertex, int e, char endTag, int f, const PointArray& VERTEX0, PointArray& U, IntArray& K,
            TagArray& E, int& j) {
  const int jj = j;
  const auto append = [&](const Point& p, char tag, int index) {
    ++j;
    U[j] = p;
    K[j] = index;
    E[j] = tag;
  };
  int bow = f;
  if (f < e) {
    append(VERTEX0[f], 'r', f);
    bow = f + 1;
  }
  for (; bow <= e; ++bow) {
    const bool end = bow == e;
    const Point ZZ = end ? endVertex : VERTEX0[bow];
    // Without an entry before U[j] there is no turn to test.
    if (j >= 1 && FunGeAngle2(U[j - 1], U[j], ZZ) != -1) {
      --j;
      while (j > jj) {
        const int turn = FunGeAngle2(U[j - 1], U[j], ZZ);
        if (turn != -2 && turn != 1) break;
        --j;
      }
    }
    if (end)
      append(ZZ, endTag, e);
    else
      append(ZZ, 'r', bow);
  }
}

}  // namespace

int Strain_ToPike(int k, const PointArray& Z, const IntArray& I, const TagArray& C, const PointArray& VERTEX0,
                  PointArray& U, IntArray& K, TagArray& E, int& j) {
  Strain(Z[k], I[k], C[k], I[k - 1] + 1, VERTEX0, U, K, E, j);
  return 0;
}

int Strain_FromPike(int k, const PointArray& Z, const IntArray& I, const TagArray& C, const PointArray& VERTEX0,
                    PointArray& U, IntArray& K, TagArray& E, int& j) {
  Strain(Z[k + 1], I[k + 1], C[k + 1], I[k] + 2, VERTEX0, U, K, E, j);
  return 0;
}

void PikePairs(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
               TagArray& C, int Xgrid, int Ygrid) {
  for (int i = 2; i < W - 1; ++i) {
    if (PikeTest(true, J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid, i)) ++i;
    if (PikeTest(false, J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid, i)) ++i;
  }
}

void ClosingPikePair(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                     TagArray& C) {
  if (W < 3) return;
  if (!IsFC(C[W - 1]) || !IsFC(C[W - 2])) return;
  if (!Same(PointAt(VERTEX0, J, J), PointAt(VERTEX, J, J))) return;
  const Point first = Z[W - 2];
  const Point tip = Z[W - 1];
  const Point last = Z[W];
  bool vertical;
  if (StrictExtremum(first.x, tip.x, last.x) && first.y != tip.y)
    vertical = false;
  else if (StrictExtremum(first.y, tip.y, last.y) && first.x != tip.x)
    vertical = true;
  else
    return;

  const int a = RunStart(Z, W - 2);
  const Opt R = PointAt(VERTEX0, J, I[W - 1] + 3);
  const Opt Q = PointAt(VERTEX0, J, I[W - 2] - 1);
  const float before = static_cast<float>(Distance(Z[a], first));
  if (Same(R, last)) {
    bool cut = false;
    if (Q) {
      const float d1 = static_cast<float>(static_cast<double>(before) + Distance(tip, Z[1]));
      const float d2 = static_cast<float>(Distance(Z[a], *Q) + Distance(Z[1], last));
      cut = d1 > d2;
    }
    if (cut) {
      CutPair(J, VERTEX0, Z, I, C, W - 2);
    } else {
      C[W - 2] = 'g';
      C[W - 1] = 'g';
    }
  } else if (Differ(R, last) && (vertical ? R->x == tip.x : R->y == tip.y)) {
    if (!Q) return;
    const float d1 = static_cast<float>(static_cast<double>(before) + Distance(tip, last));
    const float d2 = static_cast<float>(Distance(Z[a], *Q) + Distance(last, *R));
    if (d1 > d2) CutPair(J, VERTEX0, Z, I, C, W - 2);
  }
}

void PikeRepull(int& W, const PointArray& VERTEX0, PointArray& Z, IntArray& I, IntArray& K, TagArray& C) {
  PointArray U;
  TagArray E;
  U[0] = Z[0];
  K[0] = I[0];
  E[0] = C[0];
  int j = 0;
  const auto append = [&](const Point& p, int index, char tag) {
    ++j;
    U[j] = p;
    K[j] = index;
    E[j] = tag;
  };
  int k = 1;
  while (k < W) {
    // A marked pair needs the vertex after it.
    if (C[k] == 'F' && C[k + 1] == 'F' && k + 1 < W) {
      Strain_ToPike(k, Z, I, C, VERTEX0, U, K, E, j);
      U[j] = Z[k];
      K[j] = I[k];
      E[j] = 'f';
      append(Z[k + 1], I[k + 1], 'f');
      Strain_FromPike(k + 1, Z, I, C, VERTEX0, U, K, E, j);
      k += 3;
    } else {
      append(Z[k], I[k], C[k]);
      ++k;
    }
  }
  append(Z[W], I[W], C[W]);
  W = j;
  for (int n = 0; n <= W; ++n) {
    Z[n] = U[n];
    I[n] = K[n];
    C[n] = E[n] == 'F' ? 'f' : E[n];
  }
}

void PikeGroup(int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
               IntArray& K, TagArray& C, int Xgrid, int Ygrid) {
  PikePairs(J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid);
  ClosingPikePair(J, W, VERTEX, VERTEX0, Z, I, C);
  PikeRepull(W, VERTEX0, Z, I, K, C);
}

}  // namespace korvane
