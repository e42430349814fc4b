#include "run/settings_survey.h"

#include <algorithm>
#include <cmath>

namespace glenmire {
namespace {

struct Figure {
  const char* name;
  const char* per;
  std::vector<double> values;
};

enum FigureIndex {
  kLand,
  kWater,
  kBuildable,
  kMines,
  kOilPatches,
  kNearestMine,
  kMinesInReach,
  kRoom,
  kMineSpread,
  kRoomRatio,
  kWalkBetween,
  kExpansionsSpread,
  kSafeAreaSpread,
  kRivalFigures
};

std::vector<Figure> EmptyFigures() {
  return {
      {"land (%)", "map", {}},
      {"water (%)", "map", {}},
      {"buildable (%)", "map", {}},
      {"gold mines", "map", {}},
      {"oil patches", "map", {}},
      {"nearest gold mine (steps)", "player", {}},
      {"gold mines within reach", "player", {}},
      {"buildable room (cells)", "player", {}},
      {"nearest-mine spread (steps)", "map", {}},
      {"room ratio (largest / smallest)", "map", {}},
      {"walk between starts (steps)", "pair", {}},
      {"expansions spread", "map", {}},
      {"safe area spread (%)", "map", {}},
  };
}

std::vector<Figure> AllFigures() {
  std::vector<Figure> figures = EmptyFigures();
  for (const RivalryFigure& f : kRivalryFigures) figures.push_back({f.name, "player", {}});
  return figures;
}

void Measure(const MapReport& report, std::vector<Figure>& figures, SurveyResult& result) {
  figures[kLand].values.push_back(100 * report.LandShare());
  figures[kWater].values.push_back(100 * report.WaterShare());
  figures[kBuildable].values.push_back(100 * report.BuildableShare());
  figures[kMines].values.push_back(report.goldMines);
  figures[kOilPatches].values.push_back(report.oilPatches);
  int nearest = -1, farthest = -1, smallest = -1, largest = -1;
  for (const PlayerReport& p : report.players) {
    if (!p.active || !p.hasStart) continue;
    if (p.nearestMineSteps != kNotReached) {
      figures[kNearestMine].values.push_back(p.nearestMineSteps);
      nearest = nearest < 0 ? p.nearestMineSteps : std::min(nearest, p.nearestMineSteps);
      farthest = std::max(farthest, p.nearestMineSteps);
    }
    figures[kMinesInReach].values.push_back(p.minesInReach);
    figures[kRoom].values.push_back(p.buildableRoom);
    smallest = smallest < 0 ? p.buildableRoom : std::min(smallest, p.buildableRoom);
    largest = std::max(largest, p.buildableRoom);
  }
  if (nearest >= 0) figures[kMineSpread].values.push_back(farthest - nearest);
  if (smallest > 0) figures[kRoomRatio].values.push_back(double(largest) / smallest);
  for (const PlayerReport& p : report.players) {
    if (!p.active || !p.hasStart) continue;
    for (int i = 0; i < kRivalryFigureCount; ++i)
      if (const auto v = kRivalryFigures[i].value(p.rivalry)) figures[kRivalFigures + i].values.push_back(*v);
  }
  if (const auto v = FigureSpread(report, kRivalryFigures[kExpansionsFigure]))
    figures[kExpansionsSpread].values.push_back(*v);
  if (const auto v = FigureSpread(report, kRivalryFigures[kSafeAreaFigure]))
    figures[kSafeAreaSpread].values.push_back(*v);
  for (const PairReport& pair : report.pairs) {
    switch (pair.meeting) {
      case Meeting::kOnFoot:
        ++result.pairsOnFoot;
        figures[kWalkBetween].values.push_back(pair.steps);
        break;
      case Meeting::kBySea: ++result.pairsBySea; break;
      case Meeting::kApart: ++result.pairsApart; break;
    }
  }
}

}  // namespace

double NearestRankPercentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const double rank = std::ceil(p / 100 * static_cast<double>(values.size()));
  const std::size_t index = rank < 1 ? 0 : std::min(values.size() - 1, static_cast<std::size_t>(rank) - 1);
  return values[index];
}

SurveyResult SurveySettings(const SurveyRequest& request, const SurveyWatcher& watcher) {
  SurveyResult result;
  result.firstSeed = request.firstSeed;
  result.lastSeed = request.firstSeed;
  std::vector<Figure> figures = AllFigures();
  SeedRunner runner(request.setup);
  const uint64_t total64 =
      request.lastSeed >= request.firstSeed ? uint64_t{request.lastSeed} - request.firstSeed + 1 : 0;
  const int total = static_cast<int>(std::min<uint64_t>(total64, 1u << 30));
  for (int i = 0; i < total; ++i) {
    const uint32_t seed = request.firstSeed + static_cast<uint32_t>(i);
    const SeedTrial trial = runner.Run(seed);
    if (trial.outcome.kind == RunOutcome::Kind::kRefused) {
      result.refused = true;
      result.reason = trial.outcome.reason;
      return result;
    }
    result.lastSeed = seed;
    result.tally.Add(trial);
    if (trial.Placed() && !trial.askedBuildOnSand) ++result.placedWithoutQuestion;
    if (trial.report) Measure(*trial.report, figures, result);
    if (watcher && !watcher(i + 1, total)) break;
  }
  for (const Figure& f : figures)
    result.figures.push_back({f.name, f.per, static_cast<int>(f.values.size()), NearestRankPercentile(f.values, 10),
                              NearestRankPercentile(f.values, 50), NearestRankPercentile(f.values, 90)});
  return result;
}

}  // namespace glenmire
