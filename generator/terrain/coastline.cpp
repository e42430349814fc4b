// The four boundary passes over TerrainGrid. ShapeCoastline runs after the
// lakes and turns the island mass into coast sand (48) and open water (16);
// EdgeMountains, EdgeGrass and EdgeForest run after the mountains, the
// buildable land and the forest. Each visits rows 1..MapSize, columns
// 1..MapSize, and writes every result at once, so a cell's test sees the new
// values of its NW, N, NE and W neighbours and the old values of the rest.
#include "terrain/coastline.h"

#include <algorithm>

namespace glenmire {

namespace {

// Tile for each corner mask NW*1 + NE*2 + SW*4 + SE*8: the cell's own class
// when no corner touches, the neighbour class when all four do, else a mixed
// tile of the family, base + 16 * digit. Coast and grass edges count the digit
// down (14 - mask), mountain and forest edges up (mask - 1).
struct TileTable {
  uint16_t tile[16];
};

constexpr TileTable MakeTiles(uint16_t none, uint16_t all, uint16_t base, bool countDown) {
  TileTable t{};
  t.tile[0] = none;
  t.tile[15] = all;
  for (int mask = 1; mask < 15; ++mask)
    t.tile[mask] = static_cast<uint16_t>(base + 16 * (countDown ? 14 - mask : mask - 1));
  return t;
}

constexpr TileTable MakeCoastTiles() {
  TileTable t = MakeTiles(kOpenWater, kCoast, 512, true);
  t.tile[12] = 545;  // water with coast to its south: the game's tile is 545, not 544
  return t;
}

constexpr TileTable kCoastTiles = MakeCoastTiles();
constexpr TileTable kMountainTiles = MakeTiles(kCoast, kMountain, 1024, false);
constexpr TileTable kGrassTiles = MakeTiles(kCoast, kGrass, 1280, true);
constexpr TileTable kForestTiles = MakeTiles(kGrass, kForest, 1792, false);

static_assert(kCoastTiles.tile[8] == 608 && kCoastTiles.tile[1] == 720);
static_assert(kMountainTiles.tile[8] == 1136 && kGrassTiles.tile[8] == 1376 && kForestTiles.tile[14] == 2000);

int UsedSide(const GeneratorState& s) { return std::clamp(s.MapSize(), 0, kMaxMapSize); }

// Which corners of (row, column) touch a neighbour for which `touches` holds;
// a neighbour beyond the map edge never does.
template <typename Touches>
int CornerMask(const GeneratorState& s, int side, int row, int column, Touches touches) {
  auto at = [&](int dr, int dc) {
    const int r = row + dr, c = column + dc;
    return InsideMap(side, r, c) && touches(s.TerrainGrid(r, c));
  };
  const bool n = at(-1, 0), s_ = at(1, 0), w = at(0, -1), e = at(0, 1);
  const bool nw = n || w || at(-1, -1);
  const bool ne = n || e || at(-1, 1);
  const bool sw = s_ || w || at(1, -1);
  const bool se = s_ || e || at(1, 1);
  return (nw ? 1 : 0) | (ne ? 2 : 0) | (sw ? 4 : 0) | (se ? 8 : 0);
}

uint8_t EdgePass(GeneratorState& s, uint16_t cellClass, uint16_t neighbourClass, const TileTable& tiles) {
  const int side = UsedSide(s);
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      if (s.TerrainGrid(r, c) != cellClass) continue;
      const int mask = CornerMask(s, side, r, c, [&](uint16_t v) { return v == neighbourClass; });
      s.TerrainGrid(r, c) = tiles.tile[mask];
    }
  return 0;
}

}  // namespace

uint8_t ShapeCoastline(GeneratorState& s) {
  const int side = UsedSide(s);
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c) {
      uint16_t& cell = s.TerrainGrid(r, c);
      if (cell != kWater) {
        cell = kCoast;
        continue;
      }
      // Land not yet visited is still 1, land already visited is 48.
      const int mask = CornerMask(s, side, r, c, [](uint16_t v) { return v == kLand || v == kCoast; });
      cell = kCoastTiles.tile[mask];
    }
  return 0;
}

uint8_t EdgeMountains(GeneratorState& s) { return EdgePass(s, kCoast, kMountain, kMountainTiles); }
uint8_t EdgeGrass(GeneratorState& s) { return EdgePass(s, kCoast, kGrass, kGrassTiles); }
uint8_t EdgeForest(GeneratorState& s) { return EdgePass(s, kGrass, kForest, kForestTiles); }

}  // namespace glenmire
