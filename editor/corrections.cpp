// Local corrections of the forward pass at one-cell teeth and at the ends of
// the polygon. Every step works in place; no step adds or removes a point.
#include "editor/corrections.h"

#include <cstdlib>
#include <optional>

#include "editor/geometry.h"

namespace korvane {

namespace {

using Opt = std::optional<Point>;

// A tip sticking out one lattice step wide between a and b, whose next
// offset corner is not the tip itself.
bool ToothTipEntry(const Form& f, const Point& a, const Point& tip, const Point& b, const Opt& nextCorner) {
  return std::abs(f.Across(a) - f.Across(b)) == f.acrossStep && StrictExtremum(f.Along(a), f.Along(tip), f.Along(b)) &&
         (f.Across(tip) == f.Across(a) || f.Across(tip) == f.Across(b)) && Differ(nextCorner, tip);
}

// A tip tagged 'f' in line with the contour vertex before it and one step
// across from the vertex after it.
bool TipShortcutEntry(const Form& f, const PointArray& Z, const TagArray& C, int i) {
  return std::abs(f.Across(Z[i - 1]) - f.Across(Z[i + 1])) == f.acrossStep &&
         StrictExtremum(f.Along(Z[i - 1]), f.Along(Z[i]), f.Along(Z[i + 1])) && f.Across(Z[i]) == f.Across(Z[i - 1]) &&
         (f.Across(Z[i - 2]) != f.Across(Z[i - 1]) || std::abs(f.Along(Z[i - 2]) - f.Along(Z[i - 1])) == f.alongStep) &&
         C[i] == 'f' && C[i - 1] == 'b';
}

// The contour has a one-cell tooth at offset index t.
bool ToothAt(int J, const PointArray& VERTEX, const PointArray& VERTEX0, int t) {
  int alternative = 0;
  return ToothCorner(J, VERTEX, VERTEX0, t, alternative);
}

}  // namespace

TipVerdict TipBand(double difference) {
  if (difference < -0.000001) return TipVerdict::KeepTip;
  if (difference > 0.000001) return TipVerdict::TakeAlternative;
  if (difference > -0.000001 && difference < 0.000001) return TipVerdict::Tie;
  return TipVerdict::Unchanged;
}

TipVerdict TipRouteVerdict(float tipRoute, float altRoute) {
  // The difference of two floats is exact in double precision.
  return TipBand(static_cast<double>(tipRoute) - static_cast<double>(altRoute));
}

void ToothTipChoice(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                    TagArray& C, int Xgrid, int Ygrid) {
  const auto V = [&](int k) { return PointAt(VERTEX, J, k); };
  const auto O = [&](int k) { return PointAt(VERTEX0, J, k); };
  for (int i = 0; i <= W - 2; ++i) {
    Form f = VerticalForm(Xgrid, Ygrid);
    if (!ToothTipEntry(f, Z[i], Z[i + 1], Z[i + 2], O(I[i + 1] + 1))) {
      f = HorizontalForm(Xgrid, Ygrid);
      if (!ToothTipEntry(f, Z[i], Z[i + 1], Z[i + 2], O(I[i + 1] + 1))) continue;
    }

    // Back-step merge: Z[i] joins Z[i-1] on its offset corner.
    if (i >= 1) {
      const int m = I[i - 1];
      if (Same(O(m), Z[i - 1]) && Same(O(m - 1), Z[i]) && C[i] != 'r' && Same(O(I[i] + 1), O(m))) {
        Z[i] = Z[i - 1];
        I[i] = m;
        C[i] = 'c';
      }
    }

    // Block test.
    if ((Same(O(I[i + 1]), V(I[i + 1] + 2)) && FunGeAngle2(Z[i], Z[i + 1], Z[i + 2]) == -1) ||
        (C[i] == 'b' && Z[i].x != Z[i + 1].x && Z[i].y != Z[i + 1].y))
      continue;

    // The vertex after the tip; cases 2 and 3 need a point after it.
    const int m2 = I[i + 2];
    const bool after = i + 3 <= W;
    if (Same(O(m2 - 2), Z[i + 2]) && Same(O(m2 - 1), Z[i + 1])) {
      I[i + 2] = m2 - 2;
      if (C[i + 2] != 'r') C[i + 2] = 'c';
    } else if (after && Same(O(m2 - 1), V(m2 + 1))) {
      if (f.Across(Z[i + 2]) != f.Across(Z[i + 3])) {
        C[i + 2] = 'c';
        continue;
      }
      Z[i + 2] = *O(m2 - 1);
      I[i + 2] = m2 - 1;
      C[i + 2] = 'c';
    } else if (after && Same(O(I[i + 3] - 2), Z[i + 3]) && Same(O(I[i + 3] - 1), Z[i + 2]) && C[i + 2] != 'r') {
      const int m3 = I[i + 3];
      Z[i + 2] = *O(m3 - 2);
      I[i + 2] = m3 - 2;
      C[i + 2] = 'c';
    } else {
      continue;
    }

    // Tip or alternative corner.
    const bool qBefore = f.Across(Z[i + 1]) == f.Across(Z[i]);
    const int qIndex = qBefore ? I[i + 1] - 1 : I[i + 1] + 1;
    const Opt Q = O(qIndex);
    if (!Q) continue;
    const float tipRoute = static_cast<float>(Distance(Z[i], Z[i + 1]) + Distance(Z[i + 1], Z[i + 2]));
    const float altRoute = static_cast<float>(Distance(Z[i], *Q) + Distance(*Q, Z[i + 2]));
    bool move = false;
    switch (TipRouteVerdict(tipRoute, altRoute)) {
      case TipVerdict::KeepTip:
        C[i + 1] = 'f';
        break;
      case TipVerdict::TakeAlternative:
        move = true;
        break;
      case TipVerdict::Tie:
        if (qBefore) {
          if (f.vertical)
            move = true;
          else
            C[i + 1] = 'f';
        } else {
          const int k = (i >= 1 && Z[i - 1] == Z[i]) ? i - 2 : i - 1;
          move = k <= 0 || FunGeAngle2(Z[k], Z[i], *Q) == -1;
        }
        break;
      case TipVerdict::Unchanged:
        break;
    }
    if (move) {
      Z[i + 1] = *Q;
      I[i + 1] = qIndex;
      C[i + 1] = 'f';
    }
  }
}

void TipShortcut(int J, int W, const PointArray& /*VERTEX*/, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                 TagArray& C, int Xgrid, int Ygrid) {
  for (int i = 2; i <= W - 1; ++i) {
    if (!TipShortcutEntry(VerticalForm(Xgrid, Ygrid), Z, C, i) &&
        !TipShortcutEntry(HorizontalForm(Xgrid, Ygrid), Z, C, i))
      continue;
    const Opt P = PointAt(VERTEX0, J, I[i] - 1);
    if (!P || FunGeAngle2(*P, Z[i - 1], Z[i - 2]) != 1) continue;
    const float twoEdges = static_cast<float>(Distance(Z[i - 2], Z[i - 1]) + Distance(Z[i - 1], Z[i]));
    const float threeEdges = static_cast<float>(static_cast<double>(twoEdges) + Distance(Z[i], Z[i + 1]));
    const float shortcut = static_cast<float>(Distance(Z[i - 2], *P) + Distance(*P, Z[i + 1]));
    if (threeEdges > shortcut) {
      Z[i] = *P;
      I[i] = I[i] - 1;
    }
  }
}

void CornerPairShift(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                     TagArray& C) {
  for (int i = 2; i <= W - 1; ++i) {
    if (C[i] != 'c' || C[i - 1] != 'r' || FunGeAngle2(Z[i - 2], Z[i - 1], Z[i]) != -1) continue;
    const int m = I[i];
    const Opt Q = PointAt(VERTEX0, J, m + 1);
    const Opt R = PointAt(VERTEX0, J, m + 3);
    if (!Q || !R || FunGeAngle2(Z[i - 2], Z[i - 1], *Q) != 1) continue;
    const bool onRow = R->y == Z[i].y && R->y == Z[i + 1].y;
    const bool onColumn = R->x == Z[i].x && R->x == Z[i + 1].x;
    if (!(onRow || onColumn) || !Same(PointAt(VERTEX, J, m - 1), Q)) continue;
    Z[i - 1] = *Q;
    I[i - 1] = m + 1;
    Z[i] = *R;
    I[i] = m + 3;
  }
}

void ObliquePullBack(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                     TagArray& C, int Xgrid, int Ygrid) {
  for (int i = 1; i <= W - 2; ++i) {
    const Point a = Z[i - 1];
    const Point b = Z[i];
    const Point c = Z[i + 1];
    if (!(std::abs(a.x - b.x) > Xgrid && std::abs(a.y - b.y) > Ygrid)) continue;
    if (!((b.x == c.x && std::abs(b.y - c.y) == Ygrid) || (b.y == c.y && std::abs(b.x - c.x) == Xgrid))) continue;
    const Opt back = PointAt(VERTEX0, J, I[i] - 3);
    if (!Same(back, PointAt(VERTEX, J, I[i] - 5)) || FunGeAngle2(a, b, c) != -1) continue;
    Z[i] = *back;
    I[i] = I[i] - 3;
    C[i] = 'f';
    C[i + 1] = 'f';
  }
}

void ClosingEndMark(int W, const PointArray& Z, TagArray& C) {
  if (W <= 2) return;
  if (FunGeAngle2(Z[W - 1], Z[W], Z[1]) != 1) return;
  if (C[W - 1] != 'r' && C[W - 1] != 'c') return;
  if (Z[W - 2].x != Z[W - 3].x && Z[W - 2].y != Z[W - 3].y) return;
  if (Z[W - 1].x == Z[1].x && Z[W].y == Z[1].y) return;
  if (Z[W - 1].y == Z[1].y && Z[W].x == Z[1].x) return;
  C[W - 1] = 'g';
}

void ToothGroup(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                TagArray& C, int Xgrid, int Ygrid) {
  ToothTipChoice(J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid);
  TipShortcut(J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid);
  CornerPairShift(J, W, VERTEX, VERTEX0, Z, I, C);
  ObliquePullBack(J, W, VERTEX, VERTEX0, Z, I, C, Xgrid, Ygrid);
  ClosingEndMark(W, Z, C);
}

void ClosingPairCollapse(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z,
                         IntArray& I, TagArray& C) {
  if (W <= 2 || Z[W] == Z[0]) return;
  if (Z[W - 1].x != Z[W].x && Z[W - 1].y != Z[W].y) return;
  const auto V = [&](int k) { return PointAt(VERTEX, J, k); };
  const auto O = [&](int k) { return PointAt(VERTEX0, J, k); };
  const int m = I[W - 2];
  const int m1 = I[W - 1];
  const Opt last2 = Z[W - 2];
  const Opt last1 = Z[W - 1];
  if (!Same(last2, O(m)) || !Same(last2, V(m - 2))) return;
  if (!Same(last1, O(m1)) || !Same(last1, V(m1 - 2))) return;
  if (!Same(O(m - 1), V(m + 1)) || FunGeAngle2(Z[W - 3], Z[W - 2], Z[W - 1]) != -1) return;
  Z[W - 2] = Z[W - 1] = *O(m - 1);
  I[W - 2] = I[W - 1] = m - 1;
  C[W - 2] = C[W - 1] = 'g';
}

void StartDuplicateMark(int W, const PointArray& Z, TagArray& C) {
  if (W > 2 && !(Z[W] == Z[0]) && Z[1] == Z[0] && IsFC(C[2])) C[2] = 'g';
}

void ReturnPointMark(int W, const PointArray& Z, TagArray& C) {
  for (int i = 2; i <= W; ++i)
    if (Z[i] == Z[i - 2]) C[i] = 'f';
}

void StraightRunFlattening(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z,
                           IntArray& I, TagArray& C) {
  for (int i = 2; i <= W - 2; ++i) {
    if (!IsFC(C[i]) || !ToothAt(J, VERTEX, VERTEX0, I[i])) continue;
    const Point p = Z[i];
    if (p.x == Z[i - 1].x || p.y == Z[i - 1].y || p.x == Z[i + 1].x || p.y == Z[i + 1].y) continue;
    // Length of the straight run that ends with Z[i-1], Z[i].
    int n = 1;
    for (int r = 2; r <= i && FunGeAngle2(Z[i - r], Z[i - 1], Z[i]) == -2; ++r) n = r;
    for (int q = i - n + 1; q <= i - 1; ++q) {
      Z[q] = Z[i - n];
      I[q] = I[i - n];
      C[q] = C[i - n];
    }
  }
}

void ClosingGroup(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                  TagArray& C, int /*Xgrid*/, int /*Ygrid*/) {
  ClosingPairCollapse(J, W, VERTEX, VERTEX0, Z, I, C);
  StartDuplicateMark(W, Z, C);
  ReturnPointMark(W, Z, C);
  StraightRunFlattening(J, W, VERTEX, VERTEX0, Z, I, C);
}

}  // namespace korvane
