// A batch as `glenmire generate --count 1000` makes it: 1,000 maps of the
// reference set's starter configuration at 128 x 128 from successive seeds,
// on every core, each written to its own file. Wall time is what counts.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/atomic_file.h"
#include "run/batch.h"
#include "settings/config_file.h"

namespace glenmire {
namespace {

void BM_Batch(benchmark::State& state) {
  BatchRequest request;
  LoadConfiguration(request.record, GLENMIRE_REFERENCE_DIR "/starter128/settings.gmp");
  request.menu = {request.record.ShowWarnings != 0, request.record.Compensate != 0, request.record.SafetyMode != 0};
  request.count = static_cast<int>(state.range(0));
  request.unplaced = UnplacedAnswer::kIgnore;
  std::string pattern = (std::filesystem::temp_directory_path() / "glenmire-batch-XXXXXX").string();
  const std::filesystem::path folder = ::mkdtemp(pattern.data());
  uint32_t seed = 1;
  for (auto _ : state) {
    request.firstSeed = seed;
    seed += static_cast<uint32_t>(request.count);
    RunBatch(request, [&](BatchMap& map) {
      const std::string file = (folder / ("m-" + std::to_string(map.index) + ".pud")).string();
      WriteFileAtomically(file, map.bytes.data(), map.bytes.size());
      return true;
    });
  }
  std::filesystem::remove_all(folder);
  state.counters["maps/s"] =
      benchmark::Counter(static_cast<double>(request.count), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Batch)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace glenmire
