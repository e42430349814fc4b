// A survey of one configuration: many seeds, each run and reported as the
// fair-map search does, summed up as shares and as percentiles of the
// report's figures. It tells whether a configuration makes good maps before
// it is shipped or used.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "run/fair_search.h"

namespace glenmire {

struct SurveyRequest {
  SeedRunSetup setup;
  uint32_t firstSeed = 1;
  uint32_t lastSeed = 100;  // inclusive
};

// One figure over the maps (or players, or pairs) it was measured on.
struct FigureSummary {
  std::string name;  // "nearest gold mine (steps)"
  std::string per;   // "map", "player" or "pair"
  int count = 0;     // values measured
  double p10 = 0, median = 0, p90 = 0;
};

struct SurveyResult {
  bool refused = false;
  std::string reason;
  uint32_t firstSeed = 0, lastSeed = 0;
  FailureTally tally;
  int placedWithoutQuestion = 0;
  int pairsOnFoot = 0, pairsBySea = 0, pairsApart = 0;
  std::vector<FigureSummary> figures;

  double PlacedShare() const { return tally.runs ? double(tally.placed) / tally.runs : 0; }
  double FairShare() const { return tally.runs ? double(tally.fair) / tally.runs : 0; }
};

// Called after every seed with the seeds done and the number to do; false stops
// the survey early (its result then covers the seeds done).
using SurveyWatcher = std::function<bool(int done, int total)>;

SurveyResult SurveySettings(const SurveyRequest& request, const SurveyWatcher& watcher = {});

// The p-th percentile (0..100) of values by nearest rank: the smallest value
// with at least p % of the values at or below it; 0 for no values.
double NearestRankPercentile(std::vector<double> values, double p);

}  // namespace glenmire
