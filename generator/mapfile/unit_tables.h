// The constant unit and upgrade data every map carries in "UDTA" and "UGRD":
// the entries the settings do not feed, indexed by unit type id (0..109) or
// by upgrade number (index g-1).
#pragma once

#include <array>
#include <cstdint>

#include "mapfile/pud_layout.h"

namespace glenmire {

// Arrays written only from these tables.
extern constinit const std::array<uint16_t, kUnitIds> kOverlapFrames;
extern constinit const std::array<uint16_t, kLegacyWords> kLegacyWordTable;
extern constinit const std::array<uint16_t, kUnitIds> kUnitSize;
extern constinit const std::array<uint16_t, kUnitIds> kBoxSize;
extern constinit const std::array<uint8_t, kUnitIds> kReactionRangeComputer;
extern constinit const std::array<uint8_t, kUnitIds> kReactionRangeHuman;
extern constinit const std::array<uint8_t, kUnitIds> kSelectableByRectangle;
extern constinit const std::array<uint8_t, kUnitIds> kPriority;
extern constinit const std::array<uint8_t, kUnitIds> kWeaponsUpgradable;
extern constinit const std::array<uint8_t, kUnitIds> kArmorUpgradable;
extern constinit const std::array<uint8_t, kUnitIds> kMissileWeapon;
extern constinit const std::array<uint8_t, kUnitIds> kMovementType;
extern constinit const std::array<uint8_t, kUnitIds> kDecayRate;
extern constinit const std::array<uint8_t, kUnitIds> kAnnoyance;
extern constinit const std::array<uint8_t, kUnitIdsWithAction> kSecondButtonAction;
extern constinit const std::array<uint16_t, kUnitIds> kPointsForDestroying;
extern constinit const std::array<uint8_t, kUnitIds> kCanTarget;
extern constinit const std::array<uint32_t, kUnitIds> kUnitFlags;

// The settings-fed arrays hold these for ids without a settings number (all
// others 0; magic points and oil cost are 0 throughout). The attack range
// holds them for every id past settings number 41 as well.
extern constinit const std::array<uint32_t, kUnitIds> kSightRangeConstants;
extern constinit const std::array<uint16_t, kUnitIds> kHitPointConstants;
extern constinit const std::array<uint8_t, kUnitIds> kBuildTimeConstants;
extern constinit const std::array<uint8_t, kUnitIds> kGoldCostConstants;
extern constinit const std::array<uint8_t, kUnitIds> kLumberCostConstants;
extern constinit const std::array<uint8_t, kUnitIds> kAttackRangeConstants;
extern constinit const std::array<uint8_t, kUnitIds> kArmorConstants;
extern constinit const std::array<uint8_t, kUnitIds> kBasicDamageConstants;
extern constinit const std::array<uint8_t, kUnitIds> kPiercingDamageConstants;

// "UGRD" constants by upgrade number.
extern constinit const std::array<uint16_t, kUpgrades> kUpgradeIcon;
extern constinit const std::array<uint16_t, kUpgrades> kUpgradeGroup;
extern constinit const std::array<uint32_t, kUpgrades> kUpgradeAffectedUnits;

}  // namespace glenmire
