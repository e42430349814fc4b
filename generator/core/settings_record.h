// The one record of generation settings. Its 4252 bytes are also the .gmp
// configuration file, so the layout is binding byte for byte, reserved
// stretches included. Every multi-byte field is little-endian (the host is).
//
// Booleans are stored as bytes (0 false, anything else true) so that a
// record loaded from any file is still well-defined to read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace glenmire {

// A length byte followed by N characters; characters past the length are ignored.
template <std::size_t N>
struct ShortString {
  static constexpr std::size_t kCapacity = N;
  uint8_t length;
  char chars[N];

  std::string str() const {
    std::size_t n = length > N ? N : length;
    return std::string(chars, n);
  }
  // Stores at most N characters; the rest of the buffer is left as it was.
  void assign(std::string_view s) {
    std::size_t n = s.size() > N ? N : s.size();
    for (std::size_t i = 0; i < n; ++i) chars[i] = s[i];
    length = static_cast<uint8_t>(n);
  }
  bool empty() const { return length == 0; }
};

constexpr int kPlayers = 8;
constexpr int kUnitTypes = 79;
constexpr int kUpgrades = 52;

// Arrays are stored 0-based: player p (1..8) is index p-1, settings number
// u (1..79) is index u-1, upgrade number g (1..52) is index g-1.
struct SettingsRecord {
  ShortString<255> MapFileName;                  // 0
  ShortString<32> MapDescription;                // 256
  uint8_t PlayerController[kPlayers];            // 289, controller codes
  uint8_t PlayerRace[kPlayers];                  // 297, 0 human, 1 orc, 2 random
  uint8_t reserved305[3];                        // 305
  int32_t Climate;                               // 308
  uint8_t reserved312[3];                        // 312
  int8_t Decorations;                            // 315
  uint8_t RetryGeneration;                       // 316
  int8_t HumanControlled;                        // 317
  int8_t NumberOfPlayers;                        // 318
  uint8_t reserved319[18];                       // 319
  uint8_t UnitVisibleRange[kUnitTypes];          // 337
  int32_t UnitHitPoints[kUnitTypes];             // 416
  uint8_t UnitMagicPoints[kUnitTypes];           // 732
  uint8_t UnitBuildTime[kUnitTypes];             // 811
  uint8_t UnitGoldCost[kUnitTypes];              // 890, cost / 10
  uint8_t UnitLumberCost[kUnitTypes];            // 969, cost / 10
  uint8_t UnitOilCost[kUnitTypes];               // 1048, cost / 10
  uint8_t UnitAttackRange[kUnitTypes];           // 1127
  uint8_t UnitArmor[kUnitTypes];                 // 1206
  uint8_t UnitBasicDamage[kUnitTypes];           // 1285
  uint8_t UnitPiercingDamage[kUnitTypes];        // 1364
  uint8_t UpgradeStepCost[kUpgrades];            // 1443
  uint8_t reserved1495[1];                       // 1495
  int32_t UpgradeGoldCost[kUpgrades];            // 1496
  int32_t UpgradeLumberCost[kUpgrades];          // 1704
  int32_t UpgradeOilCost[kUpgrades];             // 1912
  int32_t StartGold[kPlayers];                   // 2120
  int32_t StartLumber[kPlayers];                 // 2152
  int32_t StartOil[kPlayers];                    // 2184
  uint8_t RandomStartGold[kPlayers];             // 2216
  uint8_t RandomStartLumber[kPlayers];           // 2224
  uint8_t RandomStartOil[kPlayers];              // 2232
  uint8_t PlayerAI[kPlayers];                    // 2240, behaviour codes
  uint8_t reserved2248[1];                       // 2248
  char UnitRace[kUnitTypes];                     // 2249, 'H', 'O' or '.'
  uint8_t reserved2328[79];                      // 2328
  uint8_t RandomUnitVisibleRange[kUnitTypes];    // 2407
  uint8_t RandomUnitHitPoints[kUnitTypes];       // 2486
  uint8_t RandomUnitMagicPoints[kUnitTypes];     // 2565
  uint8_t RandomUnitBuildTime[kUnitTypes];       // 2644
  uint8_t RandomUnitGoldCost[kUnitTypes];        // 2723
  uint8_t RandomUnitLumberCost[kUnitTypes];      // 2802
  uint8_t RandomUnitOilCost[kUnitTypes];         // 2881
  uint8_t RandomUnitAttackRange[kUnitTypes];     // 2960
  uint8_t RandomUnitArmor[kUnitTypes];           // 3039
  uint8_t RandomUnitBasicDamage[kUnitTypes];     // 3118
  uint8_t RandomUnitPiercingDamage[kUnitTypes];  // 3197
  uint8_t RandomUpgradeStepCost[kUpgrades];      // 3276
  uint8_t RandomUpgradeGoldCost[kUpgrades];      // 3328
  uint8_t RandomUpgradeLumberCost[kUpgrades];    // 3380
  uint8_t RandomUpgradeOilCost[kUpgrades];       // 3432
  uint8_t RandomMethod;                          // 3484
  int8_t RandomExtremity;                        // 3485
  uint8_t reserved3486[1];                       // 3486
  int8_t GoldMines;                              // 3487
  uint8_t reserved3488[1];                       // 3488
  uint8_t RandomGoldMines;                       // 3489
  uint8_t reserved3490[2];                       // 3490
  int32_t GoldAmount;                            // 3492, in steps of kResourceStep (2500) gold
  uint8_t reserved3496[2];                       // 3496
  uint8_t RandomGoldAmount;                      // 3498
  int8_t OilPatches;                             // 3499
  uint8_t reserved3500[1];                       // 3500
  uint8_t RandomOilPatches;                      // 3501
  uint8_t reserved3502[2];                       // 3502
  int32_t OilAmount;                             // 3504, in steps of kResourceStep (2500) oil
  uint8_t reserved3508[2];                       // 3508
  uint8_t RandomOilAmount;                       // 3510
  uint8_t reserved3511[1];                       // 3511
  int8_t LandWater;                              // 3512
  uint8_t reserved3513[7];                       // 3513
  int32_t MapSize;                               // 3520, 32/64/96/128, 0 random
  uint8_t reserved3524[2];                       // 3524
  int8_t BuildableLand;                          // 3526
  uint8_t reserved3527[5];                       // 3527
  uint8_t RiversEnable;                          // 3532
  int8_t Rivers;                                 // 3533
  uint8_t reserved3534[6];                       // 3534
  uint8_t MultipleRivers;                        // 3540
  uint8_t LakesEnable;                           // 3541
  uint8_t MultipleLakes;                         // 3542
  int8_t Lakes;                                  // 3543
  uint8_t reserved3544[4];                       // 3544
  uint8_t MountainsEnable;                       // 3548
  int8_t Mountains;                              // 3549
  uint8_t reserved3550[6];                       // 3550
  uint8_t ForestEnable;                          // 3556
  int8_t Forest;                                 // 3557
  uint8_t reserved3558[6];                       // 3558
  uint8_t RandomLandWater;                       // 3564
  uint8_t reserved3565[10];                      // 3565
  uint8_t BlankMap;                              // 3575
  uint8_t ReverseLandAndWaterProperties;         // 3576
  uint8_t EnableSecretMountainPasses;            // 3577
  uint8_t EnableShallowWater;                    // 3578
  uint8_t EnableImpassibleLand;                  // 3579
  uint8_t BuildOnSand;                           // 3580
  uint8_t reserved3581[3];                       // 3581
  int32_t CrittersPlayer[kPlayers];              // 3584
  uint8_t CritterRandomPlayer[kPlayers];         // 3616
  int32_t CrittersNormal;                        // 3624
  uint8_t RandomCritters;                        // 3628
  uint8_t EnableIslands;                         // 3629
  uint8_t RandomBuildableLand;                   // 3630
  uint8_t RandomRivers;                          // 3631
  uint8_t RandomLakes;                           // 3632
  uint8_t RandomForest;                          // 3633
  uint8_t RandomMountains;                       // 3634
  uint8_t AddWalls;                              // 3635
  uint8_t AllCompDiff;                           // 3636
  uint8_t AllHumanDiff;                          // 3637
  uint8_t AllComputerPlayers;                    // 3638
  uint8_t AllHumanPlayers;                       // 3639
  uint8_t AllHumanPlayersRandom;                 // 3640
  uint8_t AllCompPlayersRandom;                  // 3641
  uint8_t PlayersPlaced;                         // 3642
  uint8_t ReservedFlag;                          // 3643
  uint8_t MapOutputFile[332];                    // 3644, opaque writer state, never read
  uint8_t ShowWarnings;                          // 3976
  uint8_t Compensate;                            // 3977
  int8_t Difficulty[kPlayers];                   // 3978
  uint8_t DifficultyRandom[kPlayers];            // 3986
  uint8_t SafetyMode;                            // 3994
  ShortString<255> WC2Directory;                 // 3995
  char WC2Drive;                                 // 4251
};

constexpr std::size_t kSettingsRecordSize = 4252;
static_assert(sizeof(SettingsRecord) == kSettingsRecordSize);
static_assert(alignof(SettingsRecord) == 4);

// Controller codes (the game's owner codes).
enum Controller : uint8_t {
  kControllerRescueRandom = 0,
  kControllerNobody = 3,
  kControllerComputer = 4,
  kControllerHuman = 5,
  kControllerRescuePassive = 6,
  kControllerRescueActive = 7,
};

// Players that play the map: computer or human controlled.
inline constexpr bool IsActiveController(uint8_t code) {
  return code == kControllerComputer || code == kControllerHuman;
}

// The active players (0-based) in player order.
inline std::vector<int> ActivePlayers(const uint8_t (&controller)[kPlayers]) {
  std::vector<int> players;
  for (int p = 0; p < kPlayers; ++p)
    if (IsActiveController(controller[p])) players.push_back(p);
  return players;
}

// Race codes.
enum Race : uint8_t {
  kRaceHuman = 0,
  kRaceOrc = 1,
  kRaceRandom = 2,
};

// Random method codes: how a setting marked random is drawn around its value.
enum RandomMethodCode : uint8_t {
  kRangedVarianceMethod = 0,    // up to the extremity's share of the nearer side, either way
  kWeightedVarianceMethod = 1,  // half the extremity, towards the nearer side
  kRawVarianceMethod = 2,       // anything in the setting's range
  kRandomMethodRandom = 3,      // one of the three above, drawn for every value
};

// Climate codes: the four the game knows, and the record's "draw one".
enum Climate : int32_t {
  kClimateForest = 0,
  kClimateWinter = 1,
  kClimateWasteland = 2,
  kClimateSwamp = 3,
  kClimateRandom = 4,
};

// Computer behaviour codes.
enum Behaviour : uint8_t {
  kAiLandAttack = 0,
  kAiPassive = 1,
  kAiSeaAttack = 25,
  kAiAirAttack = 26,
  kAiRandom = 255,
};

// The eleven unit Random flag arrays, in the order of the Units window's
// statistics (visible range first, piercing damage last).
using UnitFlagArray = uint8_t (SettingsRecord::*)[kUnitTypes];
inline constexpr UnitFlagArray kRandomUnitFlags[] = {
    &SettingsRecord::RandomUnitVisibleRange,  &SettingsRecord::RandomUnitHitPoints,
    &SettingsRecord::RandomUnitMagicPoints,   &SettingsRecord::RandomUnitBuildTime,
    &SettingsRecord::RandomUnitGoldCost,      &SettingsRecord::RandomUnitLumberCost,
    &SettingsRecord::RandomUnitOilCost,       &SettingsRecord::RandomUnitAttackRange,
    &SettingsRecord::RandomUnitArmor,         &SettingsRecord::RandomUnitBasicDamage,
    &SettingsRecord::RandomUnitPiercingDamage};

// The four upgrade Random flag arrays, in the order of the Upgrade Costs
// window (step, gold, lumber, oil).
using UpgradeFlagArray = uint8_t (SettingsRecord::*)[kUpgrades];
inline constexpr UpgradeFlagArray kRandomUpgradeFlags[] = {
    &SettingsRecord::RandomUpgradeStepCost, &SettingsRecord::RandomUpgradeGoldCost,
    &SettingsRecord::RandomUpgradeLumberCost, &SettingsRecord::RandomUpgradeOilCost};

// The sides a map can have; a record may also hold 0 (drawn before the run).
inline constexpr int32_t kMapSizes[] = {32, 64, 96, 128};
inline constexpr bool IsMapSize(int32_t n) { return n == 32 || n == 64 || n == 96 || n == 128; }

// A zero-filled record, as at program start.
inline SettingsRecord ZeroRecord() {
  SettingsRecord r;
  std::memset(&r, 0, sizeof r);
  return r;
}

}  // namespace glenmire
