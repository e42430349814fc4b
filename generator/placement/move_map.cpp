// Fills MoveGrid (what may move over or be built on each cell) from the
// finished TerrainGrid and the OccupancyGrid marks, applies "Reverse Physics"
// and scatters the shallow-water and swamp blobs. A generation builds it after
// the region map; Genitize rebuilds it from the loaded map's MoveGrid.
#include "placement/move_map.h"

#include <algorithm>

namespace glenmire {
namespace {

constexpr uint16_t TileClass(uint16_t tile) {
  switch (tile) {
    case 0x200:
    case 0x210:
    case 0x230:
    case 0x250:
    case 0x270:
    case 0x280: return 0x99;
    case 0x30:
    case 0x50:
    case 0x70:
    case 0x80:
    case 0x99: return tile;
    default: break;
  }
  if (tile >= 0x700) return 0x85;
  if (tile >= 0x600) return 0x65;
  if (tile >= 0x500) return 0x55;
  if (tile >= 0x400) return 0x85;
  if (tile >= 0x300) return 0x35;
  if (tile >= 0x200) return 0x25;
  return 0x15;
}

constexpr uint8_t ClassCode(uint16_t tileClass, bool reversed) {
  switch (tileClass) {
    case 0x15: return reversed ? kMoveBuildable : kMoveWater;
    case 0x25: return reversed ? kMoveUnbuildable : kMoveShore;
    case 0x30: return kMoveUnbuildable;
    case 0x35: return kMoveUnbuildable;
    case 0x50: return reversed ? kMoveWater : kMoveBuildable;
    case 0x55: return reversed ? kMoveShore : kMoveUnbuildable;
    case 0x65: return reversed ? kMoveWater : kMoveBuildable;
    case 0x70: return kMoveObstacle;
    case 0x80: return kMoveObstacle;
    case 0x85: return reversed ? kMoveWater : kMoveObstacle;
    default: return kMoveShoreCorner;  // 0x99
  }
}

// The code of every tile, without and with "Reverse Physics": the tiles
// below 0x100 one by one, those of 0x200..0x2FF (among them the shore corner
// tiles) by their low byte, the others by their high byte alone. The three
// parts lie one after the other; a tile's high byte gives where its part
// starts and whether its low byte counts, so a lookup takes no branch.
struct CodeTable {
  uint8_t code[3 * 256];  // low tiles, shore tiles, the rest by high byte
  uint16_t start[256];    // by high byte: where the tile's code is, less its low byte's share
  uint8_t lowByte[256];   // by high byte: 0xFF where the low byte picks the code, else 0

  uint8_t Of(uint16_t tile) const {
    const unsigned high8 = tile >> 8;
    return code[start[high8] + (tile & lowByte[high8])];
  }
};

constexpr CodeTable MakeCodes(bool reversed) {
  CodeTable t{};
  for (int v = 0; v < 256; ++v) {
    t.code[v] = ClassCode(TileClass(static_cast<uint16_t>(v)), reversed);
    t.code[256 + v] = ClassCode(TileClass(static_cast<uint16_t>(0x200 | v)), reversed);
    t.code[512 + v] = ClassCode(TileClass(static_cast<uint16_t>(v << 8 | 1)), reversed);
    const bool byLow = v == 0 || v == 2;
    t.start[v] = static_cast<uint16_t>(v == 0 ? 0 : v == 2 ? 256 : 512 + v);
    t.lowByte[v] = byLow ? 0xFF : 0;
  }
  return t;
}

constexpr CodeTable kCodes[2] = {MakeCodes(false), MakeCodes(true)};

// "Reverse Physics" on a loaded map, which carries codes, not tiles.
uint8_t ReverseCode(uint8_t code) {
  switch (code) {
    case kMoveWater: return kMoveBuildable;
    case kMoveBuildable: return kMoveWater;
    case kMoveUnbuildable: return kMoveShore;
    case kMoveObstacle: return kMoveWater;
    case kMoveShore: return kMoveUnbuildable;
    default: return code;
  }
}

// Cells the movement map may touch: never beyond the 128 x 128 store.
int MoveMapSide(const GeneratorState& s) { return std::clamp(s.MapSize(), 0, kMaxMapSize); }

// Shallow water turns water into walkable land, swamp turns unbuildable land
// into water; half a map side of blobs each, scattered up to half a side
// beyond the top and left edges.
void ScatterBlobs(GeneratorState& s) {
  const int32_t size = s.MapSize();
  int32_t length = s.settings.LandWater / 2;
  if (length < 5) length = 10;
  if (s.settings.EnableShallowWater != 0) {
    for (int32_t i = 0; i < size / 2; ++i) {
      const int32_t row = s.random.RandInt(2 * size) - size / 2;
      const int32_t column = s.random.RandInt(2 * size) - size / 2;
      PaintMoveBlob(s, kMoveWater, kMoveUnbuildable, row, static_cast<uint16_t>(length), column);
    }
  }
  if (s.settings.EnableImpassibleLand != 0) {
    for (int32_t i = 0; i < size / 2; ++i) {
      const int32_t row = s.random.RandInt(2 * size) - size / 2;
      const int32_t column = s.random.RandInt(2 * size) - size / 2;
      PaintMoveBlob(s, kMoveUnbuildable, kMoveWater, row, static_cast<uint16_t>(length), column);
    }
  }
}

// Applies a random +1, +2, -1 or -2 (or nothing) drawn from 0..7.
int64_t Nudge(int32_t draw, int64_t value) {
  switch (draw) {
    case 1: return value + 1;
    case 3: return value + 2;
    case 5: return value - 1;
    case 7: return value - 2;
    default: return value;
  }
}

}  // namespace

void BuildMoveMap(GeneratorState& s) {
  const int size = MoveMapSide(s);
  const CodeTable& codes = kCodes[s.settings.ReverseLandAndWaterProperties != 0 ? 1 : 0];
  for (int r = 1; r <= size; ++r) {
    const uint16_t* tiles = &s.TerrainGrid(r, 1);
    const uint8_t* marks = &s.OccupancyGrid(r, 1);
    uint8_t* out = &s.MoveGrid.At(size, r, 1);
    for (int c = 0; c < size; ++c)
      out[c] = marks[c] != 0 ? kMoveUnbuildable : codes.Of(tiles[c]);  // secret passes and placed units
  }
  ScatterBlobs(s);
}

void RebuildMoveMap(GeneratorState& s) {
  const int size = MoveMapSide(s);
  const bool reversed = s.settings.ReverseLandAndWaterProperties != 0;
  for (int r = 1; r <= size; ++r) {
    for (int c = 1; c <= size; ++c) {
      uint8_t& code = s.MoveGrid.At(size, r, c);
      if (reversed) code = ReverseCode(code);
      if (s.OccupancyGrid(r, c) != 0) code = kMoveUnbuildable;
    }
  }
  ScatterBlobs(s);
}

void PaintMoveBlob(GeneratorState& s, uint8_t fromCode, uint8_t toCode, int32_t startRow, uint16_t length,
                   int32_t startColumn) {
  const int size = MoveMapSide(s);
  // 64-bit positions: a start far outside the map must not overflow.
  const int64_t extent = std::max<int64_t>(length, 1);
  const int64_t lastRow = static_cast<int64_t>(startRow) + extent;
  int64_t remaining = extent;  // signed: -1 on the last row, where the blob narrows
  const int64_t half = std::max<int64_t>(extent / 2, 1);
  int64_t width = extent <= 2 ? extent : 2;
  int64_t left = startColumn;
  // Drawn from a copy of the sequence, handed back at the end: the byte
  // stores into the map could be stores into the seed, for all the compiler
  // knows, and would make it reload the seed at every draw.
  Random random = s.random;
  for (int64_t r = startRow; r <= lastRow; ++r) {
    left = Nudge(random.RandInt(8), left);
    width = Nudge(random.RandInt(8), width);
    --remaining;
    const int64_t step = 3 / half + 1;
    if (remaining > half) {
      width = width < extent ? width + step : width - step;
    } else if (width > 3 || r + 3 > lastRow) {
      width -= step;
    }
    if (width <= 0 || r < 1 || r > size) continue;
    const int64_t first = std::max<int64_t>(left, 1);
    const int64_t last = std::min<int64_t>(left + width, size);
    for (int64_t c = first; c <= last; ++c) {
      uint8_t& cell = s.MoveGrid.At(size, static_cast<int>(r), static_cast<int>(c));
      if (cell == fromCode) cell = toCode;
    }
  }
  s.random = random;
}

}  // namespace glenmire
