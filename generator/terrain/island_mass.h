// The first terrain stage: the island mass painted into an all-water map, or,
// when there is too little land for one, a small island for every player.
// Reads MapSize, LandWater, "Reverse Physics" and the controllers; writes
// TerrainGrid (classes 0 and 1), StartIslandsMode and StartCells.
#pragma once

#include <cstdint>

#include "core/generator_state.h"

namespace glenmire {

// A hundredth of the map's cells (16-bit, as the land and lake targets use it).
inline uint16_t AreaUnit(const GeneratorState& s) { return static_cast<uint16_t>(s.MapSize() * s.MapSize() / 100); }

// All land for LandWater 99 and more; otherwise water with land blobs until
// AreaUnit x LandWater cells are land; below 5 % land (without "Reverse
// Physics") one 3x3 start island per taking-part player instead.
void BuildIslandMass(GeneratorState& s);

// Start islands only, after the coastline: each island's centre becomes
// buildable grass (class 80).
void GrassStartIslandCentres(GeneratorState& s);

}  // namespace glenmire
