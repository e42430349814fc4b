// The windows' "Reset Defaults", "Set ALL Random" and "Set NONE Random" and
// the "Mayhem" preset as record operations: what each writes, and that it
// writes nothing else.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "settings/defaults.h"
#include "settings/random_flags.h"
#include "settings/reset_defaults.h"
#include "settings/settings_fields.h"

namespace glenmire {
namespace {

using Fields = std::set<std::string>;

// Every byte of a record set to 0xA5: no value any action writes.
SettingsRecord Scrambled() {
  SettingsRecord r = ZeroRecord();
  std::memset(&r, 0xA5, sizeof r);
  r.NumberOfPlayers = 3;
  r.HumanControlled = 5;
  return r;
}

// Fails for every byte outside `allowed` that differs.
void ExpectOnlyTouched(const SettingsRecord& before, const SettingsRecord& after, const Fields& allowed) {
  const auto* a = reinterpret_cast<const uint8_t*>(&before);
  const auto* b = reinterpret_cast<const uint8_t*>(&after);
  for (const FieldInfo& f : SettingsFields()) {
    if (allowed.count(std::string(f.name))) continue;
    for (std::size_t i = 0; i < f.Size(); ++i)
      if (a[f.offset + i] != b[f.offset + i]) {
        ADD_FAILURE() << "touched " << f.name << " +" << i;
        break;
      }
  }
}

template <typename T, std::size_t N>
bool All(const T (&values)[N], int from, int to, T v) {  // entries from..to, 1-based
  for (int i = from; i <= to; ++i)
    if (values[i - 1] != v) return false;
  return true;
}

const Fields kUnitFlags = {"RandomUnitVisibleRange", "RandomUnitHitPoints",     "RandomUnitMagicPoints",
                           "RandomUnitBuildTime",    "RandomUnitGoldCost",      "RandomUnitLumberCost",
                           "RandomUnitOilCost",      "RandomUnitAttackRange",   "RandomUnitArmor",
                           "RandomUnitBasicDamage",  "RandomUnitPiercingDamage"};
const Fields kUpgradeFlags = {"RandomUpgradeStepCost", "RandomUpgradeGoldCost", "RandomUpgradeLumberCost",
                              "RandomUpgradeOilCost"};
const Fields kLandFlags = {"RandomLandWater", "RandomBuildableLand", "RandomRivers",
                           "RandomLakes",     "RandomForest",        "RandomMountains"};

Fields Join(std::initializer_list<Fields> parts) {
  Fields all;
  for (const Fields& p : parts) all.insert(p.begin(), p.end());
  return all;
}

bool UnitFlagsAre(const SettingsRecord& r, int from, int to, uint8_t v) {
  return All(r.RandomUnitVisibleRange, from, to, v) && All(r.RandomUnitHitPoints, from, to, v) &&
         All(r.RandomUnitMagicPoints, from, to, v) && All(r.RandomUnitBuildTime, from, to, v) &&
         All(r.RandomUnitGoldCost, from, to, v) && All(r.RandomUnitLumberCost, from, to, v) &&
         All(r.RandomUnitOilCost, from, to, v) && All(r.RandomUnitAttackRange, from, to, v) &&
         All(r.RandomUnitArmor, from, to, v) && All(r.RandomUnitBasicDamage, from, to, v) &&
         All(r.RandomUnitPiercingDamage, from, to, v);
}
bool UpgradeFlagsAre(const SettingsRecord& r, uint8_t v) {
  return All(r.RandomUpgradeStepCost, 1, 52, v) && All(r.RandomUpgradeGoldCost, 1, 52, v) &&
         All(r.RandomUpgradeLumberCost, 1, 52, v) && All(r.RandomUpgradeOilCost, 1, 52, v);
}
bool StartFlagsAre(const SettingsRecord& r, uint8_t v) {
  return All(r.RandomStartGold, 1, 8, v) && All(r.RandomStartLumber, 1, 8, v) && All(r.RandomStartOil, 1, 8, v);
}
bool LandFlagsAre(const SettingsRecord& r, uint8_t v) {
  return r.RandomLandWater == v && r.RandomBuildableLand == v && r.RandomRivers == v && r.RandomLakes == v &&
         r.RandomForest == v && r.RandomMountains == v;
}
bool CritterFlagsAre(const SettingsRecord& r, uint8_t v) {
  return r.RandomCritters == v && All(r.CritterRandomPlayer, 1, 8, v);
}
bool ResourceFlagsAre(const SettingsRecord& r, uint8_t v) {
  return r.RandomGoldMines == v && r.RandomOilPatches == v && r.RandomGoldAmount == v && r.RandomOilAmount == v;
}
bool PlayersReset(const SettingsRecord& r) {
  for (int i = 1; i <= 8; ++i) {
    bool odd = i % 2 == 1;
    if (r.PlayerRace[i - 1] != (odd ? 0 : 1)) return false;
    if (r.PlayerController[i - 1] != (odd ? 5 : 4)) return false;
    if (r.PlayerAI[i - 1] != 0) return false;
  }
  return true;
}
bool UnitsReset(const SettingsRecord& r) {
  SettingsRecord d = ZeroRecord();
  SetDefaults(d);
  return UnitFlagsAre(r, 1, 79, 0) && std::memcmp(r.UnitVisibleRange, d.UnitVisibleRange, 79) == 0 &&
         std::memcmp(r.UnitHitPoints, d.UnitHitPoints, sizeof d.UnitHitPoints) == 0 &&
         std::memcmp(r.UnitPiercingDamage, d.UnitPiercingDamage, 79) == 0 &&
         std::memcmp(r.UnitArmor, d.UnitArmor, 79) == 0;
}

struct Action {
  const char* what;
  std::function<void(SettingsRecord&)> run;
  Fields writes;
  std::function<bool(const SettingsRecord&)> check;
};

const Action kActions[] = {
    // "File"
    {"File reset",
     [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kFile, r); },
     {"MapSize", "Climate", "RandomLandWater", "LandWater"},
     [](const SettingsRecord& r) {
       return r.MapSize == 128 && r.Climate == 0 && r.RandomLandWater == 0 && r.LandWater == 20;
     }},
    {"File none",
     [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kFile, r); },
     {"MapSize", "Climate", "RandomLandWater", "LandWater"},
     [](const SettingsRecord& r) {
       return r.MapSize == 128 && r.Climate == 0 && r.RandomLandWater == 0 && r.LandWater == 20;
     }},
    {"File all",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kFile, r); },
     {"MapSize", "Climate", "RandomLandWater", "MapDescription"},
     [](const SettingsRecord& r) {
       return r.MapSize == 0 && r.Climate == 4 && r.RandomLandWater == 1 &&
              r.MapDescription.str() == "Glenmire32 Generated Map";
     }},
    // "Player Options"
    {"Player reset",
     [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kPlayer, r); },
     {"PlayerRace", "PlayerController", "PlayerAI"},
     PlayersReset},
    {"Player none",
     [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kPlayer, r); },
     {"PlayerRace", "PlayerController", "PlayerAI"},
     PlayersReset},
    {"Player all, five human controlled",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kPlayer, r); },
     {"PlayerRace", "PlayerController", "PlayerAI"},
     [](const SettingsRecord& r) {
       return All(r.PlayerRace, 1, 8, uint8_t{2}) && All(r.PlayerAI, 1, 8, uint8_t{255}) &&
              All(r.PlayerController, 1, 5, uint8_t{0xA5}) && All(r.PlayerController, 6, 8, uint8_t{0});
     }},
    // "Natural Resources"
    {"Resources reset",
     [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kResources, r); },
     {"RandomGoldMines", "RandomOilPatches", "RandomGoldAmount", "RandomOilAmount", "GoldAmount", "OilAmount",
      "GoldMines", "OilPatches"},
     [](const SettingsRecord& r) {
       return ResourceFlagsAre(r, 0) && r.GoldAmount == 100 && r.OilAmount == 100 && r.GoldMines == 3 &&
              r.OilPatches == 3;
     }},
    {"Resources all",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kResources, r); },
     {"RandomGoldMines", "RandomOilPatches", "RandomGoldAmount", "RandomOilAmount"},
     [](const SettingsRecord& r) { return ResourceFlagsAre(r, 1); }},
    {"Resources none",
     [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kResources, r); },
     {"RandomGoldMines", "RandomOilPatches", "RandomGoldAmount", "RandomOilAmount"},
     [](const SettingsRecord& r) { return ResourceFlagsAre(r, 0); }},
    // "Upgrade Costs"
    {"Upgrades reset", [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kUpgrades, r); },
     Join({kUpgradeFlags, {"UpgradeStepCost", "UpgradeGoldCost", "UpgradeLumberCost", "UpgradeOilCost"}}),
     [](const SettingsRecord& r) {
       // Sword Strength 1 keeps a lumber cost it was given: the defaults do not set it.
       return UpgradeFlagsAre(r, 0) && r.UpgradeStepCost[0] == 200 && r.UpgradeGoldCost[0] == 800 &&
              r.UpgradeLumberCost[0] == static_cast<int32_t>(0xA5A5A5A5) && r.UpgradeOilCost[12] == 1000;
     }},
    {"Upgrades all", [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kUpgrades, r); }, kUpgradeFlags,
     [](const SettingsRecord& r) { return UpgradeFlagsAre(r, 1); }},
    {"Upgrades none", [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kUpgrades, r); }, kUpgradeFlags,
     [](const SettingsRecord& r) { return UpgradeFlagsAre(r, 0); }},
    // "Startup Resources"
    {"Start resources reset",
     [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kStartRes, r); },
     {"StartGold", "StartLumber", "StartOil", "RandomStartGold", "RandomStartLumber", "RandomStartOil"},
     [](const SettingsRecord& r) {
       return StartFlagsAre(r, 0) && All(r.StartGold, 1, 8, 1000) && All(r.StartLumber, 1, 8, 1000) &&
              All(r.StartOil, 1, 8, 1000);
     }},
    {"Start resources all",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kStartRes, r); },
     {"RandomStartGold", "RandomStartLumber", "RandomStartOil"},
     [](const SettingsRecord& r) { return StartFlagsAre(r, 1); }},
    {"Start resources none",
     [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kStartRes, r); },
     {"RandomStartGold", "RandomStartLumber", "RandomStartOil"},
     [](const SettingsRecord& r) { return StartFlagsAre(r, 0); }},
    // "Startup Units"
    {"Startup units reset",
     [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kDifficulty, r); },
     {"Difficulty", "DifficultyRandom", "AllComputerPlayers", "AllHumanPlayers", "AllCompPlayersRandom",
      "AllHumanPlayersRandom", "AllCompDiff", "AllHumanDiff"},
     [](const SettingsRecord& r) {
       return All(r.Difficulty, 1, 8, int8_t{1}) && All(r.DifficultyRandom, 1, 8, uint8_t{0}) &&
              r.AllComputerPlayers == 0 && r.AllHumanPlayers == 0 && r.AllCompPlayersRandom == 0 &&
              r.AllHumanPlayersRandom == 0 && r.AllCompDiff == 1 && r.AllHumanDiff == 1;
     }},
    {"Startup units all",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kDifficulty, r); },
     {"DifficultyRandom", "AllComputerPlayers", "AllHumanPlayers", "AllCompPlayersRandom", "AllHumanPlayersRandom"},
     [](const SettingsRecord& r) {
       return All(r.DifficultyRandom, 1, 8, uint8_t{1}) && r.AllComputerPlayers == 0 && r.AllHumanPlayers == 0 &&
              r.AllCompPlayersRandom == 0 && r.AllHumanPlayersRandom == 0;
     }},
    {"Startup units none",
     [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kDifficulty, r); },
     {"DifficultyRandom", "AllCompPlayersRandom", "AllHumanPlayersRandom"},
     [](const SettingsRecord& r) {
       return All(r.DifficultyRandom, 1, 8, uint8_t{0}) && r.AllCompPlayersRandom == 0 && r.AllHumanPlayersRandom == 0;
     }},
    // "Units"
    {"Units reset", [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kUnits, r); },
     Join({kUnitFlags,
           {"UnitVisibleRange", "UnitHitPoints", "UnitMagicPoints", "UnitBuildTime", "UnitGoldCost", "UnitLumberCost",
            "UnitOilCost", "UnitAttackRange", "UnitArmor", "UnitBasicDamage", "UnitPiercingDamage"}}),
     UnitsReset},
    {"Units all", [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kUnits, r); }, kUnitFlags,
     [](const SettingsRecord& r) { return UnitFlagsAre(r, 1, 79, 1); }},
    {"Units none clears 1..52 only", [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kUnits, r); }, kUnitFlags,
     [](const SettingsRecord& r) { return UnitFlagsAre(r, 1, 52, 0) && UnitFlagsAre(r, 53, 79, 0xA5); }},
    // "Land Attributes"
    {"Land reset", [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kLand, r); },
     Join({kLandFlags, {"LandWater", "BuildableLand", "Rivers", "Lakes", "Forest", "Mountains", "Decorations"}}),
     [](const SettingsRecord& r) {
       return LandFlagsAre(r, 0) && r.LandWater == 20 && r.BuildableLand == 80 && r.Rivers == 30 && r.Lakes == 30 &&
              r.Forest == 40 && r.Mountains == 20 && r.Decorations == 7;
     }},
    {"Land all leaves decorations and the plain boxes",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kLand, r); }, kLandFlags,
     [](const SettingsRecord& r) { return LandFlagsAre(r, 1); }},
    {"Land none", [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kLand, r); }, kLandFlags,
     [](const SettingsRecord& r) { return LandFlagsAre(r, 0); }},
    // "Random Method"
    {"Random method reset",
     [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kRandom, r); },
     {"RandomMethod", "RandomExtremity"},
     [](const SettingsRecord& r) { return r.RandomMethod == 0 && r.RandomExtremity == 10; }},
    {"Random method all",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kRandom, r); },
     {"RandomMethod"},
     [](const SettingsRecord& r) { return r.RandomMethod == 3; }},
    {"Random method none",
     [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kRandom, r); },
     {"RandomMethod"},
     [](const SettingsRecord& r) { return r.RandomMethod == 0; }},
    // "Critters!"
    {"Critters reset",
     [](SettingsRecord& r) { ResetDefaults(SettingsWindow::kCritters, r); },
     {"RandomCritters", "CritterRandomPlayer", "CrittersNormal", "CrittersPlayer"},
     [](const SettingsRecord& r) {
       return CritterFlagsAre(r, 0) && r.CrittersNormal == 2 && All(r.CrittersPlayer, 1, 8, 0);
     }},
    {"Critters all",
     [](SettingsRecord& r) { SetAllRandom(SettingsWindow::kCritters, r); },
     {"RandomCritters", "CritterRandomPlayer"},
     [](const SettingsRecord& r) { return CritterFlagsAre(r, 1); }},
    {"Critters none",
     [](SettingsRecord& r) { SetNoneRandom(SettingsWindow::kCritters, r); },
     {"RandomCritters", "CritterRandomPlayer"},
     [](const SettingsRecord& r) { return CritterFlagsAre(r, 0); }},
    // No such window.
    {"window 0 does nothing",
     [](SettingsRecord& r) {
       ResetDefaults(static_cast<SettingsWindow>(0), r);
       SetAllRandom(static_cast<SettingsWindow>(11), r);
       SetNoneRandom(static_cast<SettingsWindow>(-1), r);
     },
     {},
     [](const SettingsRecord&) { return true; }},
    // The main window's preset.
    {"Mayhem", ApplyMayhem,
     Join({kUpgradeFlags,
           kUnitFlags,
           kLandFlags,
           {"MapSize", "Climate", "PlayerRace", "PlayerAI", "RandomGoldMines", "RandomOilPatches", "RandomGoldAmount",
            "RandomOilAmount", "RandomStartGold", "RandomStartLumber", "RandomStartOil", "DifficultyRandom",
            "CritterRandomPlayer", "RandomCritters", "RandomMethod", "RandomExtremity"}}),
     [](const SettingsRecord& r) {
       return r.MapSize == 0 && r.Climate == 4 && LandFlagsAre(r, 1) && All(r.PlayerRace, 1, 8, uint8_t{2}) &&
              All(r.PlayerAI, 1, 8, uint8_t{255}) && ResourceFlagsAre(r, 1) && UpgradeFlagsAre(r, 1) &&
              StartFlagsAre(r, 1) && All(r.DifficultyRandom, 1, 8, uint8_t{1}) && UnitFlagsAre(r, 1, 52, 1) &&
              UnitFlagsAre(r, 53, 79, 0xA5) && CritterFlagsAre(r, 1) && r.RandomMethod == 3 && r.RandomExtremity == 100;
     }},
};

TEST(WindowActions, EachWritesItsOwnFieldsOnly) {
  for (const Action& a : kActions) {
    SCOPED_TRACE(a.what);
    const SettingsRecord before = Scrambled();
    SettingsRecord r = before;
    a.run(r);
    EXPECT_TRUE(a.check(r));
    ExpectOnlyTouched(before, r, a.writes);
  }
}

TEST(WindowActions, PlayerAllRandomKeepsTheHumanControlledPlayers) {
  for (int humans = 0; humans <= 8; ++humans) {
    SettingsRecord r = ZeroRecord();
    SetDefaults(r);
    r.HumanControlled = static_cast<int8_t>(humans);
    SetPlayerAllRandom(r);
    for (int i = 1; i <= 8; ++i) {
      uint8_t expected = i > humans ? kControllerRescueRandom : (i == 1 ? 5 : i == 2 ? 4 : 3);
      EXPECT_EQ(r.PlayerController[i - 1], expected) << humans << " humans, player " << i;
    }
  }
}

TEST(WindowActions, ThePlayerCountsAreRecountedFromTheControllers) {
  SettingsRecord r = ZeroRecord();
  SetDefaults(r);  // human, computer, six nobody
  r.PlayerController[2] = kControllerComputer;
  SynchQuickStart(r);
  EXPECT_EQ(r.NumberOfPlayers, 3);
  EXPECT_EQ(r.HumanControlled, 7);
}

}  // namespace
}  // namespace glenmire
