// The later phases of the forward pass: tooth group, pike pairs, closing group.
#pragma once

#include <cstdint>

#include "editor/types.h"

namespace korvane {

// Tooth-tip choice, tip shortcut, corner-pair shift, oblique-approach
// pull-back, closing-end mark.
void ToothGroup(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                TagArray& C, int Xgrid, int Ygrid);

// Pike pairs, closing pike pair, pike re-pulling (sets a new W).
void PikeGroup(int J, int& W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
               IntArray& K, TagArray& C, int Xgrid, int Ygrid);

// Closing-pair collapse, start-duplicate mark, return-point mark,
// straight-run flattening.
void ClosingGroup(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                  TagArray& C, int Xgrid, int Ygrid);

// The single steps of the three groups, in the order the groups run them.
// Lookups of VERTEX and VERTEX0 outside 0..J find no point, and a condition
// that needs a missing point fails.
void ToothTipChoice(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                    TagArray& C, int Xgrid, int Ygrid);
void TipShortcut(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                 TagArray& C, int Xgrid, int Ygrid);
void CornerPairShift(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                     TagArray& C);
void ObliquePullBack(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                     TagArray& C, int Xgrid, int Ygrid);
void ClosingEndMark(int W, const PointArray& Z, TagArray& C);

void PikePairs(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
               TagArray& C, int Xgrid, int Ygrid);
void ClosingPikePair(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z, IntArray& I,
                     TagArray& C);
// Rebuilds the polygon around every pair tagged 'F' and turns each 'F' into
// 'f'; K ends up equal to I over the new 0..W.
void PikeRepull(int& W, const PointArray& VERTEX0, PointArray& Z, IntArray& I, IntArray& K, TagArray& C);

// Append to U/K/E the taut chain along the offset contour from the last entry
// of U to the first pike vertex Z[k] (ToPike), or from the second pike vertex
// Z[k] to Z[k+1] (FromPike); j is the last index of U.
int Strain_ToPike(int k, const PointArray& Z, const IntArray& I, const TagArray& C, const PointArray& VERTEX0,
                  PointArray& U, IntArray& K, TagArray& E, int& j);
int Strain_FromPike(int k, const PointArray& Z, const IntArray& I, const TagArray& C, const PointArray& VERTEX0,
                    PointArray& U, IntArray& K, TagArray& E, int& j);

void ClosingPairCollapse(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z,
                         IntArray& I, TagArray& C);
void StartDuplicateMark(int W, const PointArray& Z, TagArray& C);
void ReturnPointMark(int W, const PointArray& Z, TagArray& C);
void StraightRunFlattening(int J, int W, const PointArray& VERTEX, const PointArray& VERTEX0, PointArray& Z,
                           IntArray& I, TagArray& C);

// Outcome of comparing the route over a tooth tip with the route over its
// alternative corner.
enum class TipVerdict { KeepTip, TakeAlternative, Tie, Unchanged };
// From the difference tip route minus alternative route.
TipVerdict TipBand(double difference);
// From the two routes as stored in single precision.
TipVerdict TipRouteVerdict(float tipRoute, float altRoute);

// Shared by the corrections: which coordinate a test reads. In the vertical
// form a tip sticks out in y (its extremum coordinate) and its neighbours
// are compared in x; the horizontal form exchanges the two.
struct Form {
  bool vertical;
  int acrossStep;  // lattice step in the compared coordinate
  int alongStep;   // lattice step in the extremum coordinate
  int Along(const Point& p) const { return vertical ? p.y : p.x; }
  int Across(const Point& p) const { return vertical ? p.x : p.y; }
};
inline Form VerticalForm(int Xgrid, int Ygrid) { return Form{true, Xgrid, Ygrid}; }
inline Form HorizontalForm(int Xgrid, int Ygrid) { return Form{false, Ygrid, Xgrid}; }

// b lies strictly beyond both a and c.
inline bool StrictExtremum(int a, int b, int c) {
  return static_cast<std::int64_t>(b - a) * static_cast<std::int64_t>(b - c) > 0;
}

inline bool IsFC(char tag) { return tag == 'f' || tag == 'c'; }

}  // namespace korvane
