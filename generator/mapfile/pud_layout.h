// The .pud layout shared by the writer and the reader: section tags and
// lengths, the offsets inside "UDTA" and "UGRD", and the link between the
// game's unit type ids and the settings' unit numbers.
#pragma once

#include <array>
#include <cstdint>

#include "core/settings_record.h"
#include "core/unit_types.h"

namespace glenmire {

// Section tags, four characters each (a trailing blank is part of the tag).
inline constexpr char kTagType[] = "TYPE";
inline constexpr char kTagVersion[] = "VER ";
inline constexpr char kTagDescription[] = "DESC";
inline constexpr char kTagOwners[] = "OWNR";
inline constexpr char kTagEra[] = "ERA ";
inline constexpr char kTagEraExpansion[] = "ERAX";
inline constexpr char kTagDimensions[] = "DIM ";
inline constexpr char kTagUnitData[] = "UDTA";
inline constexpr char kTagUpgradeData[] = "UGRD";
inline constexpr char kTagSides[] = "SIDE";
inline constexpr char kTagStartGold[] = "SGLD";
inline constexpr char kTagStartLumber[] = "SLBR";
inline constexpr char kTagStartOil[] = "SOIL";
inline constexpr char kTagAiPlayers[] = "AIPL";
inline constexpr char kTagTiles[] = "MTXM";
inline constexpr char kTagMovement[] = "SQM ";
inline constexpr char kTagOilMap[] = "OILM";
inline constexpr char kTagRegions[] = "REGM";
inline constexpr char kTagUnits[] = "UNIT";

inline constexpr int kSectionHeaderBytes = 8;  // tag, then a 32-bit body length
inline constexpr int kDescriptionBytes = 32;
inline constexpr int kPlayerSlots = 16;  // OWNR, SIDE, SGLD, ... carry 16 slots; 9..16 are fixed
inline constexpr int kSwampClimate = kClimateSwamp;
inline constexpr uint8_t kTypeSignature[] = {'W', 'A', 'R', '2', ' ', 'M', 'A', 'P'};

inline constexpr int kUnitIdsWithAction = 58;  // the second-button array covers ids 0..57 only
inline constexpr int kLegacyWords = 508;
// Only settings numbers 1..41 feed the attack-range array; the rest of it is constant.
inline constexpr int kAttackRangeSettings = 41;

// "UDTA" body offsets.
namespace udta {
inline constexpr int kFlag = 0;
inline constexpr int kOverlapFrames = 2;
inline constexpr int kLegacy = 222;
inline constexpr int kSightRange = 1238;  // 32-bit entries
inline constexpr int kHitPoints = 1678;   // 16-bit entries
inline constexpr int kMagicPoints = 1898;
inline constexpr int kBuildTime = 2008;
inline constexpr int kGoldCost = 2118;
inline constexpr int kLumberCost = 2228;
inline constexpr int kOilCost = 2338;
inline constexpr int kUnitSize = 2448;  // two 16-bit values
inline constexpr int kBoxSize = 2888;   // two 16-bit values
inline constexpr int kAttackRange = 3328;
inline constexpr int kReactComputer = 3438;
inline constexpr int kReactHuman = 3548;
inline constexpr int kArmor = 3658;
inline constexpr int kSelectable = 3768;
inline constexpr int kPriority = 3878;
inline constexpr int kBasicDamage = 3988;
inline constexpr int kPiercingDamage = 4098;
inline constexpr int kWeaponsUpgradable = 4208;
inline constexpr int kArmorUpgradable = 4318;
inline constexpr int kMissile = 4428;
inline constexpr int kMovementType = 4538;
inline constexpr int kDecayRate = 4648;
inline constexpr int kAnnoyance = 4758;
inline constexpr int kSecondButton = 4868;  // 58 entries
inline constexpr int kPoints = 4926;        // 16-bit entries
inline constexpr int kCanTarget = 5146;
inline constexpr int kFlags = 5256;  // 32-bit entries
inline constexpr int kBytes = 5696;
}  // namespace udta

// "UGRD" body offsets; arrays of 52 entries by upgrade number.
namespace ugrd {
inline constexpr int kFlag = 0;
inline constexpr int kTime = 2;
inline constexpr int kGold = 54;       // 16-bit entries
inline constexpr int kLumber = 158;    // 16-bit entries
inline constexpr int kOil = 262;       // 16-bit entries
inline constexpr int kIcon = 366;      // 16-bit entries
inline constexpr int kGroup = 470;     // 16-bit entries
inline constexpr int kAffected = 574;  // 32-bit entries
inline constexpr int kBytes = 782;
}  // namespace ugrd

// Id 49 (settings number 34) always carries a map-size dependent lumber cost.
inline constexpr int kFixedLumberSetting = 34;
inline constexpr uint8_t FixedLumberCost(int32_t mapSize) { return mapSize == 128 ? 100 : 5; }

}  // namespace glenmire
