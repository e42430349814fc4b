#include "core/settings_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "settings/settings_fields.h"

namespace glenmire {
namespace {

struct ExpectedField {
  const char* name;
  std::size_t offset;
  std::size_t size;
};

// The binding layout of the .gmp record, written out independently of the
// field table so a slip in either shows up.
const ExpectedField kLayout[] = {
    {"MapFileName", 0, 256},
    {"MapDescription", 256, 33},
    {"PlayerController", 289, 8},
    {"PlayerRace", 297, 8},
    {"Climate", 308, 4},
    {"Decorations", 315, 1},
    {"RetryGeneration", 316, 1},
    {"HumanControlled", 317, 1},
    {"NumberOfPlayers", 318, 1},
    {"UnitVisibleRange", 337, 79},
    {"UnitHitPoints", 416, 316},
    {"UnitMagicPoints", 732, 79},
    {"UnitBuildTime", 811, 79},
    {"UnitGoldCost", 890, 79},
    {"UnitLumberCost", 969, 79},
    {"UnitOilCost", 1048, 79},
    {"UnitAttackRange", 1127, 79},
    {"UnitArmor", 1206, 79},
    {"UnitBasicDamage", 1285, 79},
    {"UnitPiercingDamage", 1364, 79},
    {"UpgradeStepCost", 1443, 52},
    {"UpgradeGoldCost", 1496, 208},
    {"UpgradeLumberCost", 1704, 208},
    {"UpgradeOilCost", 1912, 208},
    {"StartGold", 2120, 32},
    {"StartLumber", 2152, 32},
    {"StartOil", 2184, 32},
    {"RandomStartGold", 2216, 8},
    {"RandomStartLumber", 2224, 8},
    {"RandomStartOil", 2232, 8},
    {"PlayerAI", 2240, 8},
    {"UnitRace", 2249, 79},
    {"RandomUnitVisibleRange", 2407, 79},
    {"RandomUnitHitPoints", 2486, 79},
    {"RandomUnitMagicPoints", 2565, 79},
    {"RandomUnitBuildTime", 2644, 79},
    {"RandomUnitGoldCost", 2723, 79},
    {"RandomUnitLumberCost", 2802, 79},
    {"RandomUnitOilCost", 2881, 79},
    {"RandomUnitAttackRange", 2960, 79},
    {"RandomUnitArmor", 3039, 79},
    {"RandomUnitBasicDamage", 3118, 79},
    {"RandomUnitPiercingDamage", 3197, 79},
    {"RandomUpgradeStepCost", 3276, 52},
    {"RandomUpgradeGoldCost", 3328, 52},
    {"RandomUpgradeLumberCost", 3380, 52},
    {"RandomUpgradeOilCost", 3432, 52},
    {"RandomMethod", 3484, 1},
    {"RandomExtremity", 3485, 1},
    {"GoldMines", 3487, 1},
    {"RandomGoldMines", 3489, 1},
    {"GoldAmount", 3492, 4},
    {"RandomGoldAmount", 3498, 1},
    {"OilPatches", 3499, 1},
    {"RandomOilPatches", 3501, 1},
    {"OilAmount", 3504, 4},
    {"RandomOilAmount", 3510, 1},
    {"LandWater", 3512, 1},
    {"MapSize", 3520, 4},
    {"BuildableLand", 3526, 1},
    {"RiversEnable", 3532, 1},
    {"Rivers", 3533, 1},
    {"MultipleRivers", 3540, 1},
    {"LakesEnable", 3541, 1},
    {"MultipleLakes", 3542, 1},
    {"Lakes", 3543, 1},
    {"MountainsEnable", 3548, 1},
    {"Mountains", 3549, 1},
    {"ForestEnable", 3556, 1},
    {"Forest", 3557, 1},
    {"RandomLandWater", 3564, 1},
    {"BlankMap", 3575, 1},
    {"ReverseLandAndWaterProperties", 3576, 1},
    {"EnableSecretMountainPasses", 3577, 1},
    {"EnableShallowWater", 3578, 1},
    {"EnableImpassibleLand", 3579, 1},
    {"BuildOnSand", 3580, 1},
    {"CrittersPlayer", 3584, 32},
    {"CritterRandomPlayer", 3616, 8},
    {"CrittersNormal", 3624, 4},
    {"RandomCritters", 3628, 1},
    {"EnableIslands", 3629, 1},
    {"RandomBuildableLand", 3630, 1},
    {"RandomRivers", 3631, 1},
    {"RandomLakes", 3632, 1},
    {"RandomForest", 3633, 1},
    {"RandomMountains", 3634, 1},
    {"AddWalls", 3635, 1},
    {"AllCompDiff", 3636, 1},
    {"AllHumanDiff", 3637, 1},
    {"AllComputerPlayers", 3638, 1},
    {"AllHumanPlayers", 3639, 1},
    {"AllHumanPlayersRandom", 3640, 1},
    {"AllCompPlayersRandom", 3641, 1},
    {"PlayersPlaced", 3642, 1},
    {"ReservedFlag", 3643, 1},
    {"MapOutputFile", 3644, 332},
    {"ShowWarnings", 3976, 1},
    {"Compensate", 3977, 1},
    {"Difficulty", 3978, 8},
    {"DifficultyRandom", 3986, 8},
    {"SafetyMode", 3994, 1},
    {"WC2Directory", 3995, 256},
    {"WC2Drive", 4251, 1},
};

TEST(SettingsRecord, EveryFieldSitsAtItsOffsetWithItsSize) {
  for (const ExpectedField& e : kLayout) {
    const FieldInfo* f = FindField(e.name);
    ASSERT_NE(f, nullptr) << e.name;
    EXPECT_EQ(f->offset, e.offset) << e.name;
    EXPECT_EQ(f->Size(), e.size) << e.name;
  }
}

TEST(SettingsRecord, FieldsAndReservedBytesCoverEveryByteOnce) {
  std::vector<int> cover(kSettingsRecordSize, 0);
  for (const FieldInfo& f : SettingsFields())
    for (std::size_t i = 0; i < f.Size(); ++i) ++cover.at(f.offset + i);
  for (std::size_t i = 0; i < cover.size(); ++i) EXPECT_EQ(cover[i], 1) << "byte " << i;
  std::size_t named = 0;
  for (const FieldInfo& f : SettingsFields())
    if (f.type != FieldType::kReserved) ++named;
  EXPECT_EQ(named, std::size(kLayout));
}

TEST(SettingsRecord, FieldsKeepTheirSignedness) {
  SettingsRecord r = ZeroRecord();
  std::memset(&r, 200, sizeof r);
  EXPECT_EQ(ReadFieldElement(r, *FindField("LandWater"), 0), -56);  // a percentage stored as 200
  EXPECT_EQ(ReadFieldElement(r, *FindField("Difficulty"), 7), -56);
  EXPECT_EQ(ReadFieldElement(r, *FindField("PlayerAI"), 0), 200);
  EXPECT_EQ(ReadFieldElement(r, *FindField("UnitGoldCost"), 78), 200);
  EXPECT_EQ(r.LandWater, -56);
  EXPECT_EQ(r.UnitGoldCost[0], 200);
}

TEST(SettingsRecord, WritesAreCheckedAgainstTheFieldType) {
  SettingsRecord r = ZeroRecord();
  const FieldInfo& gold = *FindField("StartGold");
  EXPECT_TRUE(WriteFieldElement(r, gold, 7, 70000));
  EXPECT_EQ(r.StartGold[7], 70000);
  EXPECT_FALSE(WriteFieldElement(r, gold, 8, 1));  // past the eighth player
  EXPECT_FALSE(WriteFieldElement(r, *FindField("LandWater"), 0, 128));
  EXPECT_FALSE(WriteFieldElement(r, *FindField("BlankMap"), 0, 2));
  EXPECT_FALSE(WriteFieldElement(r, *FindField("UnitArmor"), 0, -1));
  EXPECT_TRUE(WriteFieldString(r, *FindField("MapDescription"), std::string(32, 'x')));
  EXPECT_FALSE(WriteFieldString(r, *FindField("MapDescription"), std::string(33, 'x')));
  EXPECT_EQ(r.MapDescription.str(), std::string(32, 'x'));
}

}  // namespace
}  // namespace glenmire
