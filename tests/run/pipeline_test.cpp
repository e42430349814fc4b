#include "run/pipeline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "mapfile/map_reader.h"
#include "recording_ui.h"
#include "settings/defaults.h"

namespace glenmire {
namespace {

using testing::RecordingUi;

class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "glenmire-pipeline-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // A normal two-player map of the given size, as a new user would make it.
  std::unique_ptr<GeneratorState> Starter(int mapSize, uint32_t seed) {
    auto s = MakeGeneratorState();
    MakeStarterConfiguration(s->settings);
    s->settings.MapSize = mapSize;
    // The window derives the terrain switches from their amounts before a run.
    s->settings.RiversEnable = s->settings.Rivers > 0;
    s->settings.LakesEnable = s->settings.Lakes > 0;
    s->settings.ForestEnable = s->settings.Forest > 0;
    s->settings.MountainsEnable = s->settings.Mountains > 0;
    s->settings.MapFileName.assign(Path("map.pud"));
    s->random.Seed(seed);
    return s;
  }
  // A run that reports to the fixture's UI.
  RunOutcome Run(GeneratorState& s) { return RunGeneration(s, RunOptions{.ui = &ui_}); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
  RecordingUi ui_;
};

bool IsWaterTile(uint16_t tile) {
  if (tile < 256) return (tile >> 4) == 1 || (tile >> 4) == 2;
  int pair = (tile >> 8) & 0x0F;
  return pair == 1 || pair == 2;
}

TEST_F(PipelineTest, ReportsEveryStageInOrder) {
  auto s = Starter(64, 102);
  s->settings.BuildableLand = 10;  // little buildable land: the Build On Sand question comes
  EXPECT_EQ(Run(*s).kind, RunOutcome::Kind::kMapWritten);
  std::vector<std::string> want = {"progress 5",        "status Create Island Mass",
                                   "progress 10",       "status Rivers",
                                   "progress 15",       "status Lakes",
                                   "progress 20",       "status Coastline",
                                   "progress 25",       "status Mountains",
                                   "progress 30",       "status Buildable Land",
                                   "progress 35",       "status Forest",
                                   "progress 40",       "status REGM",
                                   "progress 45",       "status Gold / Units",
                                   "progress 50",       "status SQM",
                                   "ask build_on_sand", "progress 55",
                                   "status Gold",       "status Oil",
                                   "status Buildings",  "progress 85",
                                   "status Char"};
  ASSERT_GE(ui_.events.size(), want.size());
  std::vector<std::string> head(ui_.events.begin(), ui_.events.begin() + static_cast<long>(want.size()));
  EXPECT_EQ(head, want);
  std::vector<std::string> tail = {"status Decorations", "progress 95", "status Save File", "progress 100", "status  "};
  std::vector<std::string> end(ui_.events.end() - static_cast<long>(tail.size()), ui_.events.end());
  EXPECT_EQ(end, tail);
  EXPECT_TRUE(std::filesystem::exists(Path("map.pud")));
}

TEST_F(PipelineTest, SameSeedSameMapAndOtherSeedOtherMap) {
  auto a = Starter(64, 7);
  auto b = Starter(64, 7);
  auto c = Starter(64, 8);
  Run(*a);
  Run(*b);
  Run(*c);
  EXPECT_EQ(std::memcmp(&a->TerrainGrid, &b->TerrainGrid, sizeof a->TerrainGrid), 0);
  EXPECT_EQ(a->UnitListLength, b->UnitListLength);
  EXPECT_NE(std::memcmp(&a->TerrainGrid, &c->TerrainGrid, sizeof a->TerrainGrid), 0);
}

TEST_F(PipelineTest, NearlyAllLandLeavesNoWater) {
  for (int landWater : {99, 100}) {
    auto s = Starter(32, 3);
    s->settings.LandWater = static_cast<int8_t>(landWater);
    s->settings.RiversEnable = 0;
    s->settings.LakesEnable = 0;
    Run(*s);
    for (int r = 1; r <= 32; ++r)
      for (int c = 1; c <= 32; ++c)
        ASSERT_FALSE(IsWaterTile(s->TerrainGrid(r, c))) << landWater << " at " << r << "," << c;
  }
}

TEST_F(PipelineTest, LittleLandMakesOneIslandPerPlayer) {
  auto s = Starter(32, 11);
  s->settings.LandWater = 4;
  Run(*s);
  EXPECT_TRUE(s->StartIslandsMode);
  EXPECT_EQ(ui_.Count("status Lakes"), 0);  // no rivers, lakes, mountains or forest on start islands
  EXPECT_EQ(ui_.Count("status Buildable Land"), 0);
  EXPECT_EQ(ui_.Count("status Buildings"), 0);  // start islands get no towns or land units
  for (int p = 0; p < kPlayers; ++p) {
    if (s->settings.PlayerController[p] == kControllerNobody) continue;
    CellPosition cell = s->StartCells[p];
    EXPECT_GE(cell.row, 1);
    EXPECT_LE(cell.row, 32);
    EXPECT_FALSE(IsWaterTile(s->TerrainGrid(cell.row, cell.column))) << "player " << p + 1;
  }
}

TEST_F(PipelineTest, ReversePhysicsWithNoLandStaysWater) {
  auto s = Starter(32, 5);
  s->settings.LandWater = 0;
  s->settings.ReverseLandAndWaterProperties = 1;
  s->settings.RiversEnable = 0;
  s->settings.LakesEnable = 0;
  s->menu.showWarnings = false;
  Run(*s);
  EXPECT_FALSE(s->StartIslandsMode);
  for (int r = 1; r <= 32; ++r)
    for (int c = 1; c <= 32; ++c) ASSERT_TRUE(IsWaterTile(s->TerrainGrid(r, c)));
}

// Eight players on a small, wet map: not everyone finds room.
std::unique_ptr<GeneratorState> Crowded(std::unique_ptr<GeneratorState> s) {
  for (int p = 0; p < kPlayers; ++p) s->settings.PlayerController[p] = kControllerComputer;
  s->settings.LandWater = 12;
  s->settings.GoldMines = 16;
  return s;
}

TEST_F(PipelineTest, RetryRunsTheWholeAttemptAgainAndAbortEndsWithTheFailureMessage) {
  auto s = Crowded(Starter(32, 4));
  ui_.unplacedAnswers = {UnplacedAnswer::kRetry, UnplacedAnswer::kAbort};
  const RunOutcome outcome = Run(*s);
  ASSERT_EQ(ui_.Count("ask unplaced"), 2);
  EXPECT_EQ(outcome.attempts, 2);
  EXPECT_EQ(ui_.Count("status Create Island Mass"), 2);  // retry starts from the island mass
  EXPECT_EQ(outcome.kind, RunOutcome::Kind::kNoPlayableMap);
  EXPECT_EQ(outcome.Message(), kNoPlayableMap);
  EXPECT_FALSE(std::filesystem::exists(Path("map.pud")));
}

TEST_F(PipelineTest, WithoutWarningsAFailedPlacementWritesNothing) {
  auto s = Crowded(Starter(32, 4));
  s->menu.showWarnings = false;
  EXPECT_EQ(Run(*s).kind, RunOutcome::Kind::kNoPlayableMap);
  ASSERT_FALSE(s->settings.PlayersPlaced);
  EXPECT_EQ(ui_.Count("ask unplaced"), 0);
  EXPECT_FALSE(std::filesystem::exists(Path("map.pud")));
}

TEST_F(PipelineTest, BuildOnSandAnswerOkIsKept) {
  auto s = Starter(32, 9);
  s->settings.BuildableLand = 5;
  ui_.buildOnSandAnswers = {BuildOnSandAnswer::kOk};
  Run(*s);
  EXPECT_EQ(ui_.Count("ask build_on_sand"), 1);
  EXPECT_TRUE(s->settings.BuildOnSand);
}

TEST_F(PipelineTest, GenitizeRewritesTheLoadedMapWithoutProgress) {
  auto made = Starter(32, 21);
  Run(*made);
  ASSERT_TRUE(std::filesystem::exists(Path("map.pud")));

  auto s = MakeGeneratorState();
  RecordingUi ui;
  MakeStarterConfiguration(s->settings);
  LoadMapFile(*s, Path("map.pud"));
  s->MapLoaded = true;
  s->settings.MapFileName.assign("");
  std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir_);  // the default name lands in the working folder
  const RunOutcome outcome = RunGeneration(*s, RunOptions{.ui = &ui});
  std::filesystem::current_path(cwd);
  EXPECT_EQ(outcome.kind, RunOutcome::Kind::kMapGenitized);
  EXPECT_EQ(outcome.Message(), kDoneGenitizing);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_TRUE(std::filesystem::exists(dir_ / kDefaultMapFileName));
  EXPECT_EQ(std::memcmp(&s->TerrainGrid, &made->TerrainGrid, sizeof s->TerrainGrid), 0);
}

}  // namespace
}  // namespace glenmire
