// The windows' "Reset Defaults" as operations on the record, so the settings
// windows, the main window and `glenmire config starter` use one source. A
// window resets its part of the record with these and reloads its controls
// from it; the enabled/disabled state of a control follows from its Random
// flag (the Critters window's box states excepted, which the window sets
// itself).
#pragma once

#include <cstdint>

#include "core/settings_record.h"

namespace glenmire {

// The ten settings windows by their main-window number.
enum class SettingsWindow : int {
  kFile = 1,        // TfrmQuick
  kPlayer = 2,      // TfrmPlayer
  kResources = 3,   // TfrmResources
  kUpgrades = 4,    // TfrmUpgrades
  kStartRes = 5,    // TfrmStartRes
  kDifficulty = 6,  // TfrmDifficulty ("Startup Units")
  kUnits = 7,       // TfrmUnits
  kLand = 8,        // TfrmLand
  kRandom = 9,      // TfrmRandom ("Random Method")
  kCritters = 10,   // TfrmCritters
};

// The reset values that are not already among the unit and upgrade defaults.
struct LandResetValues {
  int8_t LandWater = 20;
  int8_t BuildableLand = 80;
  int8_t Rivers = 30;
  int8_t Lakes = 30;
  int8_t Forest = 40;
  int8_t Mountains = 20;
  int8_t Decorations = 7;
};
inline constexpr LandResetValues kLandReset{};

inline constexpr int32_t kResetGoldAmount = 100;          // "Gold Amount" track bar
inline constexpr int32_t kResetOilAmount = 100;           // "Oil Amount" track bar
inline constexpr int32_t kResetCrittersNormal = 2;        // non-player critters
inline constexpr int32_t kResetCrittersPlayer = 0;        // each player's critters
inline constexpr int8_t kResetDifficulty = 1;             // Startup Units track bars
inline constexpr uint8_t kResetAllDiff = 1;               // hidden all-players track bars
inline constexpr int32_t kResetMapSize = 128;             // File: "Large Map"
inline constexpr int32_t kResetClimate = kClimateForest;  // File: "Forest"
inline constexpr int8_t kResetQuickLandWater = 20;        // File: land/water track bar
inline constexpr int32_t kResetStartResource = 1000;
inline constexpr uint8_t kResetRandomMethod = kRangedVarianceMethod;
inline constexpr int8_t kResetRandomExtremity = 10;

// "File": MapSize 128, Climate 0, RandomLandWater cleared, LandWater 20; the
// description is kept.
void ResetQuickDefaults(SettingsRecord& r);
// "Player Options": the same as its Set NONE Random (races odd Human / even
// Orc, controllers odd Human / even Computer, every A.I. Land Attack).
void ResetPlayerDefaults(SettingsRecord& r);
// "Natural Resources": four Random flags cleared, GoldAmount and OilAmount
// 100, GoldMines and OilPatches := NumberOfPlayers.
void ResetResourcesDefaults(SettingsRecord& r);
// "Random Method": method 0, extremity 10.
void ResetRandomMethodDefaults(SettingsRecord& r);
// "Upgrade Costs": the four upgrade arrays from the upgrade defaults ("not set" entries
// kept) and the four upgrade random-flag arrays cleared.
void ResetUpgradeDefaults(SettingsRecord& r);
// "Startup Resources": StartGold/Lumber/Oil 1000 each, their flags cleared.
void ResetStartResDefaults(SettingsRecord& r);
// "Startup Units": DifficultyRandom cleared, Difficulty 1 each; the four
// hidden all-players boxes cleared and AllCompDiff/AllHumanDiff 1.
void ResetDifficultyDefaults(SettingsRecord& r);
// "Units": the eleven unit random-flag arrays cleared (1..79) and the eleven
// unit value arrays from the unit defaults (UnitRace is not touched).
void ResetUnitDefaults(SettingsRecord& r);
// "Land Attributes": the six Random flags cleared; LandWater 20,
// BuildableLand 80, Rivers 30, Lakes 30, Forest 40, Mountains 20,
// Decorations 7; the Enabled and other check boxes kept.
void ResetLandDefaults(SettingsRecord& r);
// "Critters!": the nine Random flags cleared, CrittersNormal 2, every
// player's critters 0.
void ResetCritterDefaults(SettingsRecord& r);

// The reset of window n (MasterResetDefaults); a number outside 1..10 does nothing.
void ResetDefaults(SettingsWindow window, SettingsRecord& r);

// The Player Options window's recount after every change: NumberOfPlayers
// := players whose controller is not 3 (nobody), HumanControlled := players whose controller is not 5 (human).
void SynchQuickStart(SettingsRecord& r);

}  // namespace glenmire
