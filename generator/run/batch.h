// Many maps of one configuration from successive seeds, for batch work: each
// seed runs as "Generate Map" does in a fresh state, so every map is byte for
// byte the map a single run of its seed makes. The maps are made on every
// core and handed over in seed order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/generation_ui.h"
#include "core/generator_state.h"
#include "run/pipeline.h"

namespace glenmire {

struct BatchRequest {
  SettingsRecord record = ZeroRecord();  // as loaded: every run randomises its own copy
  MenuChecks menu;
  uint32_t firstSeed = 0;  // then firstSeed + 1, ... (wrapping at 2^32)
  int count = 1;
  BuildOnSandAnswer buildOnSand = BuildOnSandAnswer::kCancel;
  UnplacedAnswer unplaced = UnplacedAnswer::kAbort;
  int maxAttempts = 100;  // a Retry answer becomes Abort after this many attempts
  int threads = 0;        // 0: one per core
  Symmetry symmetry = Symmetry::kNone;
};

struct BatchMap {
  int index = 0;  // 0-based, in seed order
  uint32_t seed = 0;
  RunOutcome outcome;
  std::vector<uint8_t> bytes;  // the map, when one was made
};

// Hands every map to `take` in seed order; `take` returning false stops the
// batch (maps under way are finished and dropped).
void RunBatch(const BatchRequest& request, const std::function<bool(BatchMap&)>& take);

}  // namespace glenmire
