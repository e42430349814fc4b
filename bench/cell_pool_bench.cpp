// The cell pool on the largest map: a fresh pool drained by random takes, as
// the gold phase drains it when no mine fits, and the first thousand takes
// of a fresh pool, as the filling loops take them.
#include <benchmark/benchmark.h>

#include "core/cell_pool.h"
#include "core/random.h"

namespace glenmire {
namespace {

void BM_PoolDrain(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  CellPool pool;
  Random random;
  random.Seed(7);
  for (auto _ : state) {
    pool.PoolInit(side);
    while (pool.PoolCount() > 0) benchmark::DoNotOptimize(pool.PoolTake(random.RandInt(pool.PoolCount()) + 1));
  }
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_PoolDrain)->Arg(64)->Arg(128);

void BM_PoolFirstTakes(benchmark::State& state) {
  CellPool pool;
  Random random;
  random.Seed(7);
  for (auto _ : state) {
    pool.PoolInit(128);
    for (int take = 0; take < 1000; ++take)
      benchmark::DoNotOptimize(pool.PoolTake(random.RandInt(pool.PoolCount()) + 1));
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PoolFirstTakes);

}  // namespace
}  // namespace glenmire
