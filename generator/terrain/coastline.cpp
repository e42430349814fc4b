// The four boundary passes over TerrainGrid. ShapeCoastline runs after the
// lakes and turns the island mass into coast sand (48) and open water (16);
// EdgeMountains, EdgeGrass and EdgeForest run after the mountains, the
// buildable land and the forest. Each visits rows 1..MapSize, columns
// 1..MapSize, and writes every result at once, so a cell's test sees the new
// values of its NW, N, NE and W neighbours and the old values of the rest.
#include "terrain/coastline.h"

#include <algorithm>
#include <bit>

#include "terrain/tile_families.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace glenmire {

namespace {

// Tile for each corner mask NW*1 + NE*2 + SW*4 + SE*8: the cell's own class
// when no corner touches, the neighbour class when all four do, else a mixed
// tile of the family, base + 16 * digit. Coast and grass edges count the digit
// down (14 - mask), mountain and forest edges up (mask - 1).
struct TileTable {
  uint16_t tile[16];
};

constexpr TileTable MakeTiles(uint16_t none, uint16_t all, const TileFamily& family) {
  TileTable t{};
  t.tile[0] = none;
  t.tile[15] = all;
  for (unsigned mask = 1; mask < 15; ++mask) t.tile[mask] = MixedTile(family, mask);
  return t;
}

constexpr TileTable kCoastTiles = MakeTiles(kOpenWater, kCoast, kCoastEdges);
constexpr TileTable kMountainTiles = MakeTiles(kCoast, kMountain, kMountainEdges);
constexpr TileTable kGrassTiles = MakeTiles(kCoast, kGrass, kGrassEdges);
constexpr TileTable kForestTiles = MakeTiles(kGrass, kForest, kForestEdges);

static_assert(kCoastTiles.tile[8] == 608 && kCoastTiles.tile[1] == 720 && kCoastTiles.tile[12] == 545);
static_assert(kMountainTiles.tile[8] == 1136 && kGrassTiles.tile[8] == 1376 && kForestTiles.tile[14] == 2000);

static_assert(kMountainTiles.tile[0] == kCoast && kGrassTiles.tile[0] == kCoast && kForestTiles.tile[0] == kGrass,
              "an edge cell that touches nothing keeps its class");

int UsedSide(const GeneratorState& s) { return std::clamp(s.MapSize(), 0, kMaxMapSize); }

// A row of the map as bits: bit c - 1 for column c.
__extension__ typedef unsigned __int128 RowBits;

RowBits Low(int side) { return side >= kMaxMapSize ? ~RowBits{0} : (RowBits{1} << side) - 1; }

// The columns 1..side of row r that hold a or b.
RowBits Holding(const GeneratorState& s, int side, int r, uint16_t a, uint16_t b) {
  const uint16_t* tiles = &s.TerrainGrid(r, 1);  // the row's 128 cells, used or not
  RowBits bits = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi16(static_cast<short>(a)), vb = _mm_set1_epi16(static_cast<short>(b));
  auto holds = [&](int c) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tiles + c));
    return _mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb));
  };
  for (int c = 0; c < kMaxMapSize; c += 16) {
    const auto sixteen = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(holds(c), holds(c + 8))));
    bits |= static_cast<RowBits>(sixteen) << c;
  }
#else
  for (int c = 0; c < kMaxMapSize; ++c) bits |= static_cast<RowBits>(tiles[c] == a || tiles[c] == b) << c;
#endif
  return bits & Low(side);
}

// The corners of one row's cells that touch, from the flags of the row
// above (already rewritten), of the row itself and of the row below (as they
// were), and which cells of the row touch once it is rewritten.
//
// A cell's west neighbour has already been rewritten when the cell is
// looked at, and a cell that turns into the neighbour class touches from then
// on: it does so when all four corners touch. With the west neighbour
// touching, NW and SW touch, so a cell turns when NE and SE touch and either
// its west neighbour touches or, whatever that holds, N or NW and S or SW
// touch (it `starts`). A cell that turns only through its west neighbour
// needs that one to start: had the west neighbour turned through its own,
// it would have needed NE and SE, which are N or NW and S or SW of this
// cell, and this cell would start. So one step along the row is enough.
// Neighbours beyond the map are 0 bits.
struct RowCorners {
  RowBits nw, ne, sw, se;
  RowBits touches;  // after the row is rewritten
};

RowCorners Corners(RowBits above, RowBits here, RowBits below, RowBits turnsWith, RowBits touchesAfter) {
  RowCorners k;
  const RowBits east = here >> 1;
  k.ne = above | east | above >> 1;
  k.se = below | east | below >> 1;
  const RowBits turns = turnsWith & k.ne & k.se;  // cells of the class that turn once NW and SW touch
  const RowBits starts = touchesAfter | (turns & (above | above << 1) & (below | below << 1));
  k.touches = starts | (turns & starts << 1);
  const RowBits west = k.touches << 1;
  k.nw = above | west | above << 1;
  k.sw = below | west | below << 1;
  return k;
}

// Writes tiles.tile[mask] into every cell of `cells` (bit c - 1, column c)
// with its corner mask NW*1 + NE*2 + SW*4 + SE*8.
void WriteMixed(uint16_t* row, RowBits cells, const RowCorners& k, const TileTable& tiles) {
  for (int half = 0; half < 2; ++half) {
    const int shift = 64 * half;
    uint64_t left = static_cast<uint64_t>(cells >> shift);
    const auto nw = static_cast<uint64_t>(k.nw >> shift), ne = static_cast<uint64_t>(k.ne >> shift);
    const auto sw = static_cast<uint64_t>(k.sw >> shift), se = static_cast<uint64_t>(k.se >> shift);
    while (left != 0) {
      const int bit = std::countr_zero(left);
      left &= left - 1;
      const unsigned mask =
          static_cast<unsigned>((nw >> bit & 1) | (ne >> bit & 1) << 1 | (sw >> bit & 1) << 2 | (se >> bit & 1) << 3);
      row[shift + bit] = tiles.tile[mask];
    }
  }
}

// The rows of one pass, top to bottom: `cellClass` cells take their tiles,
// a cell touches when it holds `touchA` or `touchB`. `Rewrite(row, cells,
// corners)` writes the row, where `cells` are its cellClass cells.
template <typename Rewrite>
void RowPass(GeneratorState& s, uint16_t cellClass, uint16_t touchA, uint16_t touchB, bool othersTouchAfter,
             Rewrite rewrite) {
  const int side = UsedSide(s);
  if (side < 1) return;
  const RowBits used = Low(side);
  RowBits above = 0;
  RowBits here = Holding(s, side, 1, touchA, touchB);
  RowBits cells = Holding(s, side, 1, cellClass, cellClass);
  for (int r = 1; r <= side; ++r) {
    const bool last = r == side;
    const RowBits below = last ? 0 : Holding(s, side, r + 1, touchA, touchB);
    const RowBits belowCells = last ? 0 : Holding(s, side, r + 1, cellClass, cellClass);
    // Cells of other classes keep their flags, or (the coastline) all touch once rewritten.
    const RowBits others = othersTouchAfter ? used & ~cells : here;
    const RowCorners k = Corners(above, here, below, cells, others);
    rewrite(&s.TerrainGrid(r, 1), cells, k);
    above = k.touches;
    here = below;
    cells = belowCells;
  }
}

uint8_t EdgePass(GeneratorState& s, uint16_t cellClass, uint16_t neighbourClass, const TileTable& tiles) {
  // A cell of the class that touches nothing keeps its class, and one that
  // touches at all four corners takes the neighbour class.
  RowPass(s, cellClass, neighbourClass, neighbourClass, false,
          [&tiles](uint16_t* row, RowBits cells, const RowCorners& k) {
            WriteMixed(row, cells & (k.nw | k.ne | k.sw | k.se), k, tiles);
          });
  return 0;
}

}  // namespace

uint8_t ShapeCoastline(GeneratorState& s) {
  // Land not yet visited is still 1, land already visited is 48; everything
  // but water becomes coast, and water with no land at a corner open water.
  const int side = UsedSide(s);
  RowPass(s, kWater, kLand, kCoast, true, [side](uint16_t* row, RowBits water, const RowCorners& k) {
    for (int c = 0; c < side; ++c) row[c] = row[c] == kWater ? uint16_t{kOpenWater} : uint16_t{kCoast};
    WriteMixed(row, water & (k.nw | k.ne | k.sw | k.se), k, kCoastTiles);
  });
  return 0;
}

uint8_t EdgeMountains(GeneratorState& s) { return EdgePass(s, kCoast, kMountain, kMountainTiles); }
uint8_t EdgeGrass(GeneratorState& s) { return EdgePass(s, kCoast, kGrass, kGrassTiles); }
uint8_t EdgeForest(GeneratorState& s) { return EdgePass(s, kGrass, kForest, kForestTiles); }

}  // namespace glenmire
