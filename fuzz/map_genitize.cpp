// A map file of any content loaded for Genitizing, then the Genitize run and
// the map encoder, as "glenmire genitize" does with the starter settings.
//
// The load must refuse the file with a reason or take it; a taken map must be
// genitized (or its record refused with a reason) into a file that loads
// again, and the encoder must encode what the run left.
#include <memory>
#include <string>
#include <vector>

#include "core/file_error.h"
#include "core/generator_state.h"
#include "fuzz_check.h"
#include "fuzz_one.h"
#include "mapfile/map_encoder.h"
#include "mapfile/map_reader.h"
#include "run/generation_road.h"
#include "run/pipeline.h"
#include "settings/defaults.h"

int FuzzOne(const uint8_t* data, std::size_t size) {
  using namespace glenmire;
  const std::vector<uint8_t> bytes(data, data + size);
  auto state = MakeGeneratorState();
  GeneratorState& s = *state;
  MakeStarterConfiguration(s.settings);
  MenuChecksFromRecord(s);
  s.random.Seed(1);

  SettingsRecord loadedMap = ZeroRecord();
  try {
    loadedMap = LoadMapForGenitize(s, "loaded.pud", bytes);
  } catch (const FileError& e) {
    fuzzing::Check(std::string(e.what()).find("loaded.pud") != std::string::npos,
                   std::string("a refusal that does not name the file: ") + e.what());
    return 0;
  }
  AnswerGenitizeQuestion(s, loadedMap, true);

  MemorySink sink;
  RunOptions options;
  options.sink = &sink;
  options.loadedMap = &loadedMap;
  const RunOutcome outcome = PrepareAndRunGeneration(s, "fuzz.pud", options);
  if (outcome.kind == RunOutcome::Kind::kRefused) {
    fuzzing::Check(!outcome.reason.empty(), "a refusal without a reason");
    return 0;
  }
  fuzzing::Check(outcome.kind == RunOutcome::Kind::kMapGenitized, "a loaded map was not genitized");

  auto again = MakeGeneratorState();
  try {
    LoadMapBytes(*again, outcome.mapFile, sink.bytes);
  } catch (const std::exception& e) {
    fuzzing::Broken(std::string("a genitized map does not load: ") + e.what());
  }
  // The record is back as it was before the run; the grids and units stay as
  // the run left them.
  const std::vector<uint8_t> encoded = EncodeMap(s);
  fuzzing::Check(!encoded.empty(), "the encoder made nothing");
  return 0;
}
