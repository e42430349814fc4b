// How long one whole map takes, from the island mass to the written file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "settings/defaults.h"
#include "run/pipeline.h"

namespace glenmire {
namespace {

void BM_GenerateMap(benchmark::State& state) {
  const int mapSize = static_cast<int>(state.range(0));
  std::string out = (std::filesystem::temp_directory_path() / "glenmire-bench.pud").string();
  uint32_t seed = 1;
  for (auto _ : state) {
    auto s = MakeGeneratorState();
    MakeStarterConfiguration(s->settings);
    s->settings.MapSize = mapSize;
    s->settings.RiversEnable = s->settings.LakesEnable = s->settings.ForestEnable = s->settings.MountainsEnable = 1;
    s->settings.MapFileName.assign(out);
    s->menu.showWarnings = false;
    s->random.Seed(seed++);
    RunGeneration(*s);
    benchmark::DoNotOptimize(s->UnitListLength);
  }
  std::filesystem::remove(out);
}
BENCHMARK(BM_GenerateMap)->Arg(32)->Arg(64)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glenmire
