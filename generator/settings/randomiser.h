// Draws the settings marked random before a run, and the safety clamps.
// Both work on the working copy of the record between the backup and the
// restore of "Generate Map", so the user's own settings never change.
#pragma once

#include <cstdint>

#include "core/random.h"
#include "core/settings_record.h"

namespace glenmire {

// "S x E %": s * (e * k) as 80-bit extended arithmetic gives it
// (64-bit mantissa, round to nearest even after each product, k = 0.01 in
// that format, just below 0.01), truncated toward zero. Whole products can
// come out one lower: ExtendedPercent(20, 10) is 1, ExtendedPercent(30, 10) 2.
// Computed exactly with integers, the same on every compiler.
int32_t ExtendedPercent(int32_t s, int32_t e);

// A value for one setting by the record's RandomMethod and RandomExtremity:
// 0 ranged, 1 weighted, 2 raw variance, 3 one of the three drawn afresh.
// A method outside 0..3 draws nothing and gives the centre. The result is
// clamped into lo..hi (below lo -> lo, then above hi -> hi); the caller
// stores it with its field's width.
int32_t RandomValue(const SettingsRecord& r, Random& random, int32_t lo, int32_t hi, int32_t centre);

// Draws every setting whose Random flag is set, in the fixed order of the
// draws (map size, climate, land, resources, startup levels, upgrades, start
// resources, units; then, unless a map is loaded for Genitizing, critters,
// races, controllers and computer behaviour).
void RandomiseSettings(SettingsRecord& r, Random& random, bool mapLoaded);

// Pulls the settings into ranges known to give playable maps ("Safety Mode").
void ApplySafetyClamps(SettingsRecord& r);

}  // namespace glenmire
