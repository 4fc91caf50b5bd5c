// The construction passes after the drawing loop: each pass normalises the
// contour for its rotation, builds the offset contour and the polygon, shows
// them and waits for a key; passes 0 and 1 go to the drawing file.
#include "editor/pass_driver.h"

#include <cstdio>

#include "bgi/bgi.h"
#include "editor/backward.h"
#include "editor/corridor.h"
#include "editor/display.h"
#include "editor/drawing_file.h"
#include "editor/forward.h"
#include "editor/geometry.h"
#include "editor/normalise.h"
#include "editor/tooth.h"

namespace korvane {

namespace {

constexpr const char* kTangled = " Tu si sa priplietol ? ? ";
constexpr const char* kReachedHere = " A\xC5\xBE sem si pri\xC5\xA1iel ? ";
constexpr const char* kTooLarge = " The polygon is too large to be built. \n";

bool Closed(const PointArray& VERTEX, int J) { return VERTEX[0] == VERTEX[J]; }

// Pulls the chain WERTEX[0..L] (source indices in K) taut into U and P:
// right turns and straight runs stay, left turns and reversals go. Returns
// the last index of the taut chain.
int PullTaut(const PointArray& WERTEX, const IntArray& Ksrc, int L, PointArray& U,
             Fixed<std::int16_t, kCapacity>& P) {
  U[0] = WERTEX[0];
  P[0] = static_cast<std::int16_t>(Ksrc[0]);
  U[1] = WERTEX[1];
  P[1] = static_cast<std::int16_t>(Ksrc[1]);
  int j = 1;
  for (int k = 2; k <= L; ++k) {
    const Point Q = WERTEX[k];
    while (j > 0) {
      const int turn = FunGeAngle2(U[j - 1], U[j], Q);
      if (turn != 2 && turn != -1) break;
      --j;
    }
    ++j;
    U[j] = Q;
    P[j] = static_cast<std::int16_t>(Ksrc[k]);
  }
  return j;
}

}  // namespace

// The counter-clockwise pass of a closed contour builds its polygon from the
// offset start; this mends the polygon's junction at the real start.
void StartFixUp(int J, const PointArray& VERTEX, PassArrays& a) {
  PointArray& Z = a.Z;
  IntArray& I = a.I;
  TagArray& C = a.C;
  int& W = a.W;
  const auto z = [&](int i) { return PointAt(Z, W, i); };

  const auto z0 = z(0);
  const auto z1 = z(1);
  const bool caseA = Same(z1, PointAt(a.VERTEX0, J, 1)) && z0 &&
                     ((z1->x == z0->x && z1->y < z0->y) || (z1->y == z0->y && z1->x < z0->x));
  if (caseA) {
    const auto zLast = z(W - 1);
    if (zLast && FunGeAngle2(*zLast, *z1, *z0) == -1) {
      Z[1] = Z[0];
      C[1] = 'r';
      I[1] = I[0];
      std::puts(kTangled);
    }
    return;
  }

  std::puts(kReachedHere);
  const auto zLast = z(W - 1);
  if (!zLast || !z0 || !z1 || FunGeAngle2(*zLast, *z0, *z1) != 1) return;
  // The chain needs real contour indices at both ends.
  if (I[W - 1] < 0 || I[W - 1] > J || I[1] < 0 || I[1] > J) return;

  int ind1 = I[W - 1];
  if (Same(PointAt(a.VERTEX0, J, ind1), PointAt(VERTEX, J, ind1 + 2))) ind1 += 2;
  int ind2 = I[1];
  if (Same(PointAt(a.VERTEX0, J, I[1]), PointAt(VERTEX, J, I[1] - 2))) ind2 = I[1] - 2;

  PointArray& WERTEX = a.WERTEX;
  IntArray& Kc = a.K;
  int L = 0;
  WERTEX[0] = Z[W - 1];
  Kc[0] = ind1;
  for (int m = ind1 + 1; m <= J; ++m) {
    ++L;
    WERTEX[L] = VERTEX[m];
    Kc[L] = m;
  }
  for (int m = 1; m <= ind2 - 1; ++m) {
    ++L;
    WERTEX[L] = VERTEX[m];
    Kc[L] = m;
  }
  ++L;
  WERTEX[L] = Z[1];
  Kc[L] = ind2;

  const int j = PullTaut(WERTEX, Kc, L, a.U, a.P);

  for (int k = 1; k <= W - 1; ++k) {
    Z[k - 1] = Z[k];
    I[k - 1] = I[k];
    C[k - 1] = C[k];
  }
  if (j == 1) {
    Z[W - 1] = Z[0];
    I[W - 1] = I[0];
    C[W - 1] = C[0];
    W = W - 1;
  } else {
    for (int k = 1; k <= j; ++k) {
      Z[W - 2 + k] = a.U[k];
      I[W - 2 + k] = a.P[k];
      C[W - 2 + k] = 'b';
    }
    C[W - 2 + j] = C[0];
    W = W - 2 + j;
  }
}

void ConstructPass(int J, PointArray& VERTEX, PassArrays& a, int Turner) {
  Rotation('@', J, VERTEX, Xconst, Turner);
  if (Closed(VERTEX, J) && Turner == 1) RotAdjust('@', J, VERTEX, Xgrid, Ygrid);
  InputCircuit(VERTEX, J, CrossArm);
  Corridor('@', J, VERTEX, a.VERTEX0, a.H, Xgrid, Ygrid, Xconst, Turner);

  // The counter-clockwise pass of a closed contour runs on the offset start.
  const bool offsetStart = Closed(VERTEX, J) && Turner == 1;
  Point savedStart;
  if (offsetStart) {
    savedStart = VERTEX[0];
    VERTEX[0] = VERTEX[J] = a.VERTEX0[0];
  }
  ForwardPhase('@', J, a.W, VERTEX, a.VERTEX0, a.H, a.Z, a.I, a.K, a.C, Xgrid, Ygrid, Turner);
  if (offsetStart) {
    VERTEX[0] = VERTEX[J] = savedStart;
    StartFixUp(J, VERTEX, a);
  }

  BackwardTransform('@', J, a.W, VERTEX, a.VERTEX0, a.Z, a.I, a.C);
  ConcaveAngleExam('@', a.Iter, J, a.W, a.VERTEX0, a.Z, a.I, a.C, a.U, a.K, a.E, a.WW);
  RepairVertex('@', J, Xgrid, Ygrid, a.WW, VERTEX, a.VERTEX0, a.U, a.K, a.E, a.Z, a.I, a.C, a.W);
  a.Iter = 1;
  while (a.Iter == 1) {
    a.Iter = 0;
    ConcaveAngleExam('@', a.Iter, J, a.W, a.VERTEX0, a.Z, a.I, a.C, a.U, a.K, a.E, a.WW);
    for (int k = 0; k <= a.WW; ++k) {
      a.Z[k] = a.U[k];
      a.I[k] = a.K[k];
      a.C[k] = a.E[k];
    }
    a.W = a.WW;
  }
  ConvexAngleExam('@', J, a.W, VERTEX, a.Z, a.I, a.C, a.U, a.K, a.E, a.WW);
  if (a.W > 1) MinNumVert('@', J, a.WW, a.U, a.K, a.E, a.Z, a.I, a.C, a.W);
}

namespace {

// Corridor walls, the blinking polygon and its overlaps; returns the key
// that ends the display, after erasing the picture.
char Display(int J, const PointArray& VERTEX, PassArrays& a) {
  setlinestyle(0, 1, 1);
  setcolor(11);
  Polyline(a.VERTEX0, J);
  setlinestyle(0, 1, 1);
  setcolor(15);
  Polyline(VERTEX, J);
  FinalDrawing(a.Z, a.W, WiperDelay);
  EdgeSharing(a.Z, a.W, Xconst);
  const char t = static_cast<char>(getch());
  setlinestyle(0, 1, 2);
  setcolor(0);
  Polyline(a.Z, a.W);
  Polyline(a.VERTEX0, J);
  Polyline(VERTEX, J);
  return t;
}

// A polygon that does not fit the arrays: say so, wait for a key, stop.
void TooLarge() {
  settextstyle(8, 0, 3);
  setcolor(12);
  outtextxy(xtext + 50, ytext, kTooLarge);
  getch();
}

}  // namespace

int PassDriver(int& J, PointArray& VERTEX, PassArrays& a) {
  char t = '@';
  int Turner = 0;
  int blick = 0;
  try {
    if (J > 1) VertexContour(J, VERTEX);
    while (t == '@' && J > 0) {
      ConstructPass(J, VERTEX, a, Turner);
      t = Display(J, VERTEX, a);
      if (blick == 0 || blick == 1) {
        Rotation(t, J, VERTEX, Xconst, Turner);
        Corridor(t, J, VERTEX, a.VERTEX0, a.H, Xgrid, Ygrid, Xconst, Turner);
        WritePolToFile(VERTEX, a.VERTEX0, a.Z, a.C, J, J, a.W, blick);
      }
      ++blick;
      Turner = (Turner + 1) % 2;
    }
  } catch (const CapacityExceeded&) {
    TooLarge();
  }
  return 0;
}

}  // namespace korvane
