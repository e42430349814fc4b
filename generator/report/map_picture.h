// A picture of a map: one (or scale x scale) pixels per cell, terrain in the
// colours of its climate, gold mines, oil patches and start locations marked,
// units in their player's colour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/generator_state.h"

namespace glenmire {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

static_assert(sizeof(Rgb) == 3, "pixels are packed RGB");

struct MapPicture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // row-major
  Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The colour of one terrain tile in a climate (0 forest, 1 winter, 2 wasteland, 3 swamp).
Rgb TileColour(uint16_t tile, int climate);
// The colour a player's units are drawn in (owner 0..7; anything else is neutral).
Rgb OwnerColour(uint8_t owner);
inline constexpr Rgb kGoldMineColour{255, 215, 0};
inline constexpr Rgb kOilPatchColour{20, 20, 20};
inline constexpr Rgb kStartLocationColour{255, 255, 255};

// The bytes of unit records the map carries: a loaded map's unit section, or
// the list a generation run built.
int32_t UnitBytes(const GeneratorState& s);

MapPicture RenderMapPicture(const GeneratorState& s, int scale);
// Writes the picture as PNG (atomically); throws FileError.
void WriteMapPicture(const GeneratorState& s, const std::string& path, int scale);

}  // namespace glenmire
