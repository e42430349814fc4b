// The fair-map search: the map it keeps is the map a plain run of that seed
// makes, it runs no more seeds than it is given, and its report reads what
// the map file holds.
#include "run/fair_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/file_error.h"
#include "mapfile/map_reader.h"
#include "recording_ui.h"
#include "report/map_facts.h"
#include "run/generation_road.h"
#include "run/presets.h"
#include "settings/defaults.h"

namespace glenmire {
namespace {

using testing::RecordingUi;

// The starter configuration with some changes, as `config set` makes it.
SeedRunSetup MakeSetup(const std::vector<std::string>& assignments) {
  SeedRunSetup setup;
  MakeStarterConfiguration(setup.record);
  for (const std::string& a : assignments) EXPECT_EQ(AssignField(setup.record, a), std::nullopt) << a;
  setup.menu.showWarnings = setup.record.ShowWarnings != 0;
  setup.menu.compensate = setup.record.Compensate != 0;
  setup.menu.safetyMode = setup.record.SafetyMode != 0;
  return setup;
}

const std::vector<std::string> kLand64 = {"MapSize=64", "LandWater=80", "GoldMines=6"};

// "Generate Map" of one seed in a state of its own, as the command runs it.
std::vector<uint8_t> PlainRun(const SeedRunSetup& setup, uint32_t seed, RunOutcome::Kind* kind = nullptr) {
  auto s = MakeGeneratorState();
  s->settings = setup.record;
  s->menu = setup.menu;
  s->random.Seed(seed);
  RecordingUi ui;
  ui.unplacedAnswers = {UnplacedAnswer::kAbort};
  ui.buildOnSandAnswers = {setup.buildOnSand};
  MemorySink sink;
  RunOptions options;
  options.sink = &sink;
  options.ui = &ui;
  const RunOutcome outcome = PrepareAndRunGeneration(*s, setup.mapFileName, options);
  if (kind) *kind = outcome.kind;
  return sink.bytes;
}

TEST(FairSearchTest, TheMapFoundIsThePlainRunOfItsSeedAndEarlierSeedsWereNotFair) {
  struct Case {
    const char* name;
    std::vector<std::string> assignments;
    BuildOnSandAnswer buildOnSand;
    uint32_t firstSeed;
  } const cases[] = {
      {"land at 64", kLand64, BuildOnSandAnswer::kCancel, 11},
      {"little buildable land, Build On Sand accepted",
       {"MapSize=64", "LandWater=80", "GoldMines=6", "BuildableLand=10"},
       BuildOnSandAnswer::kOk,
       31},
      {"four players at 96",
       {"MapSize=96", "LandWater=85", "GoldMines=10", "PlayerController[3]=4", "PlayerController[4]=4"},
       BuildOnSandAnswer::kCancel,
       92},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SeedRunSetup setup = MakeSetup(c.assignments);
    // A record without a map file name makes maps under the default name, as a plain run does.
    const FairSearchRequest request =
        MakeFairSearchRequest(setup.record, setup.menu, "", setup.rules, c.buildOnSand, c.firstSeed, 100);
    const FairSearchResult result = FindFairMap(request);
    ASSERT_EQ(result.kind, FairSearchResult::Kind::kFound);
    EXPECT_EQ(result.mapFile, kDefaultMapFileName);
    EXPECT_EQ(result.tries, static_cast<int>(result.seed - request.firstSeed) + 1);
    EXPECT_EQ(result.tally.runs, result.tries);
    EXPECT_EQ(result.tally.fair, 1);
    ASSERT_TRUE(result.report.has_value());
    EXPECT_TRUE(result.verdict.Fair());
    EXPECT_EQ(result.bytes, PlainRun(request.setup, result.seed));
    SeedRunner runner(request.setup);
    for (uint32_t seed = request.firstSeed; seed < result.seed && seed < request.firstSeed + 10; ++seed)
      EXPECT_FALSE(runner.Run(seed).Fair()) << seed;
  }
}

TEST(FairSearchTest, NoMoreSeedsAreRunThanTriesAndTheWatcherSeesEach) {
  FairSearchRequest request;
  request.setup = MakeSetup(kLand64);
  ASSERT_EQ(SetFairRule(request.setup.rules, "min-room=100000"), std::nullopt);  // no map has that much room
  request.firstSeed = 40;
  request.tries = 7;
  std::vector<uint32_t> seen;
  const FairSearchResult result = FindFairMap(request, [&](const FairSearchProgress& p) {
    EXPECT_EQ(p.tried, static_cast<int>(seen.size()) + 1);
    EXPECT_EQ(p.tries, 7);
    EXPECT_FALSE(p.fair);
    seen.push_back(p.seed);
    return true;
  });
  EXPECT_EQ(result.kind, FairSearchResult::Kind::kNotFound);
  EXPECT_EQ(result.tries, 7);
  EXPECT_EQ(seen, (std::vector<uint32_t>{40, 41, 42, 43, 44, 45, 46}));
  EXPECT_EQ(result.tally.runs, 7);
  EXPECT_EQ(result.tally.Count(FairRule::kMinRoom), result.tally.placed);
  EXPECT_EQ(result.tally.MostCommon(), FairRule::kMinRoom);
  EXPECT_TRUE(result.bytes.empty());
}

TEST(FairSearchTest, AWatcherStopsTheSearchAndSeedsWrapAround) {
  FairSearchRequest request;
  request.setup = MakeSetup(kLand64);
  ASSERT_EQ(SetFairRule(request.setup.rules, "min-room=100000"), std::nullopt);
  request.firstSeed = 0xFFFFFFFEu;
  std::vector<uint32_t> seen;
  const FairSearchResult result = FindFairMap(request, [&](const FairSearchProgress& p) {
    seen.push_back(p.seed);
    return p.tried < 3;
  });
  EXPECT_EQ(result.kind, FairSearchResult::Kind::kStopped);
  EXPECT_EQ(result.tries, 3);
  EXPECT_EQ(seen, (std::vector<uint32_t>{0xFFFFFFFEu, 0xFFFFFFFFu, 0u}));
}

TEST(FairSearchTest, ARecordThatCannotMakeAMapIsRefusedBeforeAnyTry) {
  FairSearchRequest request;
  request.setup = MakeSetup({});
  request.setup.record.MapSize = 50;
  const FairSearchResult result = FindFairMap(request);
  EXPECT_EQ(result.kind, FairSearchResult::Kind::kRefused);
  EXPECT_NE(result.reason.find("MapSize"), std::string::npos) << result.reason;
  EXPECT_EQ(result.tries, 0);
}

TEST(FairSearchTest, UnplacedRunsMakeNoMapAndCountUnderStarts) {
  // Eight players on a small wet map: most runs cannot place them all.
  std::vector<std::string> crowded = {"MapSize=32", "LandWater=15", "GoldMines=8"};
  for (int p = 3; p <= 8; ++p) crowded.push_back("PlayerController[" + std::to_string(p) + "]=4");
  SeedRunner runner(MakeSetup(crowded));
  FailureTally tally;
  int unplaced = 0;
  for (uint32_t seed = 1; seed <= 10; ++seed) {
    const SeedTrial trial = runner.Run(seed);
    tally.Add(trial);
    if (trial.Placed()) continue;
    ++unplaced;
    EXPECT_TRUE(trial.bytes.empty());
    EXPECT_FALSE(trial.report.has_value());
    RunOutcome::Kind kind;
    EXPECT_TRUE(PlainRun(runner.Setup(), seed, &kind).empty());
    EXPECT_EQ(kind, RunOutcome::Kind::kNoPlayableMap);
  }
  ASSERT_GT(unplaced, 0);
  EXPECT_EQ(tally.unplaced, unplaced);
  EXPECT_EQ(tally.Count(FairRule::kStarts), unplaced + tally.failed[static_cast<int>(FairRule::kStarts)]);
}

TEST(FairSearchTest, TheReportReadsWhatTheMapFileHolds) {
  SeedRunner runner(MakeSetup(kLand64));
  const SeedTrial trial = runner.Run(3);
  ASSERT_TRUE(trial.Placed());
  const std::string path = (std::filesystem::temp_directory_path() / "glenmire-fair-facts.pud").string();
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(trial.bytes.data()), static_cast<std::streamsize>(trial.bytes.size()));
  }
  auto loaded = MakeGeneratorState();
  LoadMapFile(*loaded, path);
  std::filesystem::remove(path);
  const MapFacts facts = ReadMapFacts(trial.bytes, "map.pud");
  ASSERT_EQ(facts.mapSize, 64);
  EXPECT_TRUE(std::equal(facts.movement.begin(), facts.movement.end(), loaded->MoveGrid.bytes));
  EXPECT_EQ(facts.units.size(), loaded->LoadedUnitSectionLength / kUnitRecordBytes);
  for (int p = 0; p < kPlayers; ++p) {
    EXPECT_EQ(facts.controller[p], loaded->settings.PlayerController[p]);
    EXPECT_EQ(facts.gold[p], loaded->settings.StartGold[p]);
    EXPECT_EQ(facts.oil[p], loaded->settings.StartOil[p]);
  }
  for (std::size_t cut : {std::size_t{10}, trial.bytes.size() - 3}) {
    const std::vector<uint8_t> shorter(trial.bytes.begin(), trial.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(ReadMapFacts(shorter, "cut.pud"), FileError) << cut;
  }
}

}  // namespace
}  // namespace glenmire
