// Game unit numbers the placement stages use, and the owner codes of a record.
#pragma once

#include <cstdint>

namespace glenmire {

inline constexpr uint8_t kFootman = 0;
inline constexpr uint8_t kGrunt = 1;
inline constexpr uint8_t kPeasant = 2;
inline constexpr uint8_t kPeon = 3;
inline constexpr uint8_t kCritter = 57;
inline constexpr uint8_t kTownHall = 74;
inline constexpr uint8_t kGreatHall = 75;
inline constexpr uint8_t kGoldMine = 92;
inline constexpr uint8_t kOilPatch = 93;
inline constexpr uint8_t kHumanStart = 94;
inline constexpr uint8_t kOrcStart = 95;

// Footmen are type 0, but a 0 mark means a free cell; they mark with this.
inline constexpr uint8_t kTypeZeroMark = 152;
// PlaceUnit with this type closes the list instead of placing anything.
inline constexpr uint8_t kCloseListType = 255;

inline constexpr uint8_t kNeutralOwner = 15;   // record owner of neutral units
inline constexpr uint8_t kNeutralPlayer = 16;  // the site search's player for them

}  // namespace glenmire
