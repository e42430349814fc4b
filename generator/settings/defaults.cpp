#include "settings/defaults.h"

#include <cstring>

#include "settings/reset_defaults.h"

namespace glenmire {

// The unit statistics and upgrade costs of the game itself, row by row.
const UnitDefaults kUnitDefaults[kUnitTypes] = {
    // race, visible, hit points, magic, build, gold/10, lumber/10, oil/10, range, armor, basic, piercing
    {'H', 4, 60, 0, 60, 60, 0, 0, 1, 2, 6, 3},           // 1 Footman
    {'O', 4, 60, 0, 60, 60, 0, 0, 1, 2, 6, 3},           // 2 Grunt
    {'H', 4, 30, 0, 45, 40, 0, 0, 1, 0, 3, 2},           // 3 Peasant
    {'O', 4, 30, 0, 45, 40, 0, 0, 1, 0, 3, 2},           // 4 Peon
    {'H', 9, 110, 0, 250, 90, 30, 0, 8, 0, 80, 0},       // 5 Ballista
    {'O', 9, 110, 0, 250, 90, 30, 0, 8, 0, 80, 0},       // 6 Catapult
    {'H', 4, 90, 0, 90, 80, 10, 0, 1, 4, 8, 4},          // 7 Knight
    {'O', 4, 90, 0, 90, 80, 10, 0, 1, 4, 8, 4},          // 8 Ogre
    {'H', 5, 40, 0, 70, 50, 5, 0, 4, 0, 3, 6},           // 9 Elven Archer
    {'O', 5, 40, 0, 70, 50, 5, 0, 4, 0, 3, 6},           // 10 Troll Axethrower
    {'H', 9, 60, 1, 120, 120, 0, 0, 2, 0, 0, 9},         // 11 Mage
    {'O', 9, 60, 1, 120, 120, 0, 0, 3, 0, 0, 9},         // 12 Death Knight
    {'H', 5, 90, 0, 90, 80, 10, 0, 1, 4, 8, 4},          // 13 Paladin
    {'O', 5, 90, 0, 90, 80, 10, 0, 1, 4, 8, 4},          // 14 Ogre-Mage
    {'H', 4, 40, 0, 200, 70, 25, 0, 1, 0, 4, 2},         // 15 Dwarven Demolition Squad
    {'O', 4, 40, 0, 200, 70, 25, 0, 1, 0, 4, 2},         // 16 Goblin Sappers
    {'H', 4, 30, 0, 45, 40, 0, 0, 1, 0, 3, 2},           // 17 Attack Peasant
    {'O', 4, 30, 0, 45, 40, 0, 0, 1, 0, 3, 2},           // 18 Attack Peon
    {'H', 4, 90, 0, 50, 40, 20, 0, 1, 10, 0, 0},         // 19 Human Oil Tanker
    {'O', 4, 90, 0, 50, 40, 20, 0, 1, 10, 0, 0},         // 20 Orc Oil Tanker
    {'H', 4, 150, 0, 70, 60, 20, 50, 1, 0, 0, 0},        // 21 Human Transport
    {'O', 4, 150, 0, 70, 60, 20, 50, 1, 0, 0, 0},        // 22 Orc Transport
    {'H', 8, 100, 0, 90, 70, 35, 70, 4, 10, 35, 0},      // 23 Elven Destroyer
    {'O', 8, 100, 0, 90, 70, 35, 70, 4, 10, 35, 0},      // 24 Troll Destroyer
    {'H', 8, 150, 0, 140, 100, 50, 100, 6, 15, 130, 0},  // 25 Battleship
    {'O', 8, 150, 0, 140, 100, 50, 100, 6, 15, 130, 0},  // 26 Ogre Juggernaught
    {'H', 5, 60, 0, 100, 80, 15, 90, 4, 0, 50, 0},       // 27 Gnomish Submarine
    {'O', 5, 60, 0, 100, 80, 15, 90, 4, 0, 50, 0},       // 28 Giant Turtle
    {'H', 9, 150, 0, 65, 50, 10, 0, 1, 2, 0, 0},         // 29 Gnomish Flying Machine
    {'O', 9, 150, 0, 65, 50, 10, 0, 1, 2, 0, 0},         // 30 Goblin Zeppelin
    {'H', 6, 100, 0, 250, 250, 0, 0, 4, 5, 0, 16},       // 31 Gryphon Rider
    {'O', 6, 100, 0, 250, 250, 0, 0, 4, 5, 0, 16},       // 32 Dragon
    {'O', 3, 100, 0, 0, 0, 0, 0, 1, 0, 0, 0},            // 33 Eye of Kilrogg
    {'O', 5, 100, 0, 100, 110, 50, 0, 1, 0, 10, 5},      // 34 Cho'Gall
    {'H', 5, 90, 0, 100, 90, 10, 0, 1, 4, 8, 4},         // 35 Sir Anduin Lothar
    {'O', 8, 40, 1, 120, 120, 0, 0, 3, 0, 0, 3},         // 36 Gul'Dan
    {'H', 5, 90, 0, 100, 90, 10, 0, 1, 4, 8, 4},         // 37 Uther Lightbringer
    {'O', 6, 40, 0, 70, 50, 5, 0, 5, 0, 3, 6},           // 38 Zuljin
    {'.', 3, 40, 0, 0, 0, 0, 0, 1, 0, 6, 3},             // 39 Skeleton
    {'.', 5, 60, 0, 0, 0, 0, 0, 2, 2, 9, 1},             // 40 Daemon
    {'.', 2, 5, 0, 0, 0, 0, 0, 1, 0, 0, 0},              // 41 Critter
    {'H', 3, 400, 0, 100, 50, 25, 0, 0, 20, 0, 0},       // 42 Farm
    {'O', 3, 400, 0, 100, 50, 25, 0, 0, 20, 0, 0},       // 43 Pig Farm
    {'H', 3, 800, 0, 200, 70, 45, 0, 0, 20, 0, 0},       // 44 Human Barracks
    {'O', 3, 800, 0, 200, 70, 45, 0, 0, 20, 0, 0},       // 45 Orc Barracks
    {'H', 3, 700, 0, 175, 90, 50, 0, 0, 20, 0, 0},       // 46 Church
    {'O', 3, 700, 0, 175, 90, 50, 0, 0, 20, 0, 0},       // 47 Altar Of Storms
    {'H', 9, 100, 0, 60, 55, 20, 0, 0, 20, 0, 0},        // 48 Scout Tower
    {'O', 9, 100, 0, 60, 55, 20, 0, 0, 20, 0, 0},        // 49 Watch Tower
    {'H', 3, 500, 0, 150, 100, 30, 0, 0, 20, 0, 0},      // 50 Stables
    {'O', 3, 500, 0, 150, 100, 30, 0, 0, 20, 0, 0},      // 51 Ogre Mound
    {'H', 3, 500, 0, 150, 100, 40, 0, 0, 20, 0, 0},      // 52 Gnomish Inventor
    {'O', 3, 500, 0, 150, 100, 40, 0, 0, 20, 0, 0},      // 53 Goblin Alchemist
    {'H', 3, 500, 0, 150, 100, 40, 0, 0, 20, 0, 0},      // 54 Gryphon Aviary
    {'O', 3, 500, 0, 150, 100, 40, 0, 0, 20, 0, 0},      // 55 Dragon Roost
    {'H', 3, 1100, 0, 200, 80, 45, 0, 0, 20, 0, 0},      // 56 Human Shipyard
    {'O', 3, 1100, 0, 200, 80, 45, 0, 0, 20, 0, 0},      // 57 Orc Shipyard
    {'H', 4, 1200, 0, 255, 120, 80, 0, 0, 20, 0, 0},     // 58 Town Hall
    {'O', 4, 1200, 0, 255, 120, 80, 0, 0, 20, 0, 0},     // 59 Great Hall
    {'H', 3, 600, 0, 150, 60, 45, 0, 0, 20, 0, 0},       // 60 Elven Lumber Mill
    {'O', 3, 600, 0, 150, 60, 45, 0, 0, 20, 0, 0},       // 61 Troll Lumber Mill
    {'H', 3, 750, 0, 175, 70, 40, 40, 0, 20, 0, 0},      // 62 Human Foundry
    {'O', 3, 750, 0, 175, 70, 40, 40, 0, 20, 0, 0},      // 63 Orc Foundry
    {'H', 3, 500, 0, 125, 100, 20, 0, 0, 20, 0, 0},      // 64 Mage Tower
    {'O', 3, 500, 0, 125, 100, 20, 0, 0, 20, 0, 0},      // 65 Temple Of The Damned
    {'H', 3, 775, 0, 200, 80, 45, 10, 0, 20, 0, 0},      // 66 Human Blacksmith
    {'O', 3, 775, 0, 200, 80, 45, 10, 0, 20, 0, 0},      // 67 Orc Blacksmith
    {'H', 3, 600, 0, 225, 80, 35, 20, 0, 20, 0, 0},      // 68 Human Refinery
    {'O', 3, 600, 0, 225, 80, 35, 20, 0, 20, 0, 0},      // 69 Orc Refinery
    {'H', 3, 650, 0, 200, 70, 45, 0, 0, 20, 0, 0},       // 70 Human Oil Platform
    {'O', 3, 650, 0, 200, 70, 45, 0, 0, 20, 0, 0},       // 71 Orc Oil Platform
    {'H', 6, 1400, 0, 200, 200, 100, 20, 0, 20, 0, 0},   // 72 Keep
    {'O', 6, 1400, 0, 200, 200, 100, 20, 0, 20, 0, 0},   // 73 Stronghold
    {'H', 9, 1600, 0, 200, 250, 120, 50, 0, 20, 0, 0},   // 74 Castle
    {'O', 9, 1600, 0, 200, 250, 120, 50, 0, 20, 0, 0},   // 75 Fortress
    {'H', 9, 130, 0, 140, 50, 15, 0, 0, 20, 4, 12},      // 76 Human Guard Tower
    {'O', 9, 130, 0, 140, 50, 15, 0, 0, 20, 4, 12},      // 77 Orc Guard Tower
    {'H', 9, 160, 0, 190, 100, 30, 0, 0, 20, 50, 0},     // 78 Human Cannon Tower
    {'O', 9, 160, 0, 190, 100, 30, 0, 0, 20, 50, 0},     // 79 Orc Cannon Tower
};

const UpgradeDefaults kUpgradeDefaults[kUpgrades] = {
    // step cost, gold, lumber, oil
    {200, 800, kNotSet, kNotSet},      // 1 Sword Strength 1
    {250, 2400, kNotSet, kNotSet},     // 2 Sword Strength 2
    {200, 500, 100, kNotSet},          // 3 Axe Strength 1
    {250, 1500, 300, kNotSet},         // 4 Axe Strength 2
    {200, 300, 300, kNotSet},          // 5 Arrow Strength 1
    {250, 900, 500, kNotSet},          // 6 Arrow Strength 2
    {200, 300, 300, kNotSet},          // 7 Spear Strength 1
    {250, 900, 500, kNotSet},          // 8 Spear Strength 2
    {200, 300, 300, kNotSet},          // 9 Human Shield Strength 1
    {250, 900, 500, kNotSet},          // 10 Human Shield Strength 2
    {200, 300, 300, kNotSet},          // 11 Orc Shield Strength 1
    {250, 900, 500, kNotSet},          // 12 Orc Shield Strength 2
    {200, 700, 100, 1000},             // 13 Human Ship Attack 1
    {250, 2000, 250, 3000},            // 14 Human Ship Attack 2
    {200, 700, 100, 1000},             // 15 Orc Ship Attack 1
    {250, 2000, 250, 3000},            // 16 Orc Ship Attack 2
    {200, 500, 500, kNotSet},          // 17 Human Ship Armor 1
    {250, 1500, 900, kNotSet},         // 18 Human Ship Armor 2
    {200, 500, 500, kNotSet},          // 19 Orc Ship Armor 1
    {250, 1500, 900, kNotSet},         // 20 Orc Ship Armor 2
    {250, 1500, kNotSet, kNotSet},     // 21 Catapult Strength 1
    {250, 4000, kNotSet, kNotSet},     // 22 Catapult Strength 2
    {250, 1500, kNotSet, kNotSet},     // 23 Ballista Strength 1
    {250, 4000, kNotSet, kNotSet},     // 24 Ballista Strength 2
    {250, 1500, kNotSet, kNotSet},     // 25 Elven Ranger Training
    {250, 2000, kNotSet, kNotSet},     // 26 Research Longbow
    {250, 1500, kNotSet, kNotSet},     // 27 Ranger Scouting
    {250, 2500, kNotSet, kNotSet},     // 28 Ranger Marksmanship
    {250, 1500, kNotSet, kNotSet},     // 29 Troll Berserker Training
    {250, 2000, kNotSet, kNotSet},     // 30 Research Lighter Axes
    {250, 1500, kNotSet, kNotSet},     // 31 Berserker Scouting
    {250, 3000, kNotSet, kNotSet},     // 32 Berserker Regeneration
    {250, 1000, kNotSet, kNotSet},     // 33 Upgrade Ogres To Ogre-Mages
    {250, 1000, kNotSet, kNotSet},     // 34 Upgrade Knights To Paladins
    {0, kNotSet, kNotSet, kNotSet},    // 35 Holy Vision
    {200, 1000, kNotSet, kNotSet},     // 36 Healing
    {200, 2000, kNotSet, kNotSet},     // 37 Exorcism
    {100, 1000, kNotSet, kNotSet},     // 38 Flame Shield
    {0, kNotSet, kNotSet, kNotSet},    // 39 Fireball
    {100, 500, kNotSet, kNotSet},      // 40 Slow
    {200, 2500, kNotSet, kNotSet},     // 41 Invisibility
    {200, 2000, kNotSet, kNotSet},     // 42 Polymorph
    {200, 2000, kNotSet, kNotSet},     // 43 Blizzard
    {0, kNotSet, kNotSet, kNotSet},    // 44 Eye Of Kilrogg
    {100, 1000, kNotSet, kNotSet},     // 45 Bloodlust
    {100, 1500, kNotSet, kNotSet},     // 46 Raise Dead
    {100, kNotSet, kNotSet, kNotSet},  // 47 Death Coil
    {150, 1500, kNotSet, kNotSet},     // 48 Whirlwind
    {100, 500, kNotSet, kNotSet},      // 49 Haste
    {200, 2500, kNotSet, kNotSet},     // 50 Unholy Armor
    {150, 1000, kNotSet, kNotSet},     // 51 Runes
    {200, 2000, kNotSet, kNotSet},     // 52 Death And Decay
};

namespace {

constexpr const char* kDefaultDescription = "Glenmire Generated Map!";

void ClearFlags(uint8_t* flags, int count) { std::memset(flags, 0, static_cast<std::size_t>(count)); }

}  // namespace

void ClearUnitRandomFlags(SettingsRecord& r) {
  for (UnitFlagArray flags : kRandomUnitFlags) ClearFlags(r.*flags, kUnitTypes);
}

void SetUnitValueDefaults(SettingsRecord& r) {
  // One array after the other.
  for (int k = 0; k < kUnitTypes; ++k) r.UnitVisibleRange[k] = kUnitDefaults[k].visibleRange;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitHitPoints[k] = kUnitDefaults[k].hitPoints;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitMagicPoints[k] = kUnitDefaults[k].magic;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitBuildTime[k] = kUnitDefaults[k].buildTime;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitGoldCost[k] = kUnitDefaults[k].goldCost;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitLumberCost[k] = kUnitDefaults[k].lumberCost;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitOilCost[k] = kUnitDefaults[k].oilCost;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitAttackRange[k] = kUnitDefaults[k].attackRange;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitArmor[k] = kUnitDefaults[k].armor;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitBasicDamage[k] = kUnitDefaults[k].basicDamage;
  for (int k = 0; k < kUnitTypes; ++k) r.UnitPiercingDamage[k] = kUnitDefaults[k].piercingDamage;
}

void SetUpgradeValueDefaults(SettingsRecord& r) {
  for (int j = 0; j < kUpgrades; ++j) r.UpgradeStepCost[j] = static_cast<uint8_t>(kUpgradeDefaults[j].stepCost);
  for (int j = 0; j < kUpgrades; ++j)
    if (kUpgradeDefaults[j].gold != kNotSet) r.UpgradeGoldCost[j] = kUpgradeDefaults[j].gold;
  for (int j = 0; j < kUpgrades; ++j)
    if (kUpgradeDefaults[j].lumber != kNotSet) r.UpgradeLumberCost[j] = kUpgradeDefaults[j].lumber;
  for (int j = 0; j < kUpgrades; ++j)
    if (kUpgradeDefaults[j].oil != kNotSet) r.UpgradeOilCost[j] = kUpgradeDefaults[j].oil;
}

void ClearUpgradeRandomFlags(SettingsRecord& r) {
  for (UpgradeFlagArray flags : kRandomUpgradeFlags) ClearFlags(r.*flags, kUpgrades);
}

void SetDefaults(SettingsRecord& r) {
  r.MapDescription.assign(kDefaultDescription);
  for (int k = 0; k < kUnitTypes; ++k) r.UnitRace[k] = kUnitDefaults[k].race;
  ClearUnitRandomFlags(r);
  for (int p = 0; p < kPlayers; ++p)
    r.PlayerController[p] = p == 0 ? kControllerHuman : p == 1 ? kControllerComputer : kControllerNobody;
  for (int p = 0; p < kPlayers; ++p) r.PlayerRace[p] = 0;
  r.Climate = kClimateForest;
  r.MapSize = 128;
  r.ReservedFlag = 1;
  SetUnitValueDefaults(r);
  SetUpgradeValueDefaults(r);
  ClearUpgradeRandomFlags(r);
  ResetStartResDefaults(r);
  for (int p = 0; p < kPlayers; ++p) r.PlayerAI[p] = kAiLandAttack;
  for (int p = 0; p < kPlayers; ++p) r.Difficulty[p] = 1;
  r.RandomMethod = kRangedVarianceMethod;
  r.RandomExtremity = 10;
}

void MakeStarterConfiguration(SettingsRecord& r) {
  SetDefaults(r);
  // What the File window stores from its hidden spin boxes; set first, because
  // the Natural Resources reset takes its mine and patch counts from it.
  r.NumberOfPlayers = 2;
  r.HumanControlled = 1;
  ResetLandDefaults(r);
  ResetResourcesDefaults(r);
  ResetCritterDefaults(r);
  // The initial state of the Land window's hidden check boxes.
  r.RiversEnable = 1;
  r.LakesEnable = 1;
  r.ForestEnable = 1;
  r.MountainsEnable = 1;
  r.MultipleLakes = 1;
  // The three Preferences menu items, checked.
  r.ShowWarnings = 1;
  r.Compensate = 1;
  r.SafetyMode = 1;
}

}  // namespace glenmire
