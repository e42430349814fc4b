#include "settings/defaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "core/settings_record.h"
#include "settings/config_file.h"
#include "settings/settings_fields.h"

namespace glenmire {
namespace {

SettingsRecord Filled(uint8_t byte) {
  SettingsRecord r = ZeroRecord();
  std::memset(&r, byte, sizeof r);
  return r;
}

const uint8_t* Bytes(const SettingsRecord& r) { return reinterpret_cast<const uint8_t*>(&r); }

SettingsRecord Defaults() {
  SettingsRecord r = ZeroRecord();
  SetDefaults(r);
  return r;
}

TEST(SetDefaults, ScalarAndPerPlayerValues) {
  SettingsRecord r = Defaults();
  EXPECT_EQ(r.MapDescription.str(), "Glenmire Generated Map!");
  EXPECT_EQ(r.MapDescription.length, 23);
  const uint8_t controllers[kPlayers] = {5, 4, 3, 3, 3, 3, 3, 3};
  for (int p = 0; p < kPlayers; ++p) {
    SCOPED_TRACE(p + 1);
    EXPECT_EQ(r.PlayerController[p], controllers[p]);
    EXPECT_EQ(r.PlayerRace[p], 0);
    EXPECT_EQ(r.StartGold[p], 1000);
    EXPECT_EQ(r.StartLumber[p], 1000);
    EXPECT_EQ(r.StartOil[p], 1000);
    EXPECT_EQ(r.RandomStartGold[p], 0);
    EXPECT_EQ(r.PlayerAI[p], 0);
    EXPECT_EQ(r.Difficulty[p], 1);
  }
  EXPECT_EQ(r.Climate, 0);
  EXPECT_EQ(r.MapSize, 128);
  EXPECT_EQ(r.ReservedFlag, 1);
  EXPECT_EQ(r.RandomMethod, 0);
  EXPECT_EQ(r.RandomExtremity, 10);
}

// Rows of the unit defaults table, written out again here.
struct UnitRow {
  int number;
  char race;
  int visible, hitPoints, magic, build, gold, lumber, oil, range, armor, basic, piercing;
};
const UnitRow kUnitRows[] = {
    {1, 'H', 4, 60, 0, 60, 60, 0, 0, 1, 2, 6, 3},            // Footman: 600 gold
    {2, 'O', 4, 60, 0, 60, 60, 0, 0, 1, 2, 6, 3},            // Grunt
    {5, 'H', 9, 110, 0, 250, 90, 30, 0, 8, 0, 80, 0},        // Ballista
    {11, 'H', 9, 60, 1, 120, 120, 0, 0, 2, 0, 0, 9},         // Mage
    {12, 'O', 9, 60, 1, 120, 120, 0, 0, 3, 0, 0, 9},         // Death Knight
    {22, 'O', 4, 150, 0, 70, 60, 20, 50, 1, 0, 0, 0},        // Orc Transport
    {26, 'O', 8, 150, 0, 140, 100, 50, 100, 6, 15, 130, 0},  // Ogre Juggernaught
    {33, 'O', 3, 100, 0, 0, 0, 0, 0, 1, 0, 0, 0},            // Eye of Kilrogg
    {34, 'O', 5, 100, 0, 100, 110, 50, 0, 1, 0, 10, 5},      // Cho'Gall
    {36, 'O', 8, 40, 1, 120, 120, 0, 0, 3, 0, 0, 3},         // Gul'Dan
    {38, 'O', 6, 40, 0, 70, 50, 5, 0, 5, 0, 3, 6},           // Zuljin
    {39, '.', 3, 40, 0, 0, 0, 0, 0, 1, 0, 6, 3},             // Skeleton
    {40, '.', 5, 60, 0, 0, 0, 0, 0, 2, 2, 9, 1},             // Daemon
    {41, '.', 2, 5, 0, 0, 0, 0, 0, 1, 0, 0, 0},              // Critter
    {42, 'H', 3, 400, 0, 100, 50, 25, 0, 0, 20, 0, 0},       // Farm
    {58, 'H', 4, 1200, 0, 255, 120, 80, 0, 0, 20, 0, 0},     // Town Hall
    {66, 'H', 3, 775, 0, 200, 80, 45, 10, 0, 20, 0, 0},      // Human Blacksmith
    {75, 'O', 9, 1600, 0, 200, 250, 120, 50, 0, 20, 0, 0},   // Fortress
    {76, 'H', 9, 130, 0, 140, 50, 15, 0, 0, 20, 4, 12},      // Human Guard Tower
    {79, 'O', 9, 160, 0, 190, 100, 30, 0, 0, 20, 50, 0},     // Orc Cannon Tower
};

TEST(SetDefaults, UnitStatisticsOfTheGame) {
  SettingsRecord r = Defaults();
  for (const UnitRow& u : kUnitRows) {
    SCOPED_TRACE(u.number);
    int k = u.number - 1;
    EXPECT_EQ(r.UnitRace[k], u.race);
    EXPECT_EQ(r.UnitVisibleRange[k], u.visible);
    EXPECT_EQ(r.UnitHitPoints[k], u.hitPoints);
    EXPECT_EQ(r.UnitMagicPoints[k], u.magic);
    EXPECT_EQ(r.UnitBuildTime[k], u.build);
    EXPECT_EQ(r.UnitGoldCost[k], u.gold);
    EXPECT_EQ(r.UnitLumberCost[k], u.lumber);
    EXPECT_EQ(r.UnitOilCost[k], u.oil);
    EXPECT_EQ(r.UnitAttackRange[k], u.range);
    EXPECT_EQ(r.UnitArmor[k], u.armor);
    EXPECT_EQ(r.UnitBasicDamage[k], u.basic);
    EXPECT_EQ(r.UnitPiercingDamage[k], u.piercing);
  }
}

TEST(SetDefaults, RacesAlternateAndTheNeutralsAreTheSummonedAndTheCritter) {
  SettingsRecord r = Defaults();
  int humans = 0, orcs = 0, neutral = 0;
  for (int k = 0; k < kUnitTypes; ++k) {
    humans += r.UnitRace[k] == 'H';
    orcs += r.UnitRace[k] == 'O';
    neutral += r.UnitRace[k] == '.';
  }
  EXPECT_EQ(neutral, 3);
  EXPECT_EQ(humans + orcs + neutral, kUnitTypes);
  EXPECT_EQ(orcs, 39);  // the Eye of Kilrogg and the villains tip the balance
}

TEST(SetDefaults, SummonedUnitsAndTheCritterCostNothing) {
  SettingsRecord r = Defaults();
  for (int number : {33, 39, 40, 41}) {
    int k = number - 1;
    EXPECT_EQ(r.UnitBuildTime[k], 0) << number;
    EXPECT_EQ(r.UnitGoldCost[k] + r.UnitLumberCost[k] + r.UnitOilCost[k], 0) << number;
  }
}

struct UpgradeRow {
  int number;
  int step;
  int64_t gold, lumber, oil;  // -1: not set
};
const UpgradeRow kUpgradeRows[] = {
    {1, 200, 800, -1, -1},     {2, 250, 2400, -1, -1},     {3, 200, 500, 100, -1},   {12, 250, 900, 500, -1},
    {13, 200, 700, 100, 1000}, {16, 250, 2000, 250, 3000}, {18, 250, 1500, 900, -1}, {21, 250, 1500, -1, -1},
    {34, 250, 1000, -1, -1},   {35, 0, -1, -1, -1},        {36, 200, 1000, -1, -1},  {39, 0, -1, -1, -1},
    {44, 0, -1, -1, -1},       {47, 100, -1, -1, -1},      {52, 200, 2000, -1, -1},
};

TEST(SetDefaults, UpgradeCostsAndTheEntriesLeftAlone) {
  SettingsRecord zero = Defaults();
  SettingsRecord filled = Filled(0x77);
  SetDefaults(filled);
  const int32_t kept = 0x77777777;
  for (const UpgradeRow& u : kUpgradeRows) {
    SCOPED_TRACE(u.number);
    int j = u.number - 1;
    EXPECT_EQ(zero.UpgradeStepCost[j], u.step);
    EXPECT_EQ(filled.UpgradeStepCost[j], u.step);
    EXPECT_EQ(zero.UpgradeGoldCost[j], u.gold < 0 ? 0 : u.gold);
    EXPECT_EQ(filled.UpgradeGoldCost[j], u.gold < 0 ? kept : u.gold);
    EXPECT_EQ(zero.UpgradeLumberCost[j], u.lumber < 0 ? 0 : u.lumber);
    EXPECT_EQ(filled.UpgradeLumberCost[j], u.lumber < 0 ? kept : u.lumber);
    EXPECT_EQ(zero.UpgradeOilCost[j], u.oil < 0 ? 0 : u.oil);
    EXPECT_EQ(filled.UpgradeOilCost[j], u.oil < 0 ? kept : u.oil);
  }
}

// The fields the defaults write; every other byte keeps what it held.
const std::set<std::string> kWritten = {"MapDescription",
                                        "UnitRace",
                                        "PlayerController",
                                        "PlayerRace",
                                        "Climate",
                                        "MapSize",
                                        "ReservedFlag",
                                        "UnitVisibleRange",
                                        "UnitHitPoints",
                                        "UnitMagicPoints",
                                        "UnitBuildTime",
                                        "UnitGoldCost",
                                        "UnitLumberCost",
                                        "UnitOilCost",
                                        "UnitAttackRange",
                                        "UnitArmor",
                                        "UnitBasicDamage",
                                        "UnitPiercingDamage",
                                        "UpgradeStepCost",
                                        "UpgradeGoldCost",
                                        "UpgradeLumberCost",
                                        "UpgradeOilCost",
                                        "RandomUnitVisibleRange",
                                        "RandomUnitHitPoints",
                                        "RandomUnitMagicPoints",
                                        "RandomUnitBuildTime",
                                        "RandomUnitGoldCost",
                                        "RandomUnitLumberCost",
                                        "RandomUnitOilCost",
                                        "RandomUnitAttackRange",
                                        "RandomUnitArmor",
                                        "RandomUnitBasicDamage",
                                        "RandomUnitPiercingDamage",
                                        "RandomUpgradeStepCost",
                                        "RandomUpgradeGoldCost",
                                        "RandomUpgradeLumberCost",
                                        "RandomUpgradeOilCost",
                                        "StartGold",
                                        "StartLumber",
                                        "StartOil",
                                        "RandomStartGold",
                                        "RandomStartLumber",
                                        "RandomStartOil",
                                        "PlayerAI",
                                        "Difficulty",
                                        "RandomMethod",
                                        "RandomExtremity"};

TEST(SetDefaults, WritesOnlyItsOwnFields) {
  SettingsRecord a = Filled(0xA5);
  SettingsRecord b = Filled(0x5A);
  SetDefaults(a);
  SetDefaults(b);
  for (const FieldInfo& f : SettingsFields()) {
    bool written = kWritten.count(std::string(f.name)) != 0;
    for (std::size_t i = 0; i < f.Size(); ++i) {
      std::size_t o = f.offset + i;
      if (!written) {
        EXPECT_EQ(Bytes(a)[o], 0xA5) << f.name << " +" << i;
        EXPECT_EQ(Bytes(b)[o], 0x5A) << f.name << " +" << i;
      } else if (f.name == "MapDescription" && i > 23) {
        // characters past the length are not part of the value
      } else if (f.name.starts_with("Upgrade") && f.name != "UpgradeStepCost") {
        // entries the defaults leave alone are checked above
      } else {
        EXPECT_EQ(Bytes(a)[o], Bytes(b)[o]) << f.name << " +" << i;
      }
    }
  }
  // Among the fields left alone: the file name, the land, resource and
  // critter settings, the players' counts and the menu states.
  EXPECT_EQ(a.Decorations, static_cast<int8_t>(0xA5));
  EXPECT_EQ(a.GoldAmount, static_cast<int32_t>(0xA5A5A5A5));
  EXPECT_EQ(a.NumberOfPlayers, static_cast<int8_t>(0xA5));
  EXPECT_EQ(a.SafetyMode, 0xA5);
}

TEST(SetDefaults, LeavesAZeroRecordsOtherFieldsZero) {
  SettingsRecord r = Defaults();
  EXPECT_TRUE(r.MapFileName.empty());
  EXPECT_EQ(r.GoldAmount, 0);
  EXPECT_EQ(r.OilAmount, 0);
  EXPECT_EQ(r.GoldMines, 0);
  EXPECT_EQ(r.LandWater, 0);
  EXPECT_EQ(r.NumberOfPlayers, 0);
  EXPECT_EQ(r.HumanControlled, 0);
  EXPECT_EQ(r.ShowWarnings, 0);
  EXPECT_EQ(r.RiversEnable, 0);
}

TEST(StarterConfiguration, IsTheDefaultsWithTheWindowsResetValues) {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  SettingsRecord defaults = Defaults();
  // Everything the defaults set is there.
  EXPECT_EQ(std::memcmp(r.UnitHitPoints, defaults.UnitHitPoints, sizeof r.UnitHitPoints), 0);
  EXPECT_EQ(r.MapSize, 128);
  EXPECT_EQ(r.MapDescription.str(), "Glenmire Generated Map!");
  // Land: 20, 80, 30, 30, 40, 20, decorations 7, nothing random.
  EXPECT_EQ(r.LandWater, 20);
  EXPECT_EQ(r.BuildableLand, 80);
  EXPECT_EQ(r.Rivers, 30);
  EXPECT_EQ(r.Lakes, 30);
  EXPECT_EQ(r.Forest, 40);
  EXPECT_EQ(r.Mountains, 20);
  EXPECT_EQ(r.Decorations, 7);
  EXPECT_EQ(
      r.RandomLandWater + r.RandomBuildableLand + r.RandomRivers + r.RandomLakes + r.RandomForest + r.RandomMountains,
      0);
  // The hidden check boxes in their initial state.
  EXPECT_EQ(r.RiversEnable, 1);
  EXPECT_EQ(r.LakesEnable, 1);
  EXPECT_EQ(r.ForestEnable, 1);
  EXPECT_EQ(r.MountainsEnable, 1);
  EXPECT_EQ(r.MultipleLakes, 1);
  EXPECT_EQ(r.MultipleRivers, 0);
  EXPECT_EQ(r.AddWalls, 0);
  EXPECT_EQ(r.EnableIslands, 0);
  // Natural resources: 100 and 100, a mine and a patch per player.
  EXPECT_EQ(r.GoldAmount, 100);
  EXPECT_EQ(r.OilAmount, 100);
  EXPECT_EQ(r.GoldMines, 2);
  EXPECT_EQ(r.OilPatches, 2);
  // Critters.
  EXPECT_EQ(r.CrittersNormal, 2);
  for (int p = 0; p < kPlayers; ++p) EXPECT_EQ(r.CrittersPlayer[p], 0);
  // What the File window stores, and the three menu items.
  EXPECT_EQ(r.NumberOfPlayers, 2);
  EXPECT_EQ(r.HumanControlled, 1);
  EXPECT_EQ(r.ShowWarnings, 1);
  EXPECT_EQ(r.Compensate, 1);
  EXPECT_EQ(r.SafetyMode, 1);
}

TEST(StarterConfiguration, EqualsTheReferenceStarterFile) {
  // The reference runs start from the same starter configuration, made by a
  // second implementation.
  const std::string path = std::string(GLENMIRE_REFERENCE_DIR) + "/starter128/settings.gmp";
  ASSERT_TRUE(std::filesystem::exists(path)) << "reference data missing: " << path;
  SettingsRecord reference = ZeroRecord();
  LoadConfiguration(reference, path);
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  for (const FieldInfo& f : SettingsFields())
    for (std::size_t i = 0; i < f.Size(); ++i)
      EXPECT_EQ(Bytes(r)[f.offset + i], Bytes(reference)[f.offset + i]) << f.name << " +" << i;
}

}  // namespace
}  // namespace glenmire
