#include <benchmark/benchmark.h>

#include "editor/geometry.h"

namespace {

void BM_FunGeAngle2(benchmark::State& state) {
  std::int16_t x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(korvane::FunGeAngle2(x, 0, 12, 0, 12, 12));
    ++x;
  }
}
BENCHMARK(BM_FunGeAngle2);

}  // namespace
