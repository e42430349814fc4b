// How long the fair-map search takes to find a fair map of the shipped
// Default.gmp at 128 x 128 (the median over start seeds 1..20), and what one
// map report costs, its rival figures included.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "report/map_facts.h"
#include "report/map_report.h"
#include "run/fair_search.h"
#include "run/presets.h"

namespace glenmire {
namespace {

SeedRunSetup PresetSetup(const char* name) {
  const std::filesystem::path recipe =
      std::filesystem::path(__FILE__).parent_path() / ".." / "data" / "presets" / (std::string(name) + ".txt");
  SeedRunSetup setup;
  setup.record = MakePresetRecord(ReadPresetRecipe(recipe.string()), recipe.string());
  setup.menu.showWarnings = setup.record.ShowWarnings != 0;
  setup.menu.compensate = setup.record.Compensate != 0;
  setup.menu.safetyMode = setup.record.SafetyMode != 0;
  return setup;
}

SeedRunSetup DefaultSetup() { return PresetSetup("Default"); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[(values.size() - 1) / 2];
}

// One iteration searches from each of start seeds 1..20; the counters give
// the median time and tries per search.
void BM_FairSearchDefault128(benchmark::State& state) {
  FairSearchRequest request;
  request.setup = DefaultSetup();
  for (auto _ : state) {
    std::vector<double> millis, tries;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      request.firstSeed = seed;
      const auto start = std::chrono::steady_clock::now();
      const FairSearchResult result = FindFairMap(request);
      millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      tries.push_back(result.tries);
      benchmark::DoNotOptimize(result.seed);
    }
    state.counters["median_ms"] = Median(millis);
    state.counters["median_tries"] = Median(tries);
    state.counters["worst_ms"] = *std::max_element(millis.begin(), millis.end());
  }
}
BENCHMARK(BM_FairSearchDefault128)->Iterations(1)->Unit(benchmark::kMillisecond);

// One seed run and judged: the generation and the report together.
void BM_SeedTrialDefault128(benchmark::State& state) {
  SeedRunner runner(DefaultSetup());
  uint32_t seed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(runner.Run(seed++).Fair());
}
BENCHMARK(BM_SeedTrialDefault128)->Unit(benchmark::kMillisecond);

// The report alone, from a map's bytes: reading the facts and walking from each start.
void BM_ReportDefault128(benchmark::State& state) {
  SeedRunner runner(DefaultSetup());
  const SeedTrial trial = runner.Run(1);
  MapReporter reporter;
  for (auto _ : state) benchmark::DoNotOptimize(reporter.Report(ReadMapFacts(trial.bytes, "map.pud")).pairs.size());
}
BENCHMARK(BM_ReportDefault128)->Unit(benchmark::kMicrosecond);

// The whole report, rival figures included, of the maps of seeds 1..5 (two
// players) and of an eight-player map: the separate-walks search is the part
// whose cost depends on the land.
void ReportRivals(benchmark::State& state, const char* preset) {
  SeedRunner runner(PresetSetup(preset));
  const SeedTrial trial = runner.Run(static_cast<uint32_t>(state.range(0)));
  const MapFacts facts = ReadMapFacts(trial.bytes, "map.pud");
  MapReporter reporter;
  int walks = 0;
  for (auto _ : state) {
    const MapReport report = reporter.Report(facts);
    for (const PlayerReport& p : report.players) walks += p.rivalry.separateWalks.value_or(0);
    benchmark::DoNotOptimize(walks);
  }
  int onFoot = 0;
  for (const PairReport& pair : reporter.Report(facts).pairs) onFoot += pair.meeting == Meeting::kOnFoot;
  state.counters["pairs_on_foot"] = onFoot;
}
void BM_ReportRivals128(benchmark::State& state) { ReportRivals(state, "Default"); }
BENCHMARK(BM_ReportRivals128)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);
void BM_ReportRivalsEight128(benchmark::State& state) { ReportRivals(state, "eight-players-128"); }
BENCHMARK(BM_ReportRivalsEight128)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glenmire
