#include "cli/survey_command.h"

#include <cstdio>

#include "cli/cli_args.h"
#include "cli/fair_options.h"
#include "cli/report_json.h"
#include "run/generation_road.h"
#include "run/presets.h"
#include "run/settings_survey.h"

namespace glenmire {
namespace {

constexpr uint32_t kDefaultFirstSeed = 1;
constexpr uint32_t kDefaultLastSeed = 100;

void ParseSeedRange(const std::string& text, uint32_t& first, uint32_t& last) {
  const std::size_t dots = text.find("..");
  if (dots == std::string::npos) throw UsageError("--seeds wants A..B, not \"" + text + "\"");
  first = ParseSeed(text.substr(0, dots));
  last = ParseSeed(text.substr(dots + 2));
  if (last < first) throw UsageError("--seeds A..B wants A at most B, not \"" + text + "\"");
}

int Percent(int part, int whole) { return whole ? (200 * part + whole) / (2 * whole) : 0; }

void PrintText(const std::string& config, const SurveyResult& s, const FairnessRules& rules) {
  const FailureTally& t = s.tally;
  std::printf("Survey of %s, seeds %u..%u (%d runs)\n", config.c_str(), s.firstSeed, s.lastSeed, t.runs);
  std::printf("  every player placed: %3d %% (%d runs, %d of them without a question)\n", Percent(t.placed, t.runs),
              t.placed, s.placedWithoutQuestion);
  std::printf("  fair:                %3d %% (%d runs)\n", Percent(t.fair, t.runs), t.fair);
  std::printf("  Build On Sand asked: %d runs\n", t.askedBuildOnSand);
  std::printf("  runs failing each rule (unplaced runs count under starts):\n");
  for (FairRule rule : kAllFairRules)
    std::printf("    %-12s %5d   %s\n", std::string(FairRuleName(rule)).c_str(), t.Count(rule),
                DescribeFairRule(rules, rule).c_str());
  std::printf("  pairs of players: %d meet on foot, %d only by sea, %d not at all\n", s.pairsOnFoot, s.pairsBySea,
              s.pairsApart);
  std::printf("  %-32s %-7s %6s %8s %8s %8s\n", "figure", "per", "count", "p10", "median", "p90");
  for (const FigureSummary& f : s.figures)
    std::printf("  %-32s %-7s %6d %8.1f %8.1f %8.1f\n", f.name.c_str(), f.per.c_str(), f.count, f.p10, f.median, f.p90);
}

}  // namespace

ExitStatus RunSurveyCommand(const std::vector<std::string>& args, const std::string& programDir) {
  ParsedArgs a =
      ParseArgs(args, {"--seeds", "--build-on-sand", kSymmetryFlag}, {"--json", kAllowSeaFlag}, {kFairRuleFlag});
  if (a.positional.size() != 1) throw UsageError("survey needs exactly one CONFIG (a .gmp file or preset:NAME)");
  const std::string config = a.positional[0];
  SurveyRequest request;
  request.firstSeed = kDefaultFirstSeed;
  request.lastSeed = kDefaultLastSeed;
  if (auto seeds = a.Value("--seeds")) ParseSeedRange(*seeds, request.firstSeed, request.lastSeed);
  request.setup.buildOnSand = ReadBuildOnSand(a);
  request.setup.symmetry = ReadSymmetry(a, SymmetryForConfig(config, programDir));
  request.setup.rules = ReadFairRules(a, RulesForConfig(config, programDir));

  auto state = MakeGeneratorState();
  LoadConfigurationWithMenu(*state, ResolveConfigPath(config, programDir));
  request.setup.record = state->settings;
  request.setup.menu = state->menu;

  ProgressLine progress(true);
  const SurveyResult survey = SurveySettings(request, [&](int done, int total) {
    if (done % 5 == 0 || done == total)
      progress.Show("survey: " + std::to_string(done) + " of " + std::to_string(total) + " seeds");
    return true;
  });
  progress.Done();
  if (survey.refused) {
    std::fprintf(stderr, "glenmire: This map cannot be made: %s.\n", survey.reason.c_str());
    return ExitStatus::kError;
  }
  if (a.Has("--json"))
    std::fputs(SurveyJson(config, survey, request.setup.rules).c_str(), stdout);
  else
    PrintText(config, survey, request.setup.rules);
  return ExitStatus::kDone;
}

}  // namespace glenmire
