// Fair maps on demand: runs seed after seed of one prepared record, reports
// every map it makes and keeps the first that passes the fairness rules.
// Each seed runs as "Generate Map" does in a fresh state, so the map found
// is byte for byte the map a plain run of that seed makes with the same
// configuration and Build On Sand answer. The search never asks a person:
// a run that cannot place every player is answered Abort.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/generation_ui.h"
#include "core/generator_state.h"
#include "report/fairness.h"
#include "report/map_report.h"
#include "run/pipeline.h"

namespace glenmire {

inline constexpr int kDefaultFairTries = 500;

// What every try of a search or survey shares: the configuration as loaded
// (not randomised: each run randomises its own copy), the menu checks, the
// map file name the record carries, the rules and the one answer.
struct SeedRunSetup {
  SettingsRecord record = ZeroRecord();
  MenuChecks menu;
  std::string mapFileName = kDefaultMapFileName;
  FairnessRules rules;
  BuildOnSandAnswer buildOnSand = BuildOnSandAnswer::kCancel;
  Symmetry symmetry = Symmetry::kNone;
};

// One seed, run and judged.
struct SeedTrial {
  uint32_t seed = 0;
  RunOutcome outcome;
  bool askedBuildOnSand = false;
  std::vector<uint8_t> bytes;       // the map, when one was made
  std::optional<MapReport> report;  // likewise
  Verdict verdict;                  // of the report; empty when no map was made

  bool Placed() const { return outcome.kind == RunOutcome::Kind::kMapWritten; }
  bool Fair() const { return Placed() && verdict.Fair(); }
};

// Runs seeds of one setup, reusing its report work grids.
class SeedRunner {
 public:
  explicit SeedRunner(SeedRunSetup setup);
  SeedTrial Run(uint32_t seed);
  const SeedRunSetup& Setup() const { return setup_; }

 private:
  SeedRunSetup setup_;
  StartGroups groups_;
  MapReporter reporter_;
};

// How many tries failed for what. A run that could not place every player
// made no map: it counts as unplaced and under the start-location rule.
struct FailureTally {
  int runs = 0;
  int unplaced = 0;
  int placed = 0;
  int fair = 0;
  int askedBuildOnSand = 0;
  std::array<int, kFairRules> failed{};  // maps that failed each rule, by rule

  void Add(const SeedTrial& trial);
  int Count(FairRule rule) const;  // failed, with the unplaced runs under kStarts
  // The rule that failed most tries (the first such in rule order); nothing
  // when no try failed.
  std::optional<FairRule> MostCommon() const;
};

struct FairSearchRequest {
  SeedRunSetup setup;
  uint32_t firstSeed = 0;  // then firstSeed + 1, ... (wrapping at 2^32)
  int tries = kDefaultFairTries;
};

// The search that Fair Maps Only and `generate --fair` make of the record as
// it stands and its menu checks: maps named `mapFileName` (an empty name is
// the default one, as in a plain run), judged by `rules`, with the one Build
// On Sand answer, `tries` seeds from `firstSeed` on.
FairSearchRequest MakeFairSearchRequest(const SettingsRecord& record, const MenuChecks& menu,
                                        const std::string& mapFileName, const FairnessRules& rules,
                                        BuildOnSandAnswer buildOnSand, uint32_t firstSeed,
                                        int tries = kDefaultFairTries, Symmetry symmetry = Symmetry::kNone);

struct FairSearchProgress {
  int tried = 0;  // seeds run so far, this one included
  int tries = 0;
  uint32_t seed = 0;
  bool placed = false;
  bool fair = false;
};
// Called after every try; returning false stops the search.
using FairSearchWatcher = std::function<bool(const FairSearchProgress&)>;

struct FairSearchResult {
  enum class Kind {
    kFound,     // seed, bytes, report and verdict are the fair map's
    kNotFound,  // no try passed; tally says why
    kRefused,   // the record cannot make a map (reason); nothing ran
    kStopped,   // the watcher stopped the search
  };
  Kind kind = Kind::kNotFound;
  int tries = 0;  // seeds run
  uint32_t seed = 0;
  std::vector<uint8_t> bytes;
  std::string mapFile;
  std::optional<MapReport> report;
  Verdict verdict;
  std::string reason;
  FailureTally tally;
};

FairSearchResult FindFairMap(const FairSearchRequest& request, const FairSearchWatcher& watcher = {});

}  // namespace glenmire
