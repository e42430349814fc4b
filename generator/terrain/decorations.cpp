// Decorations: gives every tile of the finished map a random drawing variant
// and scatters decorated sand and grass tiles. Reads MapSize and Decorations;
// rewrites TerrainGrid. Runs after placement, just before the map is written.
#include "terrain/decorations.h"

#include <algorithm>
#include <array>

namespace glenmire {

namespace {

// Mountain-coast tiles with three mountain corners have a single variant.
constexpr bool IsSingleVariantMountainEdge(int t) { return t == 1120 || t == 1184 || t == 1216 || t == 1232; }

constexpr bool InTwoVariantFamily(int t) { return (t >= 1024 && t <= 1279) || (t >= 1792 && t <= 2047); }

// How many drawing variants a tile has (0: one, and no draw for it), and
// kDecorated for sand and grass, which may then be decorated too. Tiles
// from kTilesInTable up have two, as the last entry says.
constexpr int kTilesInTable = 2048;
constexpr uint8_t kDecorated = 0x80;
constexpr std::array<uint8_t, kTilesInTable + 1> kVariants = [] {
  std::array<uint8_t, kTilesInTable + 1> variants{};
  for (int t = 0; t <= kTilesInTable; ++t) {
    uint8_t n = 2;
    if (t == kOpenWater || t == kMountain)
      n = 4;
    else if (t == kCoast || t == kGrass)
      n = 3 | kDecorated;
    else if (t == kForest)
      n = 3;
    else if (InTwoVariantFamily(t))
      n = IsSingleVariantMountainEdge(t) ? 0 : 2;
    else if (t == 32 || t == 64 || t == 144 || t == 176)
      n = 3;
    variants[t] = n;
  }
  return variants;
}();

uint16_t Decorate(uint16_t t, int32_t decorations, Random& random) {
  const uint8_t variants = kVariants[std::min<int>(t, kTilesInTable)];
  if (variants == 0) return t;
  auto tile = static_cast<uint16_t>(t + random.RandInt(variants & ~kDecorated));
  if ((variants & kDecorated) != 0 && random.RandInt(100) < decorations)
    tile = static_cast<uint16_t>(tile + 4 + random.RandInt(4));
  return tile;
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
