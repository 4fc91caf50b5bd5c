// The pass driver: the start fix-up of the counter-clockwise pass, whole
// editor sessions to the drawing file, and the taut polygon of whole passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <queue>
#include <random>
#include <string>
#include <vector>

#include "editor/pass_driver.h"
#include "tests/support/polygon_text.h"
#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;
using korvane::PassArrays, korvane::Point, korvane::PointArray;

const std::string kTangled = " Tu si sa priplietol ? ? \n";
const std::string kReached = " A\xC5\xBE sem si pri\xC5\xA1iel ? \n";

using km_test::P;

// Case A on one square, case B on another whose offset corners lie on no contour vertex unless a case says
// otherwise. No expected polygon: unchanged.
TEST(StartFixUp, MendsTheJunctionAtTheRealStart) {
  const std::string A = "100,100 100,40 40,40 40,100 100,100", B = "100,0 100,100 0,100 0,0 100,0";
  const std::string offsetA = "112,112 100,88 28,28 28,112 112,112", apart = "500,500 510,500 520,500 530,500 500,500";
  struct Case { std::string V, V0, in, out, line; };
  const std::vector<Case> cases = {
      // (112,88) -> (100,88) -> (100,100) turns left: the second vertex folds onto the first.
      {A, offsetA, "100,100,0,b 100,88,1,r 112,88,2,r 100,100,0,b", "100,100,0,b 100,100,0,r 112,88,2,r 100,100,0,b",
       kTangled},
      {A, "112,112 88,100 28,28 28,112 112,112", "100,100,3,c 88,100,1,r 88,88,2,b 100,100,3,c",
       "100,100,3,c 100,100,3,r 88,88,2,b 100,100,3,c", kTangled},
      {A, offsetA, "100,100,0,b 100,88,1,r 88,88,2,r 100,100,0,b", "", ""},
      // Chain (0,0) [3], (100,0) [4], (100,100) [1], (0,100) [2]: two right turns, kept.
      {B, apart, "50,50,0,b 0,100,2,r 10,110,7,c 0,0,3,b 50,50,0,b",
       "0,100,2,r 10,110,7,c 0,0,3,b 100,0,4,b 100,100,1,b 0,100,2,r", kReached},
      // VERTEX0[1] on VERTEX[3], VERTEX0[4] on VERTEX[2]: the chain runs from 3 to 2 as above.
      {B, "500,500 0,0 520,500 530,500 0,100", "50,50,0,b 0,100,4,r 10,110,7,c 0,0,1,b 50,50,0,b",
       "0,100,4,r 10,110,7,c 0,0,1,b 100,0,4,b 100,100,1,b 0,100,2,r", kReached},
      // Chain (200,50) [3], (100,0) [4], (100,100) [1], (100,200) [2]: both inner vertices go.
      {B, apart, "200,200,0,b 100,200,2,r 200,50,3,c 200,200,0,b", "100,200,2,r 200,50,3,c 100,200,2,r", kReached},
      // I[1] = 1: VERTEX[-1] does not exist, so the chain is (0,0) (100,0) (100,100).
      {B, "500,500 100,0 520,500 530,500 500,500", "90,20,0,b 100,100,1,r 10,110,7,c 0,0,3,b 90,20,0,b",
       "100,100,1,r 10,110,7,c 0,0,3,b 100,0,4,b 100,100,1,r", kReached},
      {B, apart, "-50,50,0,b 0,100,2,r 10,110,7,c 0,0,3,b -50,50,0,b", "", kReached},  // a left turn
      // No re-routing without source indices at the chain's ends.
      {B, apart, "50,50,0,b 0,100,2,r 10,110,7,c 0,0,-1,r 50,50,0,b", "", kReached},
      {B, apart, "50,50,0,b 0,100,-1,r 10,110,7,c 0,0,3,r 50,50,0,b", "", kReached},
  };
  for (const Case& c : cases) {
    const PointArray V = km_test::Points(c.V);
    PassArrays a;
    a.VERTEX0 = km_test::Points(c.V0);
    const km_test::Set in = km_test::Make(c.in);
    a.Z = in.P, a.I = in.I, a.C = in.C, a.W = in.last;
    testing::internal::CaptureStdout();
    korvane::StartFixUp(4, V, a);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line) << c.in;
    EXPECT_EQ(km_test::Dump({a.Z, a.I, a.C}, a.W), c.out.empty() ? c.in : c.out) << c.in;
  }
}

// Whole editor sessions; the drawing file, or "" when none was written.
std::pair<km_test::Session, std::string> Korvane(const std::string& name, const std::string& keys) {
  const fs::path dir = km_test::FreshDir(name);
  const km_test::Session s = km_test::RunSession(km_test::Program::Korvane, keys, dir);
  return {s, fs::exists(dir / "DataMyDrawing.txt") ? km_test::ReadFile(dir / "DataMyDrawing.txt") : ""};
}

// The square drawn from (950, 500) three cells right, down, left and up, as
// in the recorded session square-two-rotations; Enter after pass 1 writes its
// offset contour in the backward order. (A third pass and another key after
// pass 0 are pinned by the sessions closed-1 and closed-3.)
TEST(PassSessions, EnterAfterPassOneWritesTheBackwardOffsetContour) {
  const std::string both = km_test::ReadFile(km_test::GoldenDir() / "square-two-rotations.txt");
  EXPECT_EQ(Korvane("enter-after-1", "*nrrrdddllluuu@\r").second,
            both.substr(0, both.find("\n4\n974")) +
                "\n4\n974 , 512 , 974 , 524 , 962 , 524 , 962 , 512 , 974 , 512 , \n\n"
                "\n4\n974 , 512 , 974 , 524 , 962 , 524 , 962 , 512 , 974 , 512 , \n\n\n4\nb , r , r , r , r , \n");
}

// A contour beyond the arrays' capacity: the message, one key, the end; the
// drawing file keeps what it held.
TEST(PassSessions, PolygonTooLargeIsReportedAndEndsTheEditor) {
  const fs::path dir = km_test::FreshDir("too-large");
  km_test::WriteFile(dir / "DataMyDrawing.txt", "earlier pass");
  static PointArray big;
  static PassArrays a;
  for (int i = 0; i < korvane::kCapacity; ++i) big[i] = P(100 + 12 * ((i + 1) / 2), 100 + 12 * (i / 2));
  int J = korvane::kCapacity, result = -1;  // one point more than the arrays hold
  EXPECT_EQ(km_test::RunBody([&] { result = korvane::PassDriver(J, big, a); }, "q@", dir).trace,
            "settextstyle 8 0 3\nsetcolor 12\nouttextxy 62 12 \" The polygon is too large to be built. \\n\"\n"
            "getch 113\n");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), "earlier pass");
}

// Worked contours, both rotations written after '@' and 'q' (the notch's clockwise one after 'q'). Clockwise the
// L's polygon cuts its inner corner at the offset corner, counter-clockwise it bends at the inner corner. The
// flat rectangle's inset offset contour turns inside out and its polygon shrinks to a there-and-back whose end
// is a return point. The notch's later offset corner is taken on a tie and its 'f' repaired into 'c'.
// Counter-clockwise the notched U and the plus of one-cell arms leave a corridor without a hole: the U's polygon
// runs out and back through the notch's sides, the plus's shrinks to a there-and-back across the centre cell.
TEST(WorkedContours, BothRotationsWritten) {
  struct Case { std::string what, keys, file, out; };
  const std::string notch0 =
      "\n8\n986 , 536 , 950 , 536 , 950 , 500 , 962 , 500 , 962 , 524 , \n"
      "974 , 524 , 974 , 500 , 986 , 500 , 986 , 536 , \n"
      "\n8\n998 , 548 , 938 , 548 , 938 , 488 , 974 , 488 , 974 , 512 , \n"
      "962 , 512 , 962 , 488 , 998 , 488 , 998 , 548 , \n"
      "\n7\n986 , 536 , 986 , 500 , 974 , 500 , 962 , 512 , 962 , 500 , \n950 , 500 , 950 , 536 , 986 , 536 , \n"
      "\n7\nb , b , b , c , b , b , b , b , \n";
  const std::vector<Case> cases = {
      {"L", "*nrrrrrrdddlllddd" "llluuuuuu@q",
       "\n6\n1022 , 536 , 986 , 536 , 986 , 572 , 950 , 572 , 950 , 500 , \n1022 , 500 , 1022 , 536 , \n"
       "\n6\n1034 , 548 , 998 , 548 , 998 , 584 , 938 , 584 , 938 , 488 , \n1034 , 488 , 1034 , 548 , \n"
       "\n6\n1022 , 536 , 1022 , 500 , 950 , 500 , 950 , 572 , 986 , 572 , \n998 , 548 , 1022 , 536 , \n"
       "\n6\nb , b , b , b , b , r , b , \n"
       "\n6\n1010 , 524 , 1010 , 512 , 962 , 512 , 962 , 560 , 974 , 560 , \n974 , 524 , 1010 , 524 , \n"
       "\n6\n1010 , 512 , 1010 , 524 , 986 , 536 , 974 , 560 , 962 , 560 , \n962 , 512 , 1010 , 512 , \n"
       "\n6\nb , r , b , r , r , r , r , \n", ""},
      {"rectangle one step tall", "*nrrrdlllu@q",
       "\n4\n986 , 512 , 950 , 512 , 950 , 500 , 986 , 500 , 986 , 512 , \n\n"
       "\n4\n998 , 524 , 938 , 524 , 938 , 488 , 998 , 488 , 998 , 524 , \n\n"
       "\n4\n986 , 512 , 986 , 500 , 950 , 500 , 950 , 512 , 986 , 512 , \n\n\n4\nb , b , b , b , b , \n"
       "\n4\n974 , 500 , 974 , 512 , 962 , 512 , 962 , 500 , 974 , 500 , \n\n"
       "\n2\n974 , 512 , 962 , 512 , 974 , 512 , \n\n2\nf , r , r , \n", ""},
      {"U with a one-cell notch", "*nrddruurdddllluuuq", notch0, ""},
      {"U with a one-cell notch, both rotations", "*nrddruurdddllluuu@q",
       notch0 + "\n8\n974 , 524 , 974 , 512 , 986 , 512 , 986 , 536 , 950 , 536 , \n"
                "950 , 512 , 962 , 512 , 962 , 524 , 974 , 524 , \n"
                "\n6\n962 , 524 , 962 , 512 , 962 , 524 , 974 , 524 , 974 , 512 , \n974 , 524 , 962 , 524 , \n"
                "\n6\nf , f , b , c , c , r , r , \n",
       kReached},
      {"plus of one-cell arms", "*nrdrdldluluru@q",
       "\n12\n974 , 524 , 962 , 524 , 962 , 536 , 950 , 536 , 950 , 524 , \n"
       "938 , 524 , 938 , 512 , 950 , 512 , 950 , 500 , 962 , 500 , \n962 , 512 , 974 , 512 , 974 , 524 , \n"
       "\n12\n986 , 536 , 974 , 536 , 974 , 548 , 938 , 548 , 938 , 536 , \n"
       "926 , 536 , 926 , 500 , 938 , 500 , 938 , 488 , 974 , 488 , \n974 , 500 , 986 , 500 , 986 , 536 , \n"
       "\n8\n974 , 524 , 974 , 512 , 962 , 500 , 950 , 500 , 938 , 512 , \n"
       "938 , 524 , 950 , 536 , 962 , 536 , 974 , 524 , \n\n8\nb , b , b , b , b , b , b , b , b , \n"
       "\n12\n962 , 524 , 962 , 524 , 950 , 524 , 950 , 512 , 962 , 512 , \n"
       "962 , 524 , 950 , 524 , 950 , 512 , 962 , 512 , 962 , 524 , \n950 , 524 , 950 , 512 , 974 , 512 , \n"
       "\n2\n962 , 524 , 950 , 512 , 962 , 524 , \n\n2\nf , f , r , \n",
       kReached},
      {"staircase", "*nrrrdddrrrdddrrrddd" "lllllllll" "uuuuuuuuu@q",
       "\n8\n1058 , 608 , 950 , 608 , 950 , 500 , 986 , 500 , 986 , 536 , \n"
       "1022 , 536 , 1022 , 572 , 1058 , 572 , 1058 , 608 , \n"
       "\n8\n1070 , 620 , 938 , 620 , 938 , 488 , 998 , 488 , 998 , 524 , \n"
       "1034 , 524 , 1034 , 560 , 1070 , 560 , 1070 , 620 , \n"
       "\n8\n1058 , 608 , 1058 , 572 , 1034 , 560 , 1022 , 536 , 998 , 524 , \n"
       "986 , 500 , 950 , 500 , 950 , 608 , 1058 , 608 , \n\n8\nb , b , r , b , r , b , b , b , b , \n"
       "\n8\n1046 , 596 , 1046 , 584 , 1010 , 584 , 1010 , 548 , 974 , 548 , \n"
       "974 , 512 , 962 , 512 , 962 , 596 , 1046 , 596 , \n"
       "\n8\n1046 , 584 , 1046 , 596 , 962 , 596 , 962 , 512 , 974 , 512 , \n"
       "986 , 536 , 1010 , 548 , 1022 , 572 , 1046 , 584 , \n\n8\nb , r , r , r , r , b , r , b , r , \n",
       kReached},
  };
  for (const Case& c : cases) {
    const auto [session, file] = Korvane("worked-" + c.what, c.keys);
    EXPECT_EQ(file, c.file) << c.what;
    EXPECT_EQ(session.out, c.out) << c.what;
  }
}

// Whole passes on random simply connected unions of 4 x 4-cell blocks, whose corridor never touches itself:
// each pass's polygon lies in the corridor, goes once around the hole and is as short as the shortest such path.
constexpr int kGW = 7, kGH = 5, kFW = kGW * 4 + 4, kFH = kGH * 4 + 4;  // blocks; cells with a margin of 2
constexpr int kOrigin = 120, kCellOrigin = kOrigin - 24;                // pixels of block and cell (0, 0)
using Blocks = std::array<std::array<bool, kGH + 2>, kGW + 2>;          // blocks with an empty rim
using Cells = std::array<std::array<bool, kFH>, kFW>;
bool CellAt(const Cells& c, int i, int j) { return i >= 0 && j >= 0 && i < kFW && j < kFH && c[i][j]; }
double Length(Point p, Point q) { return std::hypot(p.x - q.x, p.y - q.y); }

// A random connected union of blocks (rim index 1..kGW) and its outline's corners, clockwise on screen, in V;
// returns the last index of V, or -1 for blocks touching at a corner only or for a hole.
int RandomOutline(std::mt19937& random, Blocks& b, PointArray& V) {
  b = {};
  b[1 + random() % kGW][1 + random() % kGH] = true;
  for (int added = 1, count = 2 + static_cast<int>(random() % 12); added < count;) {
    const int i = 1 + static_cast<int>(random() % kGW), j = 1 + static_cast<int>(random() % kGH);
    if (!b[i][j] && (b[i - 1][j] || b[i + 1][j] || b[i][j - 1] || b[i][j + 1])) b[i][j] = ++added > 0;
  }
  std::map<std::pair<int, int>, std::pair<int, int>> next;  // unit edges with the blocks on their right
  for (int i = 0; i <= kGW; ++i) {
    for (int j = 0; j <= kGH; ++j) {
      if (b[i][j] == b[i + 1][j + 1] && b[i + 1][j] == b[i][j + 1] && b[i][j] != b[i + 1][j]) return -1;
      if (b[i][j] && !b[i][j - 1]) next[{i, j}] = {i + 1, j};
      if (b[i][j] && !b[i + 1][j]) next[{i + 1, j}] = {i + 1, j + 1};
      if (b[i][j] && !b[i][j + 1]) next[{i + 1, j + 1}] = {i, j + 1};
      if (b[i][j] && !b[i - 1][j]) next[{i, j + 1}] = {i, j};
    }
  }
  int J = 0;
  std::size_t edges = 0;
  const auto start = next.begin()->first;
  for (auto before = start, at = next.at(start); !edges || before != start; before = at, at = next.at(at), ++edges) {
    const auto after = next.at(at);
    if (at.first - before.first != after.first - at.first || at.second - before.second != after.second - at.second)
      V[J++] = P(kOrigin + 48 * (at.first - 1), kOrigin + 48 * (at.second - 1));
  }
  std::rotate(&V[0], &V[J - 1], &V[J]);  // start at the outline's first point, a corner
  V[J] = V[0];
  return edges == next.size() ? J : -1;  // a hole's outline is not reached
}

// The corridor's cells: one cell round the blocks (clockwise pass) or the blocks' cells along their outline
// (counter-clockwise); and a cell of the hole.
Cells Corridor(const Blocks& b, int Turner, std::pair<int, int>& hole) {
  const auto in = [&](int i, int j) {
    return i >= 2 && j >= 2 && i < kFW && j < kFH && b[1 + (i - 2) / 4][1 + (j - 2) / 4];
  };
  Cells corridor{};
  for (int i = 0; i < kFW * kFH; ++i) {
    int n = 0;
    for (int d = 0; d < 9; ++d) n += in(i / kFH + d % 3 - 1, i % kFH + d / 3 - 1);
    const bool inside = in(i / kFH, i % kFH);
    corridor[i / kFH][i % kFH] = Turner == 0 ? n > 0 && !inside : inside && n < 9;
    if (inside && (Turner == 0 || n == 9)) hole = {i / kFH, i % kFH};
  }
  return corridor;
}

// The closed segment lies in the closed corridor: its ends and a point between each two crossings of lattice
// lines lie in a cell or on its border.
bool HoldsSegment(const Cells& c, Point p, Point q) {
  const auto holds = [&](double t) {
    const double u = (p.x + t * (q.x - p.x) - kCellOrigin) / 12, v = (p.y + t * (q.y - p.y) - kCellOrigin) / 12;
    const int i0 = static_cast<int>(std::floor(u - 1e-9)), j0 = static_cast<int>(std::floor(v - 1e-9));
    const int i1 = static_cast<int>(std::floor(u + 1e-9)), j1 = static_cast<int>(std::floor(v + 1e-9));
    return CellAt(c, i0, j0) || CellAt(c, i0, j1) || CellAt(c, i1, j0) || CellAt(c, i1, j1);
  };
  std::vector<double> cuts{0.0, 1.0};
  for (int k = -2; k <= kFW + 2; ++k) {
    if (q.x != p.x) cuts.push_back(std::clamp((kCellOrigin + 12.0 * k - p.x) / (q.x - p.x), 0.0, 1.0));
    if (q.y != p.y) cuts.push_back(std::clamp((kCellOrigin + 12.0 * k - p.y) / (q.y - p.y), 0.0, 1.0));
  }
  std::sort(cuts.begin(), cuts.end());
  bool all = holds(0) && holds(1);
  for (std::size_t k = 0; k + 1 < cuts.size(); ++k) all = all && holds((cuts[k] + cuts[k + 1]) / 2);
  return all;
}

// Signed crossing of p -> q with the ray from (rx, ry) to the right.
int Crossing(Point p, Point q, double rx, double ry) {
  if ((p.y < ry) == (q.y < ry) || p.x + (ry - p.y) * (q.x - p.x) / (q.y - p.y) < rx) return 0;
  return q.y > p.y ? 1 : -1;
}

// The shortest closed path in the corridor once around the hole: Dijkstra over the corridor's reflex corners,
// in layers by crossings of the ray.
double ShortestLoop(const Cells& c, double rx, double ry) {
  std::vector<Point> nodes;
  for (int i = 0; i <= kFW; ++i) {
    for (int j = 0; j <= kFH; ++j) {
      const int n = CellAt(c, i - 1, j - 1) + CellAt(c, i, j - 1) + CellAt(c, i - 1, j) + CellAt(c, i, j);
      if (n == 3) nodes.push_back(P(kCellOrigin + 12 * i, kCellOrigin + 12 * j));
    }
  }
  const int n = static_cast<int>(nodes.size()), kLayers = 5;  // crossings -2 .. 2
  std::vector<std::vector<bool>> sees(static_cast<std::size_t>(n));
  for (int v = 0; v < n * n; ++v) sees[v / n].push_back(v / n != v % n && HoldsSegment(c, nodes[v / n], nodes[v % n]));
  double best = std::numeric_limits<double>::infinity();
  for (int s = 0; s < n; ++s) {
    std::vector<double> dist(static_cast<std::size_t>(n * kLayers), std::numeric_limits<double>::infinity());
    std::priority_queue<std::pair<double, int>, std::vector<std::pair<double, int>>, std::greater<>> queue;
    queue.push({dist[s * kLayers + 2] = 0, s * kLayers + 2});
    while (!queue.empty()) {
      const auto [d, at] = queue.top();
      queue.pop();
      for (int v = at / kLayers, w = 0; w < n && d <= dist[at]; ++w) {
        const int layer = at % kLayers + Crossing(nodes[v], nodes[w], rx, ry), to = w * kLayers + layer;
        const double far = d + Length(nodes[v], nodes[w]);
        if (sees[v][w] && layer >= 0 && layer < kLayers && far < dist[to]) queue.push({dist[to] = far, to});
      }
    }
    best = std::min({best, dist[s * kLayers + 1], dist[s * kLayers + 3]});
  }
  return best;
}

TEST(TautPolygon, IsTheShortestClosedPathThroughTheCorridor) {
  std::mt19937 random(7);
  static PointArray V;
  static PassArrays a;
  for (int contour = 1; contour <= 100; ++contour) {
    Blocks blocks;
    int J = -1;
    while (J < 0) J = RandomOutline(random, blocks, V);
    for (int Turner = 0; Turner <= 1; ++Turner) {
      std::pair<int, int> hole;
      const Cells corridor = Corridor(blocks, Turner, hole);
      const double rx = kCellOrigin + 12 * hole.first + 6, ry = kCellOrigin + 12 * hole.second + 6;
      testing::internal::CaptureStdout();
      km_test::RunBody([&] { korvane::ConstructPass(J, V, a, Turner); });
      testing::internal::GetCapturedStdout();
      SCOPED_TRACE("contour " + std::to_string(contour) + ", pass " + std::to_string(Turner));
      ASSERT_TRUE(a.W >= 1 && a.Z[0] == a.Z[a.W]);
      double length = 0;
      int winding = 0;
      for (int k = 0; k < a.W; ++k) {
        EXPECT_TRUE(HoldsSegment(corridor, a.Z[k], a.Z[k + 1])) << "edge " << k << " leaves the corridor";
        length += Length(a.Z[k], a.Z[k + 1]);
        winding += Crossing(a.Z[k], a.Z[k + 1], rx, ry);
      }
      EXPECT_EQ(std::abs(winding), 1);
      EXPECT_NEAR(length, ShortestLoop(corridor, rx, ry), 1e-6);
    }
  }
}

}  // namespace
