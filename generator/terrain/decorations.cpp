// Decorations: gives every tile of the finished map a random drawing variant
// and scatters decorated sand and grass tiles. Reads MapSize and Decorations;
// rewrites TerrainGrid. Runs after placement, just before the map is written.
#include "terrain/decorations.h"

#include <algorithm>

namespace glenmire {

namespace {

// Mountain-coast tiles with three mountain corners have a single variant.
bool IsSingleVariantMountainEdge(uint16_t t) { return t == 1120 || t == 1184 || t == 1216 || t == 1232; }

bool InTwoVariantFamily(uint16_t t) { return (t >= 1024 && t <= 1279) || (t >= 1792 && t <= 2047); }

uint16_t Decorate(uint16_t t, int32_t decorations, Random& random) {
  switch (t) {
    case kOpenWater:
    case kMountain:
      return static_cast<uint16_t>(t + random.RandInt(4));
    case kCoast:
    case kGrass: {
      uint16_t tile = static_cast<uint16_t>(t + random.RandInt(3));
      if (random.RandInt(100) < decorations) tile = static_cast<uint16_t>(tile + 4 + random.RandInt(4));
      return tile;
    }
    case kForest:
      return static_cast<uint16_t>(t + random.RandInt(3));
    default:
      break;
  }
  if (InTwoVariantFamily(t)) {
    if (IsSingleVariantMountainEdge(t)) return t;
    return static_cast<uint16_t>(t + random.RandInt(2));
  }
  if (t == 32 || t == 64 || t == 144 || t == 176) return static_cast<uint16_t>(t + random.RandInt(3));
  return static_cast<uint16_t>(t + random.RandInt(2));
}

}  // namespace

void ScatterDecorations(GeneratorState& s) {
  // Signed, as stored: a stored 200 reads as -56 and decorates nothing.
  const int32_t decorations = s.settings.Decorations;
  const int lastCell = std::min(s.MapSize(), kMaxMapSize);
  // Drawn from a copy of the sequence, handed back at the end, so that it
  // stays in registers while the grid is written.
  Random random = s.random;
  for (int r = 1; r <= lastCell; ++r)
    for (int c = 1; c <= lastCell; ++c) s.TerrainGrid(r, c) = Decorate(s.TerrainGrid(r, c), decorations, random);
  s.random = random;
}

}  // namespace glenmire
