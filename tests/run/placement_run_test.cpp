// Whole generation runs: whatever the terrain turned out to be, a run whose
// placement succeeded gives every active player one start location with its
// worker, and no unit stands where its terrain rule forbids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/unit_types.h"
#include "placement/site_search.h"
#include "recording_ui.h"
#include "run/generation_road.h"
#include "run/pipeline.h"
#include "settings/defaults.h"
#include "support/reference_data.h"

namespace glenmire {
namespace {

// Keeps a copy of the state as placement left it: at "Char" nothing after
// placement (decorations, the map file) has touched the grids yet.
class PlacementSnapshotUi : public testing::RecordingUi {
 public:
  explicit PlacementSnapshotUi(const GeneratorState& state) : state_(state) {}
  void Status(const std::string& text) override {
    RecordingUi::Status(text);
    if (text != "Char") return;
    snapshot = MakeGeneratorState();
    snapshot->settings = state_.settings;
    snapshot->TerrainGrid = state_.TerrainGrid;
    snapshot->OccupancyGrid = state_.OccupancyGrid;
    std::memcpy(snapshot->UnitList, state_.UnitList, sizeof state_.UnitList);
    snapshot->UnitListLength = state_.UnitListLength;
  }
  std::unique_ptr<GeneratorState> snapshot;

 private:
  const GeneratorState& state_;
};

struct Unit {
  int row, column, type, owner;
};

std::vector<Unit> Units(const GeneratorState& s) {
  std::vector<Unit> units;
  for (int at = 0; at + kUnitRecordBytes <= s.UnitListLength; at += kUnitRecordBytes) {
    const uint8_t* r = s.UnitList + at;
    units.push_back(Unit{(r[2] | r[3] << 8) + 1, (r[0] | r[1] << 8) + 1, r[4], r[5]});
  }
  return units;
}

// The square sides the placement stage uses for each unit type.
std::vector<int> SidesOf(int type) {
  switch (type) {
    case kPeasant:
    case kPeon: return {2, 4};
    case kFootman:
    case kGrunt:
    case 6:
    case 7:
    case 10:
    case 11: return {2};
    case 58:
    case 59: return {2, 3};
    case 60:
    case 61:
    case 4:
    case 5: return {3};
    case 8:
    case 9:
    case kCritter:
    case 40:
    case 41: return {1};
    case 76:
    case 77:
    case kTownHall:
    case kGreatHall:
    case 26:
    case 27: return {4};
    case 82:
    case 83: return {5};
    case 30:
    case 31: return {4, 6};
    case 32:
    case 33: return {6};
    case 38:
    case 39: return {7};
    case 28:
    case 29: return {8};
    case kHumanStart:
    case kOrcStart: return {2};
    default: return {};
  }
}

bool AllTiles(const GeneratorState& s, int top, int left, int bottom, int right, uint16_t tile) {
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c)
      if (!InsideMap(s.MapSize(), r, c) || s.TerrainGrid(r, c) != tile) return false;
  return true;
}

void CheckPlacement(const GeneratorState& s, const std::string& run) {
  const int mapSize = s.MapSize();
  const std::vector<Unit> units = Units(s);
  const bool reverse = s.settings.ReverseLandAndWaterProperties != 0;
  const uint16_t goldGround = reverse ? 16 : (s.settings.BuildOnSand ? 48 : 80);
  const uint16_t oilGround = reverse ? 80 : 16;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const Unit& u = units[i];
    SCOPED_TRACE(run + " unit " + std::to_string(i) + " type " + std::to_string(u.type) + " at " +
                 std::to_string(u.row) + "," + std::to_string(u.column));
    ASSERT_TRUE(InsideMap(mapSize, u.row, u.column));
    if (u.type == kGoldMine) {
      EXPECT_TRUE(AllTiles(s, u.row, u.column, u.row + 2, u.column + 2, goldGround));
      continue;
    }
    if (u.type == kOilPatch) {
      EXPECT_TRUE(AllTiles(s, u.row - 1, u.column - 1, u.row + 3, u.column + 3, oilGround));
      continue;
    }
    // A worker right after its start location stands on that cell.
    if (i > 0 && (units[i - 1].type == kHumanStart || units[i - 1].type == kOrcStart) &&
        (u.type == kPeasant || u.type == kPeon)) {
      EXPECT_EQ(u.row, units[i - 1].row);
      EXPECT_EQ(u.column, units[i - 1].column);
      EXPECT_EQ(u.owner, units[i - 1].owner);
      continue;
    }
    const std::vector<int> sides = SidesOf(u.type);
    ASSERT_FALSE(sides.empty());
    bool suits = false;
    for (int side : sides)
      suits = suits || SiteSuits(s, u.row, u.column, static_cast<uint8_t>(side), static_cast<uint8_t>(u.type));
    EXPECT_TRUE(suits);
  }

  for (int p = 1; p <= kPlayers; ++p) {
    const uint8_t controller = s.settings.PlayerController[p - 1];
    if (controller != kControllerComputer && controller != kControllerHuman) continue;
    const bool orc = s.settings.PlayerRace[p - 1] == 1;
    int starts = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
      if (units[i].owner != p - 1 || (units[i].type != kHumanStart && units[i].type != kOrcStart)) continue;
      ++starts;
      EXPECT_EQ(units[i].type, orc ? kOrcStart : kHumanStart) << run << " player " << p;
      ASSERT_LT(i + 1, units.size());
      EXPECT_EQ(units[i + 1].type, orc ? kPeon : kPeasant) << run << " player " << p;
    }
    EXPECT_EQ(starts, 1) << run << " player " << p;
  }
}

class PlacementRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "glenmire-placement-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(PlacementRun, PlacedMapsGiveEveryPlayerAStartAndEveryUnitItsGround) {
  struct Row {
    int mapSize;
    int8_t landWater;                  // the starter's 20 leaves small maps mostly sea
    std::vector<uint8_t> controllers;  // the rest take no part; none given: the starter's two
    int8_t level;
  };
  const Row rows[] = {
      {32, 100, {}, 1},  // two mines never fit on 32 x 32 (their spacing is 32), so most runs fail
      {64, 50, {}, 1},
      {128, 20, {}, 1},
      {64, 60, {kControllerHuman, kControllerComputer, kControllerComputer, kControllerRescuePassive}, 3},
      {128, 40, {kControllerHuman, kControllerComputer, kControllerComputer, kControllerComputer}, 10}};
  for (const Row& row : rows) {
    int placed = 0;
    const uint32_t seeds = row.mapSize == 32 ? 16 : 6;
    for (uint32_t seed = 1; seed <= seeds; ++seed) {
      auto s = MakeGeneratorState();
      MakeStarterConfiguration(s->settings);
      s->settings.MapSize = row.mapSize;
      s->settings.LandWater = row.landWater;
      s->settings.RiversEnable = s->settings.Rivers > 0;
      s->settings.LakesEnable = s->settings.Lakes > 0;
      s->settings.ForestEnable = s->settings.Forest > 0;
      s->settings.MountainsEnable = s->settings.Mountains > 0;
      if (!row.controllers.empty()) {
        for (int p = 0; p < kPlayers; ++p) {
          s->settings.PlayerController[p] =
              p < static_cast<int>(row.controllers.size()) ? row.controllers[p] : uint8_t{kControllerNobody};
          s->settings.PlayerRace[p] = static_cast<uint8_t>(p % 2);
          s->settings.Difficulty[p] = row.level;
        }
      }
      s->settings.MapFileName.assign((dir_ / "map.pud").string());
      s->random.Seed(seed * 7919u);
      PlacementSnapshotUi ui(*s);
      ui.unplacedAnswers = {UnplacedAnswer::kAbort};
      RunGeneration(*s, RunOptions{.ui = &ui});
      ASSERT_NE(ui.snapshot, nullptr);
      if (!ui.snapshot->settings.PlayersPlaced) continue;
      ++placed;
      CheckPlacement(*ui.snapshot, std::to_string(row.mapSize) + " seed " + std::to_string(seed));
    }
    EXPECT_GE(placed, 2) << row.mapSize << ": too few runs placed their players to say anything";
  }
}

// The reference runs again, but at "SQM" the terrain and the random generator
// are set to what the reference run had there (its final tiles without their
// drawing variants, its trace's seed): from then on placement must draw the
// same numbers and place the same units as the reference did.
using Sections = std::map<std::string, testing::Bytes>;

class ReplayUi : public GenerationUi {
 public:
  ReplayUi(GeneratorState& s, std::vector<uint16_t> tiles, uint32_t seed, uint64_t draws)
      : s_(s), tiles_(std::move(tiles)), seed_(seed), draws_(draws) {}
  void Progress(int) override {}
  void Status(const std::string& text) override {
    if (text == "SQM") {
      const int m = s_.MapSize();
      for (int r = 1; r <= m; ++r)
        for (int c = 1; c <= m; ++c) s_.TerrainGrid(r, c) = tiles_[static_cast<std::size_t>((r - 1) * m + (c - 1))];
      s_.random.seed = seed_;
      s_.random.draws = draws_;
      replaying_ = true;
    }
    Line("status\t" + text);
  }
  BuildOnSandAnswer AskBuildOnSand(const std::string&) override {
    Line("ask\tbuild_on_sand");
    return buildOnSand;
  }
  UnplacedAnswer AskUnplaced(const std::string&) override {
    Line("ask\tunplaced");
    return unplaced;
  }

  BuildOnSandAnswer buildOnSand = BuildOnSandAnswer::kCancel;
  UnplacedAnswer unplaced = UnplacedAnswer::kAbort;
  std::vector<std::string> trace;  // from "SQM" on

 private:
  void Line(const std::string& head) {
    if (!replaying_) return;
    char tail[64];
    std::snprintf(tail, sizeof tail, "\tdraws=%llu\tseed=%08x", static_cast<unsigned long long>(s_.random.draws),
                  s_.random.seed);
    trace.push_back(head + tail);
  }
  GeneratorState& s_;
  std::vector<uint16_t> tiles_;
  uint32_t seed_;
  uint64_t draws_;
  bool replaying_ = false;
};

TEST_F(PlacementRun, ReferenceRunsPlaceTheSameUnitsOnTheirOwnTerrain) {
  using namespace glenmire::testing;
  for (const ReferenceCase& row : ReadCases("generate")) {
    if (row.map.empty()) continue;
    SCOPED_TRACE(row.name);

    const std::vector<TraceLine> trace = ReadTrace(row.name);
    auto sqm = std::find_if(trace.begin(), trace.end(),
                            [](const TraceLine& t) { return t.kind == "status" && t.text == "SQM"; });
    std::vector<std::string> wantTrace;
    for (auto t = sqm; t != trace.end(); ++t) wantTrace.push_back(t->line);
    ASSERT_FALSE(wantTrace.empty());
    wantTrace.pop_back();  // the closing "end" line
    const uint64_t draws = sqm->draws;
    const uint32_t seedAtSqm = sqm->seed;

    const Sections want = SectionMap(ReadBytes(row.map));
    std::vector<uint16_t> tiles;
    for (uint16_t tile : Words(want.at("MTXM"))) tiles.push_back(static_cast<uint16_t>(tile & 0xFFF0));

    auto s = MakeGeneratorState();
    LoadConfigurationWithMenu(*s, row.settings.string());
    s->random.Seed(static_cast<uint32_t>(std::stoul(row.seed)));
    ReplayUi ui(*s, tiles, seedAtSqm, draws);
    ui.buildOnSand = row.buildOnSand == "ok" ? BuildOnSandAnswer::kOk : BuildOnSandAnswer::kCancel;
    ui.unplaced = row.unplaced == "ignore"  ? UnplacedAnswer::kIgnore
                  : row.unplaced == "retry" ? UnplacedAnswer::kRetry
                                            : UnplacedAnswer::kAbort;
    const std::filesystem::path out = dir_ / (row.name + ".pud");
    PrepareAndRunGeneration(*s, out.string(), RunOptions{.ui = &ui});

    // Up to the placement question; decorations and the file are not placement's.
    auto placementPart = [](std::vector<std::string> lines) {
      auto end = std::find_if(lines.begin(), lines.end(),
                              [](const std::string& l) { return l.rfind("status\tDecorations\t", 0) == 0; });
      lines.erase(end, lines.end());
      return lines;
    };
    EXPECT_EQ(placementPart(ui.trace), placementPart(wantTrace));
    const Sections got = SectionMap(ReadBytes(out));
    for (const char* section : {"UNIT", "SGLD", "SLBR", "SOIL", "AIPL", "SIDE"})
      EXPECT_TRUE(got.count(section) && got.at(section) == want.at(section)) << section;
  }
}

}  // namespace
}  // namespace glenmire
