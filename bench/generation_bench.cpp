// How long whole maps take, and each stage of one, from the prepared record
// to the encoded bytes in memory.
//
// Every iteration makes one map in a fresh state, as the glenmire command
// does: the record of the reference set's starter configuration (MapSize set
// to the benchmark's size), the menu checks from it, the next seed, then
// PrepareAndRunGeneration with the map kept by a MemorySink. The silent UI
// answers Cancel and Abort, as the starter128 reference run does. Seeds run
// 1, 2, 3, ... so each iteration is another map; a seed whose players cannot
// all be placed makes no file (the "maps" counter says how many did).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "run/generation_road.h"
#include "run/pipeline.h"
#include "settings/config_file.h"
#include "settings/random_flags.h"

#ifndef GLENMIRE_REFERENCE_DIR
#error "GLENMIRE_REFERENCE_DIR must name the reference set"
#endif

namespace glenmire {
namespace {

const SettingsRecord& StarterRecord() {
  static const SettingsRecord record = [] {
    SettingsRecord r = ZeroRecord();
    LoadConfiguration(r, GLENMIRE_REFERENCE_DIR "/starter128/settings.gmp");
    return r;
  }();
  return record;
}

// One map from `record` with `seed`; true when a map file was made.
bool MakeMap(const SettingsRecord& record, uint32_t seed, StageObserver* observer = nullptr,
             Symmetry symmetry = Symmetry::kNone) {
  auto s = MakeGeneratorState();
  s->settings = record;
  MenuChecksFromRecord(*s);
  s->random.Seed(seed);
  MemorySink sink;
  const RunOutcome outcome = PrepareAndRunGeneration(
      *s, "bench.pud", RunOptions{.sink = &sink, .trace = nullptr, .observer = observer, .symmetry = symmetry});
  benchmark::DoNotOptimize(sink.bytes.data());
  return outcome.MapMade();
}

void RunMaps(benchmark::State& state, const SettingsRecord& record, Symmetry symmetry = Symmetry::kNone) {
  uint32_t seed = 1;
  int64_t made = 0;
  for (auto _ : state) made += MakeMap(record, seed++, nullptr, symmetry);
  state.counters["maps"] = benchmark::Counter(static_cast<double>(made), benchmark::Counter::kAvgIterations);
}

void BM_GenerateMap(benchmark::State& state) {
  SettingsRecord record = StarterRecord();
  record.MapSize = static_cast<int32_t>(state.range(0));
  RunMaps(state, record);
}
BENCHMARK(BM_GenerateMap)->Arg(32)->Arg(64)->Arg(96)->Arg(128)->Unit(benchmark::kMillisecond);

// Symmetric 128 x 128 maps: the mode by its number, with as many computer
// players as it has images (two for the two-image modes).
void BM_GenerateSymmetricMap(benchmark::State& state) {
  const auto mode = static_cast<Symmetry>(state.range(0));
  SettingsRecord record = StarterRecord();
  const int players = ImagesOf(mode);
  record.NumberOfPlayers = static_cast<int8_t>(players);
  for (int p = 0; p < kPlayers; ++p) record.PlayerController[p] = p < players ? kControllerComputer : kControllerNobody;
  state.SetLabel(SymmetryName(mode));
  RunMaps(state, record, mode);
}
BENCHMARK(BM_GenerateSymmetricMap)
    ->Arg(static_cast<int>(Symmetry::kMirrorX))
    ->Arg(static_cast<int>(Symmetry::kHalfTurn))
    ->Arg(static_cast<int>(Symmetry::kQuarterTurn))
    ->Arg(static_cast<int>(Symmetry::kEight))
    ->Unit(benchmark::kMillisecond);

// The main window's Mayhem preset over the starter configuration: nearly
// everything random, the map size among it.
void BM_GenerateMayhem(benchmark::State& state) {
  SettingsRecord record = StarterRecord();
  ApplyMayhem(record);
  RunMaps(state, record);
}
BENCHMARK(BM_GenerateMayhem)->Unit(benchmark::kMillisecond);

// One stage of the pipeline on a 128 x 128 starter map. Each iteration makes
// a whole map; an observer reads the clock after every stage that ran, and
// the iteration's time is that from the end of the row before (or, for the
// first row, from the start of the preparation) to the end of this row: its
// progress and status reports and its work. A row that did not run counts 0.
class StageClock : public StageObserver {
 public:
  using Clock = std::chrono::steady_clock;
  explicit StageClock(int row) : row_(row) {}
  void Start() {
    elapsed_ = Clock::duration::zero();
    last_ = Clock::now();
  }
  void AfterStage(const GeneratorState&, const Stage&, int, int index) override {
    const Clock::time_point now = Clock::now();
    if (index == row_) elapsed_ += now - last_;
    last_ = now;
  }
  double Seconds() const { return std::chrono::duration<double>(elapsed_).count(); }

 private:
  int row_;
  Clock::time_point last_{};
  Clock::duration elapsed_{};
};

void StageBenchmark(benchmark::State& state, int row) {
  SettingsRecord record = StarterRecord();
  record.MapSize = 128;
  StageClock clock(row);
  uint32_t seed = 1;
  for (auto _ : state) {
    clock.Start();
    MakeMap(record, seed++, &clock);
    state.SetIterationTime(clock.Seconds());
  }
}

// One benchmark per row of the table, named by its number and what it makes.
// Manual time counts only the stage, so the iteration count is fixed.
const bool kStagesRegistered = [] {
  int row = 0;
  for (const Stage& stage : AttemptStages()) {
    ++row;
    char number[16];
    std::snprintf(number, sizeof number, "%02d-", row);
    std::string name = std::string("BM_Stage/") + number + stage.name;
    for (char& c : name)
      if (c == ' ') c = '_';
    benchmark::RegisterBenchmark(name.c_str(), StageBenchmark, row)
        ->UseManualTime()
        ->Iterations(100)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
}  // namespace glenmire
