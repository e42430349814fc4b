#include "run/fair_search.h"

#include "report/map_facts.h"
#include "run/generation_road.h"

namespace glenmire {
namespace {

// Answers as the search must: the set Build On Sand answer, Abort for
// players that found no room; remembers whether it was asked.
class AnsweringUi : public GenerationUi {
 public:
  explicit AnsweringUi(BuildOnSandAnswer buildOnSand) : buildOnSand_(buildOnSand) {}
  void Progress(int) override {}
  void Status(const std::string&) override {}
  BuildOnSandAnswer AskBuildOnSand(const std::string&) override {
    asked = true;
    return buildOnSand_;
  }
  UnplacedAnswer AskUnplaced(const std::string&) override { return UnplacedAnswer::kAbort; }
  bool asked = false;

 private:
  BuildOnSandAnswer buildOnSand_;
};

}  // namespace

SeedRunner::SeedRunner(SeedRunSetup setup)
    : setup_(std::move(setup)), groups_(StartGroupsFromSettings(setup_.record)) {}

SeedTrial SeedRunner::Run(uint32_t seed) {
  SeedTrial trial;
  trial.seed = seed;
  // A fresh state each time, as the command makes one per map.
  auto state = MakeGeneratorState();
  GeneratorState& s = *state;
  s.settings = setup_.record;
  s.menu = setup_.menu;
  s.random.Seed(seed);
  AnsweringUi ui(setup_.buildOnSand);
  MemorySink sink;
  RunOptions options;
  options.sink = &sink;
  options.symmetry = setup_.symmetry;
  options.ui = &ui;
  trial.outcome = PrepareAndRunGeneration(s, setup_.mapFileName, options);
  trial.askedBuildOnSand = ui.asked;
  if (trial.Placed()) {
    trial.bytes = std::move(sink.bytes);
    trial.report = reporter_.Report(ReadMapFacts(trial.bytes, trial.outcome.mapFile));
    trial.verdict = JudgeMap(*trial.report, setup_.rules, groups_);
  }
  return trial;
}

void FailureTally::Add(const SeedTrial& trial) {
  ++runs;
  if (trial.askedBuildOnSand) ++askedBuildOnSand;
  if (!trial.Placed()) {
    ++unplaced;
    return;
  }
  ++placed;
  if (trial.verdict.Fair()) ++fair;
  for (FairRule rule : kAllFairRules)
    if (trial.verdict.Fails(rule)) ++failed[static_cast<int>(rule)];
}

int FailureTally::Count(FairRule rule) const {
  return failed[static_cast<int>(rule)] + (rule == FairRule::kStarts ? unplaced : 0);
}

std::optional<FairRule> FailureTally::MostCommon() const {
  std::optional<FairRule> most;
  for (FairRule rule : kAllFairRules)
    if (Count(rule) > 0 && (!most || Count(rule) > Count(*most))) most = rule;
  return most;
}

FairSearchRequest MakeFairSearchRequest(const SettingsRecord& record, const MenuChecks& menu,
                                        const std::string& mapFileName, const FairnessRules& rules,
                                        BuildOnSandAnswer buildOnSand, uint32_t firstSeed, int tries,
                                        Symmetry symmetry) {
  FairSearchRequest request;
  request.setup.record = record;
  request.setup.menu = menu;
  request.setup.mapFileName = mapFileName;
  request.setup.rules = rules;
  request.setup.buildOnSand = buildOnSand;
  request.setup.symmetry = symmetry;
  request.firstSeed = firstSeed;
  request.tries = tries;
  return request;
}

FairSearchResult FindFairMap(const FairSearchRequest& request, const FairSearchWatcher& watcher) {
  FairSearchResult result;
  SeedRunner runner(request.setup);
  for (int i = 0; i < request.tries; ++i) {
    const uint32_t seed = request.firstSeed + static_cast<uint32_t>(i);
    SeedTrial trial = runner.Run(seed);
    if (trial.outcome.kind == RunOutcome::Kind::kRefused) {
      result.kind = FairSearchResult::Kind::kRefused;
      result.reason = trial.outcome.reason;
      return result;
    }
    ++result.tries;
    result.tally.Add(trial);
    const bool fair = trial.Fair();
    if (fair) {
      result.kind = FairSearchResult::Kind::kFound;
      result.seed = seed;
      result.bytes = std::move(trial.bytes);
      result.mapFile = trial.outcome.mapFile;
      result.report = std::move(trial.report);
      result.verdict = std::move(trial.verdict);
    }
    if (watcher && !watcher({result.tries, request.tries, seed, trial.Placed(), fair}) && !fair) {
      result.kind = FairSearchResult::Kind::kStopped;
      return result;
    }
    if (fair) return result;
  }
  result.kind = FairSearchResult::Kind::kNotFound;
  return result;
}

}  // namespace glenmire
