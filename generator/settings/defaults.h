// The program's default settings (two players, the game's own unit
// statistics and upgrade costs, nothing random) and the shipped starter
// configuration.
#pragma once

#include <cstdint>

#include "core/settings_record.h"

namespace glenmire {

// Fills the record with the defaults; fields without a default are left as they are.
void SetDefaults(SettingsRecord& r);

// The unit defaults: one row per settings number 1..79 (index k-1).
struct UnitDefaults {
  char race;  // 'H', 'O' or '.'
  uint8_t visibleRange;
  int32_t hitPoints;
  uint8_t magic;
  uint8_t buildTime;
  uint8_t goldCost;    // divided by 10
  uint8_t lumberCost;  // divided by 10
  uint8_t oilCost;     // divided by 10
  uint8_t attackRange;
  uint8_t armor;
  uint8_t basicDamage;
  uint8_t piercingDamage;
};
extern const UnitDefaults kUnitDefaults[kUnitTypes];

// The upgrade defaults: one row per upgrade number 1..52 (index j-1); kNotSet marks an
// entry that the defaults leave as it is.
inline constexpr int32_t kNotSet = INT32_MIN;
struct UpgradeDefaults {
  int32_t stepCost;  // every step cost is set
  int32_t gold;
  int32_t lumber;
  int32_t oil;
};
extern const UpgradeDefaults kUpgradeDefaults[kUpgrades];

// The parts of SetDefaults that the windows' resets reuse.
void SetUnitValueDefaults(SettingsRecord& r);     // the eleven value arrays
void ClearUnitRandomFlags(SettingsRecord& r);     // the eleven flag arrays, 1..79
void SetUpgradeValueDefaults(SettingsRecord& r);  // the four upgrade arrays
void ClearUpgradeRandomFlags(SettingsRecord& r);  // the four flag arrays, 1..52

// The shipped "Default.gmp" (the first map a new user makes):
// SetDefaults, then the "Reset Defaults" values
// of the Land, Natural Resources and Critters windows, the four hidden
// Enabled boxes and MultipleLakes checked, NumberOfPlayers 2,
// HumanControlled 1, ShowWarnings, Compensate and SafetyMode 1.
void MakeStarterConfiguration(SettingsRecord& r);

}  // namespace glenmire
