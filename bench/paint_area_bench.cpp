// PaintArea on the largest map: one blob plus the recount of all 16,384
// cells that every call makes; and the BlobPainter the filling loops paint
// through (a few hundred to a few thousand blobs per stage), which counts
// the map once and then only the cells its blobs turn.
#include <benchmark/benchmark.h>

#include "terrain/area_painter.h"

namespace glenmire {
namespace {

constexpr int kSide = 128;

std::unique_ptr<GeneratorState> FreshMap(uint16_t cls) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = kSide;
  s->TerrainGrid.Fill(kSide, cls);
  s->random.Seed(12345);
  return s;
}

// Blobs of water-to-land at random places, as the island-mass loop paints
// them; the map starts over once three quarters of it is land.
void BM_PaintAreaLand(benchmark::State& state) {
  auto s = FreshMap(kWater);
  const auto size = static_cast<uint16_t>(state.range(0));
  for (auto _ : state) {
    const int32_t row = s->random.RandInt(kSide + size) - size;
    const int32_t column = s->random.RandInt(kSide + size) - size;
    const uint16_t count = PaintArea(*s, kWater, kLand, row, column, size);
    benchmark::DoNotOptimize(count);
    if (count > kSide * kSide * 3 / 4) s->TerrainGrid.Fill(kSide, kWater);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintAreaLand)->Arg(5)->Arg(25)->Arg(64);

// Sand to grass, where every visited cell also tests its eight neighbours.
void BM_PaintAreaGuarded(benchmark::State& state) {
  auto s = FreshMap(kCoast);
  const auto size = static_cast<uint16_t>(state.range(0));
  for (auto _ : state) {
    const int32_t row = s->random.RandInt(kSide) + 1;
    const int32_t column = s->random.RandInt(kSide) + 1;
    const uint16_t count = PaintArea(*s, kCoast, kGrass, row, column, size);
    benchmark::DoNotOptimize(count);
    if (count > kSide * kSide / 2) s->TerrainGrid.Fill(kSide, kCoast);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintAreaGuarded)->Arg(10)->Arg(40);

// The same blobs through a BlobPainter, as the filling loops paint them.
void BM_BlobPainterLand(benchmark::State& state) {
  auto s = FreshMap(kWater);
  const auto size = static_cast<uint16_t>(state.range(0));
  BlobPainter painter(*s, kWater, kLand);
  for (auto _ : state) {
    const int32_t row = s->random.RandInt(kSide + size) - size;
    const int32_t column = s->random.RandInt(kSide + size) - size;
    const uint16_t count = painter.Paint(row, column, size);
    benchmark::DoNotOptimize(count);
    if (count > kSide * kSide * 3 / 4) {
      s->TerrainGrid.Fill(kSide, kWater);
      painter.GridChanged();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BlobPainterLand)->Arg(5)->Arg(25);

void BM_BlobPainterGuarded(benchmark::State& state) {
  auto s = FreshMap(kCoast);
  const auto size = static_cast<uint16_t>(state.range(0));
  BlobPainter painter(*s, kCoast, kGrass);
  for (auto _ : state) {
    const int32_t row = s->random.RandInt(kSide) + 1;
    const int32_t column = s->random.RandInt(kSide) + 1;
    const uint16_t count = painter.Paint(row, column, size);
    benchmark::DoNotOptimize(count);
    if (count > kSide * kSide / 2) {
      s->TerrainGrid.Fill(kSide, kCoast);
      painter.GridChanged();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BlobPainterGuarded)->Arg(5)->Arg(10);

// The measure of room that the stages take before painting.
void BM_CountInterior(benchmark::State& state) {
  auto s = FreshMap(kCoast);
  for (auto _ : state) benchmark::DoNotOptimize(CountInterior(*s, kCoast));
}
BENCHMARK(BM_CountInterior);

}  // namespace
}  // namespace glenmire
