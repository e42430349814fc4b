#include "settings/randomiser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/generator_state.h"
#include "settings/config_file.h"
#include "settings/defaults.h"
#include "settings/random_flags.h"
#include "support/reference_data.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

enum Method : uint8_t { kRanged = 0, kWeighted = 1, kRaw = 2, kAnyMethod = 3 };

std::unique_ptr<GeneratorState> StateWith(uint8_t method, int8_t extremity, uint32_t seed) {
  auto s = MakeGeneratorState();
  SetDefaults(s->settings);
  s->settings.RandomMethod = method;
  s->settings.RandomExtremity = extremity;
  s->random.Seed(seed);
  return s;
}

struct Draws {
  std::set<int32_t> values;
  uint64_t drawsPerCall = 0;
  bool sameDrawCount = true;
};

// RandomValue over many seeds: every value it gave and the draws it took.
Draws Sample(uint8_t method, int8_t extremity, int32_t lo, int32_t hi, int32_t centre, int seeds = 3000) {
  Draws d;
  for (int seed = 1; seed <= seeds; ++seed) {
    auto s = StateWith(method, extremity, static_cast<uint32_t>(seed) * 2654435761u);
    d.values.insert(RandomValue(s->settings, s->random, lo, hi, centre));
    if (seed == 1) d.drawsPerCall = s->random.draws;
    d.sameDrawCount = d.sameDrawCount && s->random.draws == d.drawsPerCall;
  }
  return d;
}

std::set<int32_t> Range(int32_t a, int32_t b) {
  std::set<int32_t> r;
  for (int32_t v = a; v <= b; ++v) r.insert(v);
  return r;
}

struct SampleCase {
  const char* what;
  uint8_t method;
  int8_t extremity;
  int32_t lo, hi, centre;
  std::set<int32_t> values;  // exactly the values that come out
  uint64_t draws;            // per call
};

TEST(RandomValue, TheThreeMethodsOnTheLandSettings) {
  const SampleCase cases[] = {
      {"ranged, extremity 10: span 20 gives bound 1", kRanged, 10, 0, 100, 20, {20}, 2},
      {"ranged, extremity 10: span 30 gives bound 2", kRanged, 10, 0, 100, 30, {29, 30, 31}, 2},
      {"ranged, extremity 10: buildable land, span 20", kRanged, 10, 0, 100, 80, {80}, 2},
      {"ranged, extremity 100: bound 20", kRanged, 100, 0, 100, 20, Range(1, 39), 2},
      {"weighted, extremity 10: g 0, uniform 0..20", kWeighted, 10, 0, 100, 20, Range(0, 20), 1},
      {"weighted, extremity 100: g = 20 x 50 %", kWeighted, 100, 0, 100, 20, Range(10, 20), 1},
      {"weighted upper branch undefined below c - 1: the centre", kWeighted, 10, 0, 100, 80, {80}, 1},
      {"weighted upper branch at g = c: the centre", kWeighted, 100, 0, 100, 50, {50}, 1},
      {"raw: anything in lo..hi", kRaw, 10, 0, 100, 20, Range(0, 100), 1},
      {"raw ignores the extremity", kRaw, 1, 0, 9, 3, Range(0, 9), 1},
  };
  for (const SampleCase& c : cases) {
    SCOPED_TRACE(c.what);
    Draws d = Sample(c.method, c.extremity, c.lo, c.hi, c.centre);
    EXPECT_EQ(d.values, c.values);
    EXPECT_EQ(d.drawsPerCall, c.draws);
    EXPECT_TRUE(d.sameDrawCount);
  }
}

TEST(RandomValue, RangedDrawsTheAmountThenTheDirection) {
  for (uint32_t seed : {1u, 77u, 123456789u, 0xFFFFFFFFu}) {
    auto s = StateWith(kRanged, 100, seed);
    Random copy;
    copy.Seed(seed);
    int32_t amount = copy.RandInt(20);
    int32_t expected = copy.RandInt(2) == 0 ? 20 - amount : 20 + amount;
    EXPECT_EQ(RandomValue(s->settings, s->random, 0, 100, 20), expected) << seed;
    EXPECT_EQ(s->random.seed, copy.seed);
  }
}

TEST(RandomValue, WeightedDrawsOnceFromItsFloor) {
  for (uint32_t seed : {5u, 99u, 31337u}) {
    auto s = StateWith(kWeighted, 100, seed);
    Random copy;
    copy.Seed(seed);
    int32_t g = ExtendedPercent(20, 50);
    int32_t expected = g + copy.RandInt(20 - g + 1);
    EXPECT_EQ(RandomValue(s->settings, s->random, 0, 100, 20), expected) << seed;
  }
}

TEST(RandomValue, RandomMethodDrawsTheMethodFirst) {
  for (uint32_t seed = 1; seed < 200; ++seed) {
    auto s = StateWith(kAnyMethod, 100, seed);
    int32_t got = RandomValue(s->settings, s->random, 0, 100, 20);

    Random copy;
    copy.Seed(seed);
    uint8_t method = static_cast<uint8_t>(copy.RandInt(3));
    auto t = StateWith(method, 100, copy.seed);
    EXPECT_EQ(got, RandomValue(t->settings, t->random, 0, 100, 20)) << seed;
    EXPECT_EQ(s->random.draws, 1 + t->random.draws) << seed;
  }
}

struct ClampCase {
  const char* what;
  uint8_t method;
  int32_t lo, hi, centre, expected;
  uint64_t draws;
};

TEST(RandomValue, ResultIsClampedIntoLoHiAndEmptyDrawsStillCount) {
  const ClampCase cases[] = {
      // An upgrade gold cost of 800 randomised within 0..255: negative span,
      // a draw of a negative count gives 0, the result 800 is clamped.
      {"ranged, centre above hi", kRanged, 0, 255, 800, 255, 2},
      {"weighted, centre above hi", kWeighted, 0, 255, 800, 255, 1},
      {"ranged, centre below lo", kRanged, 0, 100, -5, 0, 2},
      // Oil patches below the number of players: hi 1, centre 2.
      {"ranged, oil patches below players", kRanged, 0, 1, 2, 1, 2},
      {"method 4 is not a method: no draw, the centre", 4, 0, 100, 37, 37, 0},
      {"method 255: no draw, the centre clamped", 255, 0, 100, 300, 100, 0},
  };
  for (const ClampCase& c : cases) {
    SCOPED_TRACE(c.what);
    for (uint32_t seed : {3u, 4u, 5u, 1000u}) {
      auto s = StateWith(c.method, 10, seed);
      EXPECT_EQ(RandomValue(s->settings, s->random, c.lo, c.hi, c.centre), c.expected);
      EXPECT_EQ(s->random.draws, c.draws);
    }
  }
}

// ---- RandomiseSettings ----

TEST(RandomiseSettings, DrawsEverySettingInItsPlace) {
  // One flag of every kind, with the raw method so that each value is one
  // plain draw whose count tells which setting it belongs to.
  auto s = StateWith(kRaw, 10, 20240601);
  SettingsRecord& r = s->settings;
  r.MapSize = 0;
  r.Climate = 4;
  r.RandomLakes = 1;
  r.RandomRivers = 1;
  r.NumberOfPlayers = 2;
  r.OilPatches = 7;
  r.RandomOilPatches = 1;
  r.RandomGoldAmount = 1;
  r.DifficultyRandom[1] = 1;        // player 2, a computer
  r.DifficultyRandom[4] = 1;        // player 5, nobody: no draw
  r.RandomUpgradeOilCost[12] = 1;   // Human Ship Attack 1
  r.RandomUpgradeStepCost[51] = 1;  // Death And Decay
  r.RandomStartLumber[0] = 1;
  r.RandomStartGold[7] = 1;
  r.RandomUnitArmor[0] = 1;          // last of the unit arrays
  r.RandomUnitVisibleRange[78] = 1;  // first of them
  r.RandomUnitHitPoints[40] = 1;
  r.CritterRandomPlayer[2] = 1;
  r.RandomCritters = 1;
  r.PlayerRace[0] = 2;
  r.PlayerController[2] = kControllerRescueRandom;
  r.PlayerAI[1] = kAiRandom;
  r.PlayerAI[6] = kAiRandom;

  Random x;
  x.Seed(20240601);
  const int32_t sizes[] = {32, 64, 96, 128};
  int32_t mapSize = sizes[x.RandInt(4)];
  int32_t climate = x.RandInt(4);
  int32_t lakes = x.RandInt(101);
  int32_t rivers = x.RandInt(101);
  int32_t goldAmount = x.RandInt(256);
  int32_t oilPatches = x.RandInt(8);  // 0..current oil patches
  int32_t difficulty2 = 1 + x.RandInt(10);
  int32_t stepCost52 = x.RandInt(256);
  int32_t oilCost13 = x.RandInt(256);
  int32_t startGold8 = x.RandInt(65536);
  int32_t startLumber1 = x.RandInt(65536);
  int32_t visibleRange79 = x.RandInt(10);
  int32_t hitPoints41 = x.RandInt(65536);
  int32_t armor1 = x.RandInt(256);
  int32_t critters3 = 1 + x.RandInt(10);
  int32_t crittersNormal = 1 + x.RandInt(10);
  int32_t race1 = x.RandInt(2);
  int32_t controller3 = 6 + x.RandInt(2);
  const uint8_t behaviours[] = {0, 1, 25, 26};
  uint8_t ai2 = behaviours[x.RandInt(4)];
  uint8_t ai7 = behaviours[x.RandInt(4)];

  RandomiseSettings(s->settings, s->random, s->MapLoaded);

  EXPECT_EQ(r.MapSize, mapSize);
  EXPECT_EQ(r.Climate, climate);
  EXPECT_EQ(r.Lakes, static_cast<int8_t>(lakes));
  EXPECT_EQ(r.Rivers, static_cast<int8_t>(rivers));
  EXPECT_EQ(r.GoldAmount, goldAmount);
  EXPECT_EQ(r.OilPatches, oilPatches);
  EXPECT_EQ(r.Difficulty[1], difficulty2);
  EXPECT_EQ(r.Difficulty[4], 1);
  EXPECT_EQ(r.UpgradeStepCost[51], stepCost52);
  EXPECT_EQ(r.UpgradeOilCost[12], oilCost13);
  EXPECT_EQ(r.StartGold[7], startGold8);
  EXPECT_EQ(r.StartLumber[0], startLumber1);
  EXPECT_EQ(r.UnitVisibleRange[78], visibleRange79);
  EXPECT_EQ(r.UnitHitPoints[40], hitPoints41);
  EXPECT_EQ(r.UnitArmor[0], armor1);
  EXPECT_EQ(r.CrittersPlayer[2], critters3);
  EXPECT_EQ(r.CrittersNormal, crittersNormal);
  EXPECT_EQ(r.PlayerRace[0], race1);
  EXPECT_EQ(r.PlayerController[2], controller3);
  EXPECT_EQ(r.PlayerAI[1], ai2);
  EXPECT_EQ(r.PlayerAI[6], ai7);
  EXPECT_EQ(s->random.seed, x.seed);
  EXPECT_EQ(s->random.draws, 20u);
}

TEST(RandomiseSettings, AGenitizeRunKeepsTheLoadedPlayersAndCritters) {
  auto s = StateWith(kRanged, 10, 42);
  SettingsRecord& r = s->settings;
  ApplyMayhem(r);
  r.PlayerController[3] = kControllerRescueRandom;
  s->MapLoaded = true;
  RandomiseSettings(s->settings, s->random, s->MapLoaded);
  uint64_t draws = s->random.draws;
  EXPECT_GT(draws, 0u);
  for (int p = 0; p < kPlayers; ++p) {
    EXPECT_EQ(r.PlayerRace[p], 2);
    EXPECT_EQ(r.PlayerAI[p], kAiRandom);
    EXPECT_EQ(r.CrittersPlayer[p], 0);
  }
  EXPECT_EQ(r.PlayerController[3], kControllerRescueRandom);
  EXPECT_EQ(r.CrittersNormal, 0);

  // The same record without a loaded map draws exactly the rest on top.
  auto t = StateWith(kRanged, 10, 42);
  ApplyMayhem(t->settings);
  t->settings.PlayerController[3] = kControllerRescueRandom;
  RandomiseSettings(t->settings, t->random, t->MapLoaded);
  EXPECT_EQ(t->random.draws, draws + 8 + 1 + 8 + 1 + 8);
  EXPECT_EQ(std::memcmp(t->settings.UnitArmor, r.UnitArmor, sizeof r.UnitArmor), 0);
}

TEST(RandomiseSettings, MapSizeZeroBecomesOneOfTheFourSizesAndOthersStay) {
  std::set<int32_t> sizes;
  for (uint32_t seed = 0; seed < 200; ++seed) {
    auto s = StateWith(kRanged, 10, seed);
    s->settings.MapSize = 0;
    RandomiseSettings(s->settings, s->random, s->MapLoaded);
    sizes.insert(s->settings.MapSize);
  }
  EXPECT_EQ(sizes, (std::set<int32_t>{32, 64, 96, 128}));
  for (int32_t size : {32, 64, 96, 128, 100}) {
    auto s = StateWith(kRanged, 10, 7);
    s->settings.MapSize = size;
    RandomiseSettings(s->settings, s->random, s->MapLoaded);
    EXPECT_EQ(s->settings.MapSize, size);
    EXPECT_EQ(s->random.draws, 0u);
  }
}

TEST(RandomiseSettings, ClearFlagsAreNeverTouchedWhateverTheMethod) {
  for (uint8_t method : {0, 1, 2, 3}) {
    auto s = StateWith(method, 100, 5);
    SettingsRecord& r = s->settings;
    MakeStarterConfiguration(r);
    r.RandomMethod = method;
    r.RandomExtremity = 100;
    r.AllHumanPlayers = 1;
    r.AllComputerPlayers = 1;
    const SettingsRecord before = r;
    RandomiseSettings(s->settings, s->random, s->MapLoaded);
    EXPECT_EQ(s->random.draws, 0u);
    // Only the hidden all-players switches are cleared.
    EXPECT_EQ(r.AllHumanPlayers, 0);
    EXPECT_EQ(r.AllComputerPlayers, 0);
    r.AllHumanPlayers = 1;
    r.AllComputerPlayers = 1;
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
  }
}

TEST(RandomiseSettings, RangedExtremity10KeepsTheLandNearItsDefaults) {
  for (uint32_t seed = 0; seed < 300; ++seed) {
    auto s = StateWith(kRanged, 10, seed);
    SettingsRecord& r = s->settings;
    SetLandAllRandom(r);
    r.LandWater = r.Mountains = r.BuildableLand = r.Lakes = r.Rivers = r.Forest = 99;
    RandomiseSettings(s->settings, s->random, s->MapLoaded);
    EXPECT_EQ(r.LandWater, 20);
    EXPECT_EQ(r.Mountains, 20);
    EXPECT_EQ(r.BuildableLand, 80);
    EXPECT_LE(std::abs(r.Lakes - 30), 1);
    EXPECT_LE(std::abs(r.Rivers - 30), 1);
    EXPECT_LE(std::abs(r.Forest - 40), 2);  // span 40, bound 3
    EXPECT_EQ(s->random.draws, 12u);
  }
}

TEST(RandomiseSettings, RawGoldAmountCanBeZeroAndSafetyModeRaisesIt) {
  bool found = false;
  for (uint32_t seed = 0; seed < 100000 && !found; ++seed) {
    auto s = StateWith(kRaw, 10, seed);
    s->settings.GoldAmount = 100;
    s->settings.RandomGoldAmount = 1;
    RandomiseSettings(s->settings, s->random, s->MapLoaded);
    if (s->settings.GoldAmount != 0) continue;
    found = true;
    ApplySafetyClamps(s->settings);
    EXPECT_EQ(s->settings.GoldAmount, 6);
  }
  EXPECT_TRUE(found);
}

TEST(RandomiseSettings, StartupLevelsOnlyForPlayersWhoPlay) {
  auto s = StateWith(kRanged, 10, 9);
  SettingsRecord& r = s->settings;
  for (int p = 0; p < kPlayers; ++p) r.DifficultyRandom[p] = 1;
  r.AllHumanPlayers = 1;
  r.AllComputerPlayers = 1;
  r.AllHumanDiff = 10;
  RandomiseSettings(s->settings, s->random, s->MapLoaded);
  EXPECT_EQ(s->random.draws, 2u);  // players 1 and 2; 3..8 are nobody
  for (int p = 2; p < kPlayers; ++p) EXPECT_EQ(r.Difficulty[p], 1);
  for (int p = 0; p < 2; ++p) {
    EXPECT_GE(r.Difficulty[p], 1);
    EXPECT_LE(r.Difficulty[p], 10);
  }
  EXPECT_EQ(r.AllHumanPlayers, 0);
  EXPECT_EQ(r.AllComputerPlayers, 0);
  EXPECT_EQ(r.AllHumanDiff, 10);
}

// The reference runs: the first status of a run comes before the first
// stage draws, so the draws counted there are the randomiser's alone.
TEST(RandomiseSettings, DrawsAsManyAsTheReferenceRuns) {
  int rows = 0;
  for (const ReferenceCase& row : ReadCases("generate")) {
    SCOPED_TRACE(row.name);
    const std::vector<TraceLine> trace = ReadTrace(row.name);
    ASSERT_FALSE(trace.empty());
    uint64_t expected = trace.front().draws;

    auto s = MakeGeneratorState();
    LoadConfiguration(s->settings, row.settings.string());
    s->random.Seed(static_cast<uint32_t>(std::stoul(row.seed)));
    RandomiseSettings(s->settings, s->random, s->MapLoaded);
    if (s->settings.SafetyMode) ApplySafetyClamps(s->settings);
    EXPECT_EQ(s->random.draws, expected);
    ++rows;
  }
  EXPECT_GT(rows, 0);
}

// The unit and upgrade statistics that the reference maps carry are the
// randomiser's (and the clamps') values: they pass through the rest of a run
// unchanged, so every drawn value can be checked, not only the draw count.

// The map's unit type id of settings number k (1..79).
int UnitId(int k) {
  if (k <= 18) return k - 1;
  if (k <= 26) return k - 19 + 26;
  if (k <= 32) return k - 27 + 38;
  if (k == 33) return 45;
  if (k <= 38) return k - 34 + 49;
  if (k <= 75) return k - 39 + 55;
  return k - 76 + 96;
}

TEST(RandomiseSettings, DrawsTheValuesTheReferenceMapsCarry) {
  int maps = 0;
  for (const ReferenceCase& row : ReadCases("generate")) {
    if (row.map.empty()) continue;
    SCOPED_TRACE(row.name);
    auto s = MakeGeneratorState();
    LoadConfiguration(s->settings, row.settings.string());
    s->random.Seed(static_cast<uint32_t>(std::stoul(row.seed)));
    RandomiseSettings(s->settings, s->random, s->MapLoaded);
    if (s->settings.SafetyMode) ApplySafetyClamps(s->settings);
    const SettingsRecord& r = s->settings;

    auto sections = SectionMap(ReadBytes(row.map));
    const std::vector<uint8_t>& upgrades = sections["UGRD"];
    const std::vector<uint8_t>& units = sections["UDTA"];
    ASSERT_EQ(upgrades.size(), 782u);
    ASSERT_EQ(units.size(), 5696u);
    for (int j = 0; j < kUpgrades; ++j) {
      EXPECT_EQ(upgrades[2 + j], r.UpgradeStepCost[j]) << "upgrade " << j + 1;
      EXPECT_EQ(WordAt(upgrades, 54 + 2 * j), r.UpgradeGoldCost[j] & 0xFFFF) << "upgrade " << j + 1;
      EXPECT_EQ(WordAt(upgrades, 158 + 2 * j), r.UpgradeLumberCost[j] & 0xFFFF) << "upgrade " << j + 1;
      EXPECT_EQ(WordAt(upgrades, 262 + 2 * j), r.UpgradeOilCost[j] & 0xFFFF) << "upgrade " << j + 1;
    }
    for (int k = 1; k <= kUnitTypes; ++k) {
      SCOPED_TRACE(k);
      int id = UnitId(k);
      EXPECT_EQ(WordAt(units, 1238 + 4 * id), r.UnitVisibleRange[k - 1]);
      EXPECT_EQ(WordAt(units, 1678 + 2 * id), r.UnitHitPoints[k - 1] & 0xFFFF);
      EXPECT_EQ(units[1898 + id], r.UnitMagicPoints[k - 1]);
      EXPECT_EQ(units[2008 + id], r.UnitBuildTime[k - 1]);
      EXPECT_EQ(units[2118 + id], r.UnitGoldCost[k - 1]);
      if (k != 34) {  // the writer sets Cho'Gall's own
        EXPECT_EQ(units[2228 + id], r.UnitLumberCost[k - 1]);
      }
      EXPECT_EQ(units[2338 + id], r.UnitOilCost[k - 1]);
      if (k <= 41) {  // later ids carry constants
        EXPECT_EQ(units[3328 + id], r.UnitAttackRange[k - 1]);
      }
      EXPECT_EQ(units[3658 + id], r.UnitArmor[k - 1]);
      EXPECT_EQ(units[3988 + id], r.UnitBasicDamage[k - 1]);
      EXPECT_EQ(units[4098 + id], r.UnitPiercingDamage[k - 1]);
    }
    ++maps;
  }
  EXPECT_GT(maps, 0);
}

// ---- ApplySafetyClamps ----

SettingsRecord OutOfRange() {
  SettingsRecord r = ZeroRecord();
  SetDefaults(r);
  r.LandWater = 5;
  r.Mountains = 90;
  r.GoldAmount = 0;
  r.StartGold[3] = -5;
  r.UnitArmor[0] = 0;
  r.UpgradeOilCost[0] = -1;
  return r;
}

TEST(ApplySafetyClamps, ClampWithoutDrawing) {
  auto s = MakeGeneratorState();
  s->settings = OutOfRange();
  ApplySafetyClamps(s->settings);
  EXPECT_EQ(s->settings.LandWater, 30);
  EXPECT_EQ(s->settings.Mountains, 25);
  EXPECT_EQ(s->random.draws, 0u);
}

struct Clamp {
  const char* what;
  void (*set)(SettingsRecord&);
  bool (*check)(const SettingsRecord&);
};

#define CLAMP(what, setup, condition)                                                         \
  {                                                                                           \
    what, [](SettingsRecord& r) { setup; }, [](const SettingsRecord& r) { return condition; } \
  }

const Clamp kClamps[] = {
    CLAMP("land/water at least 30", r.LandWater = 29, r.LandWater == 30),
    CLAMP("land/water 30 stays", r.LandWater = 30, r.LandWater == 30),
    CLAMP("land/water 100 stays", r.LandWater = 100, r.LandWater == 100),
    CLAMP("land/water stored 200 reads -56", r.LandWater = static_cast<int8_t>(200), r.LandWater == 30),
    CLAMP("mountains at most 25", r.Mountains = 26, r.Mountains == 25),
    CLAMP("mountains -56 is below 25", r.Mountains = -56, r.Mountains == -56),
    CLAMP("lakes at most 50", r.Lakes = 51, r.Lakes == 50),
    CLAMP("lakes 0 stays", r.Lakes = 0, r.Lakes == 0),
    CLAMP("buildable land at least 25", r.BuildableLand = 24, r.BuildableLand == 25),
    CLAMP("forest at least 20", r.Forest = 19, r.Forest == 20),
    CLAMP("forest at most 50", r.Forest = 51, r.Forest == 50),
    CLAMP("decorations at least 2", r.Decorations = 1, r.Decorations == 2),
    CLAMP("decorations at most 20", r.Decorations = 21, r.Decorations == 20),
    CLAMP("decorations compare unsigned: -1 is 255", r.Decorations = -1, r.Decorations == 20),
    CLAMP("gold mines 0 with 2 players", (r.NumberOfPlayers = 2, r.GoldMines = 0), r.GoldMines == 2),
    CLAMP("gold mines 9 with 2 players", (r.NumberOfPlayers = 2, r.GoldMines = 9), r.GoldMines == 6),
    CLAMP("gold mines 4 with 2 players stay", (r.NumberOfPlayers = 2, r.GoldMines = 4), r.GoldMines == 4),
    CLAMP("gold mines with 0 players: the upper bound last", (r.NumberOfPlayers = 0, r.GoldMines = 3),
          r.GoldMines == 0),
    CLAMP("oil patches 0 with 8 players", (r.NumberOfPlayers = 8, r.OilPatches = 0), r.OilPatches == 8),
    CLAMP("oil patches 127 with 8 players", (r.NumberOfPlayers = 8, r.OilPatches = 127), r.OilPatches == 24),
    CLAMP("gold amount at least 6", r.GoldAmount = 0, r.GoldAmount == 6),
    CLAMP("gold amount at most 50", r.GoldAmount = 100, r.GoldAmount == 50),
    CLAMP("oil amount at least 6", r.OilAmount = -3, r.OilAmount == 6),
    CLAMP("oil amount at most 50", r.OilAmount = 255, r.OilAmount == 50),
    CLAMP("start gold at least 1000 (signed)", r.StartGold[0] = -5, r.StartGold[0] == 1000),
    CLAMP("start lumber at most 10000", r.StartLumber[7] = 10001, r.StartLumber[7] == 10000),
    CLAMP("start oil at most 10000", r.StartOil[4] = 65535, r.StartOil[4] == 10000),
    CLAMP("visible range 3..9", (r.UnitVisibleRange[0] = 2, r.UnitVisibleRange[78] = 10),
          r.UnitVisibleRange[0] == 3 && r.UnitVisibleRange[78] == 9),
    CLAMP("hit points 30..150 (signed)", (r.UnitHitPoints[40] = 5, r.UnitHitPoints[57] = 1200, r.UnitHitPoints[1] = -1),
          r.UnitHitPoints[40] == 30 && r.UnitHitPoints[57] == 150 && r.UnitHitPoints[1] == 30),
    CLAMP("magic at most 1", r.UnitMagicPoints[5] = 200, r.UnitMagicPoints[5] == 1),
    CLAMP("build time 45..250", (r.UnitBuildTime[32] = 0, r.UnitBuildTime[57] = 255),
          r.UnitBuildTime[32] == 45 && r.UnitBuildTime[57] == 250),
    CLAMP("gold cost 40..120", (r.UnitGoldCost[32] = 0, r.UnitGoldCost[73] = 250),
          r.UnitGoldCost[32] == 40 && r.UnitGoldCost[73] == 120),
    CLAMP("lumber cost at most 45", r.UnitLumberCost[73] = 120, r.UnitLumberCost[73] == 45),
    CLAMP("oil cost at most 100", r.UnitOilCost[24] = 101, r.UnitOilCost[24] == 100),
    CLAMP("attack range 1..8", (r.UnitAttackRange[41] = 0, r.UnitAttackRange[0] = 15),
          r.UnitAttackRange[41] == 1 && r.UnitAttackRange[0] == 8),
    CLAMP("armor 2..10", (r.UnitArmor[2] = 0, r.UnitArmor[41] = 20), r.UnitArmor[2] == 2 && r.UnitArmor[41] == 10),
    CLAMP("basic damage 3..130", (r.UnitBasicDamage[10] = 0, r.UnitBasicDamage[9] = 200),
          r.UnitBasicDamage[10] == 3 && r.UnitBasicDamage[9] == 130),
    CLAMP("piercing damage 2..16", (r.UnitPiercingDamage[4] = 0, r.UnitPiercingDamage[30] = 17),
          r.UnitPiercingDamage[4] == 2 && r.UnitPiercingDamage[30] == 16),
    CLAMP("upgrade step cost 100..250 (unsigned)", (r.UpgradeStepCost[34] = 0, r.UpgradeStepCost[0] = 255),
          r.UpgradeStepCost[34] == 100 && r.UpgradeStepCost[0] == 250),
    CLAMP("upgrade gold 500..2400", (r.UpgradeGoldCost[34] = 0, r.UpgradeGoldCost[21] = 4000),
          r.UpgradeGoldCost[34] == 500 && r.UpgradeGoldCost[21] == 2400),
    CLAMP("upgrade lumber 100..900", (r.UpgradeLumberCost[0] = 0, r.UpgradeLumberCost[51] = 901),
          r.UpgradeLumberCost[0] == 100 && r.UpgradeLumberCost[51] == 900),
    CLAMP("upgrade oil 0..3000 (signed)", (r.UpgradeOilCost[0] = -1, r.UpgradeOilCost[13] = 3001),
          r.UpgradeOilCost[0] == 0 && r.UpgradeOilCost[13] == 3000),
    CLAMP("critters, levels, rivers, climate and size are not clamped",
          (r.CrittersPlayer[0] = 99, r.CrittersNormal = -4, r.Difficulty[0] = 50, r.Rivers = 100, r.Climate = 9,
           r.MapSize = 7),
          r.CrittersPlayer[0] == 99 && r.CrittersNormal == -4 && r.Difficulty[0] == 50 && r.Rivers == 100 &&
              r.Climate == 9 && r.MapSize == 7),
};

TEST(ApplySafetyClamps, EachClamp) {
  for (const Clamp& c : kClamps) {
    SCOPED_TRACE(c.what);
    auto s = MakeGeneratorState();
    MakeStarterConfiguration(s->settings);
    c.set(s->settings);
    ApplySafetyClamps(s->settings);
    EXPECT_TRUE(c.check(s->settings));
  }
}

TEST(ApplySafetyClamps, TheStarterConfigurationNeedsOnlyItsKnownClamps) {
  auto s = MakeGeneratorState();
  MakeStarterConfiguration(s->settings);
  ApplySafetyClamps(s->settings);
  const SettingsRecord& r = s->settings;
  EXPECT_EQ(r.LandWater, 30);
  EXPECT_EQ(r.GoldAmount, 50);
  EXPECT_EQ(r.OilAmount, 50);
  EXPECT_EQ(r.GoldMines, 2);
  EXPECT_EQ(r.Decorations, 7);
  EXPECT_EQ(r.UnitHitPoints[57], 150);  // a Town Hall of 1200 hit points
  EXPECT_EQ(r.UpgradeGoldCost[21], 2400);
  EXPECT_EQ(r.UpgradeLumberCost[0], 100);  // Sword Strength 1 has no lumber cost
}

}  // namespace
}  // namespace glenmire
