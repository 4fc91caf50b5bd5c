// Both construction passes on large contours, and the overlap highlight on a
// long polygon. Drawing calls go to a headless backend without a trace.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <random>

#include "bgi/headless.h"
#include "editor/display.h"
#include "editor/normalise.h"
#include "editor/pass_driver.h"
#include "editor/types.h"

namespace {

using korvane::PassArrays;
using korvane::Point;
using korvane::PointArray;

Point P(int x, int y) { return Point{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; }

// A closed staircase of 497 one-cell steps up to the right, closed by a long
// drop and a long run back four cells below its foot: 998 vertices.
int Staircase(PointArray& V) {
  const int steps = 497;
  int n = 0;
  int x = 60;
  int y = 60 + 12 * steps;
  V[n++] = P(x, y);
  for (int s = 0; s < steps; ++s) {
    x += 12;
    V[n++] = P(x, y);
    y -= 12;
    V[n++] = P(x, y);
  }
  x += 12;
  V[n++] = P(x, y);
  V[n++] = P(x, 60 + 12 * steps + 48);
  V[n++] = P(60, 60 + 12 * steps + 48);
  V[n] = V[0];
  return n;
}

// A closed contour of 600 vertices: 150 columns of one to four cells width,
// each with a random top and a random bottom, every column's span
// overlapping its neighbours' so that the contour stays simple.
int RandomContour(PointArray& V) {
  std::mt19937 random(20261209);
  const int columns = 150;
  int top[columns];
  int bottom[columns];
  int width[columns];
  for (int c = 0; c < columns; ++c) {
    width[c] = 1 + static_cast<int>(random() % 4);
    do {
      top[c] = static_cast<int>(random() % 30);
      bottom[c] = 40 + static_cast<int>(random() % 30);
    } while (c > 0 && (top[c] == top[c - 1] || bottom[c] == bottom[c - 1]));
  }
  int n = 0;
  int x = 5;
  // Along the top from left to right, then along the bottom back.
  for (int c = 0; c < columns; ++c) {
    V[n++] = P(12 * x, 12 * top[c]);
    x += width[c];
    V[n++] = P(12 * x, 12 * top[c]);
  }
  for (int c = columns - 1; c >= 0; --c) {
    V[n++] = P(12 * x, 12 * bottom[c]);
    x -= width[c];
    V[n++] = P(12 * x, 12 * bottom[c]);
  }
  V[n] = V[0];
  return n;
}

std::function<void()> gBody;
int RunBody() {
  gBody();
  return 0;
}

// Runs body with a headless backend and the console silenced (the
// counter-clockwise pass may write a line).
void Headless(std::function<void()> body) {
  std::fflush(stdout);
  const int saved = ::dup(1);
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, 1);
  ::close(null);
  gBody = std::move(body);
  bgi::runHeadless(&RunBody, "", bgi::HeadlessOptions{});
  std::fflush(stdout);
  ::dup2(saved, 1);
  ::close(saved);
}

void BothPasses(benchmark::State& state, int (*contour)(PointArray&)) {
  static PointArray original;
  static PointArray V;
  static PassArrays a;
  const int J0 = contour(original);
  Headless([&] {
    int J = J0;
    V = original;
    korvane::VertexContour(J, V);
    original = V;
    try {
      for (auto _ : state) {
        V = original;
        for (int Turner = 0; Turner <= 1; ++Turner) {
          korvane::ConstructPass(J, V, a, Turner);
          benchmark::DoNotOptimize(a.W);
        }
      }
    } catch (const korvane::CapacityExceeded&) {
      state.SkipWithError("the polygon does not fit the arrays");
    }
  });
}

void BM_BothPassesStaircase(benchmark::State& state) { BothPasses(state, &Staircase); }
BENCHMARK(BM_BothPassesStaircase)->Unit(benchmark::kMicrosecond);

void BM_BothPassesRandomContour(benchmark::State& state) { BothPasses(state, &RandomContour); }
BENCHMARK(BM_BothPassesRandomContour)->Unit(benchmark::kMicrosecond);

// A staircase chain of 999 one-cell edges.
void BM_EdgeSharing999Edges(benchmark::State& state) {
  static PointArray U;
  for (int i = 0; i <= 999; ++i) U[i] = P(60 + 12 * ((i + 1) / 2), 6060 - 12 * (i / 2));
  Headless([&] {
    for (auto _ : state) korvane::EdgeSharing(U, 999, korvane::Xconst);
  });
}
BENCHMARK(BM_EdgeSharing999Edges)->Unit(benchmark::kMicrosecond);

}  // namespace
