// The four families of mixed tiles the edge passes make: a tile of a family
// is base + 16 * digit + variant, the digit from the corner mask NW*1 + NE*2
// + SW*4 + SE*8 (coast and grass edges count it down, 14 - mask; mountain and
// forest edges up, mask - 1). Water with coast to its south is the game's
// tile 545, not 544.
#pragma once

#include <cstdint>

namespace glenmire {

struct TileFamily {
  uint16_t base;
  bool countDown;
};
inline constexpr TileFamily kCoastEdges{512, true};
inline constexpr TileFamily kMountainEdges{1024, false};
inline constexpr TileFamily kGrassEdges{1280, true};
inline constexpr TileFamily kForestEdges{1792, false};
inline constexpr int kTileFamilySpan = 256;
inline constexpr int kTileDigitStep = 16;
inline constexpr unsigned kCoastSouthMask = 12;
inline constexpr uint16_t kCoastSouthTile = 545;

// The first variant of the family's tile for a mixed corner mask (1..14).
constexpr uint16_t MixedTile(const TileFamily& f, unsigned mask) {
  if (f.base == kCoastEdges.base && mask == kCoastSouthMask) return kCoastSouthTile;
  const int digit = f.countDown ? 14 - static_cast<int>(mask) : static_cast<int>(mask) - 1;
  return static_cast<uint16_t>(f.base + kTileDigitStep * digit);
}

}  // namespace glenmire
