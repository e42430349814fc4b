// Labels every cell of RegionGrid from the finished TerrainGrid: one number
// per connected land area and per connected water area, fixed marks for
// forest and rock. Runs once per generation after the terrain stages.
#include "placement/region_map.h"

#include <cstring>
#include <vector>

#include "core/grids.h"

namespace glenmire {
namespace {

constexpr uint16_t kForestRegion = 254;
constexpr uint16_t kRockRegion = 253;

enum class RegionKind { kWater, kLand, kForest, kRock };

constexpr RegionKind KindOf(uint16_t tile) {
  if (tile >= 0x10 && tile <= 0x19) return RegionKind::kWater;
  if (tile >= 0x30 && tile <= 0x39) return RegionKind::kLand;
  if (tile >= 0x50 && tile <= 0x59) return RegionKind::kLand;
  if (tile >= 0x70 && tile <= 0x79) return RegionKind::kForest;
  if (tile >= 0x80 && tile <= 0x89) return RegionKind::kRock;
  if (tile >= 0x700) return RegionKind::kForest;
  if (tile >= 0x500) return RegionKind::kLand;
  if (tile >= 0x400) return RegionKind::kRock;
  if (tile >= 0x100) return RegionKind::kLand;
  return RegionKind::kWater;
}

// Coast boundary tiles take the number of the land that reaches them but do
// not carry it on, so two shores that meet only across one are kept apart.
constexpr bool StopsFill(uint16_t tile) { return tile >= 0x200 && tile <= 0x3FF; }

// What the fills need of every cell, on a grid with a border of one cell all
// round so that neighbours need no edge test: the kind (1 water, 2 land,
// 3 forest, 4 rock) and kStops for a tile that stops a fill; 0 for a cell
// that already has its number and for the border.
constexpr int kStride = kMaxMapSize + 2;
constexpr uint8_t kStops = 8;

constexpr uint8_t KindCode(RegionKind kind) { return static_cast<uint8_t>(static_cast<int>(kind) + 1); }

// The code of every tile: the low tiles one by one, the rest by their high
// byte (0x100 up to 0x3FF land, 0x200 up the stopping shores, 0x400 rock,
// 0x500 land, 0x700 up forest).
constexpr uint8_t CodeOf(uint16_t tile) {
  return static_cast<uint8_t>(KindCode(KindOf(tile)) | (StopsFill(tile) ? kStops : 0));
}

// One table: a low tile's code at the tile, a high tile's at 256 + its high
// byte, so that a cell's code takes no branch on which it is.
struct CodeTable {
  uint8_t code[512];
};

constexpr CodeTable kCodes = [] {
  CodeTable t{};
  for (int v = 0; v < 256; ++v) {
    t.code[v] = CodeOf(static_cast<uint16_t>(v));
    t.code[256 + v] = CodeOf(static_cast<uint16_t>(v << 8));
  }
  return t;
}();

constexpr unsigned CodeIndex(uint16_t tile) {
  const unsigned high = tile >> 8;
  const unsigned isHigh = 0u - static_cast<unsigned>(high != 0);  // all ones for a high tile
  return (tile & ~isHigh) | ((256 + high) & isHigh);
}

struct FillCodes {
  uint8_t code[kStride * kStride];

  explicit FillCodes(const GeneratorState& s) {
    const int size = s.MapSize();
    std::memset(code, 0, sizeof code);
    for (int r = 1; r <= size; ++r) {
      const uint16_t* tiles = &s.TerrainGrid(r, 1);
      uint8_t* codes = &code[At(r, 1)];
      for (int c = 0; c < size; ++c) codes[c] = kCodes.code[CodeIndex(tiles[c])];
    }
  }
  static int At(int r, int c) { return r * kStride + c; }
};

// A run of numbered cells of one row, from column `first` to `last`, whose
// neighbours in the rows above and below are still to be looked at.
struct Run {
  int row, first, last;
};

// Gives `value` to every unnumbered cell of the same kind 8-connected to the
// seed (numbered already) through cells that do not stop the fill. Which
// cells those are does not depend on the order they are found in, so the
// fill goes a run of a row at a time: a cell that carries the fill on takes
// the whole run of such cells beside it in its row, and a stopping cell its
// number alone.
void FillFrom(GeneratorState& s, FillCodes& codes, std::vector<Run>& runs, int seedRow, int seedColumn, RegionKind kind,
              uint16_t value) {
  const uint8_t carries = KindCode(kind);  // of the kind, carries the fill on
  const uint8_t stops = carries | kStops;  // of the kind, stops it
  auto number = [&](int r, int c) {
    codes.code[FillCodes::At(r, c)] = 0;
    s.RegionGrid(r, c) = value;
  };
  // The run of carrying cells through (r, c), numbered, with a stopping cell
  // at either end numbered too; the run is queued.
  auto takeRun = [&](int r, int c) {
    uint8_t* row = &codes.code[FillCodes::At(r, 0)];
    int first = c, last = c;
    while (row[first - 1] == carries) number(r, --first);
    while (row[last + 1] == carries) number(r, ++last);
    if (row[first - 1] == stops) number(r, first - 1);
    if (row[last + 1] == stops) number(r, last + 1);
    runs.push_back(Run{r, first, last});
    return last;
  };
  runs.clear();
  takeRun(seedRow, seedColumn);  // the seed carries the fill on whatever its tile
  while (!runs.empty()) {
    const Run run = runs.back();
    runs.pop_back();
    for (int r : {run.row - 1, run.row + 1}) {
      const uint8_t* row = &codes.code[FillCodes::At(r, 0)];
      for (int c = run.first - 1; c <= run.last + 1; ++c) {
        if (row[c] == stops) {
          number(r, c);
        } else if (row[c] == carries) {
          number(r, c);
          c = takeRun(r, c);
        }
      }
    }
  }
}

}  // namespace

void BuildRegionMap(GeneratorState& s) {
  const int size = s.MapSize();
  int landNumber = 0;
  int waterNumber = 0;
  FillCodes codes(s);
  // The queue of runs stays with the thread from map to map, so a map
  // neither allocates nor frees it (it is large enough for glibc to give
  // back to the system and fault in again every time).
  thread_local std::vector<Run> runs = [] {
    std::vector<Run> room;
    room.reserve(kGridCells / 2);
    return room;
  }();
  for (int r = 1; r <= size; ++r) {
    for (int c = 1; c <= size; ++c) {
      uint8_t& code = codes.code[FillCodes::At(r, c)];
      if (code == 0) continue;
      code = 0;
      const RegionKind kind = KindOf(s.TerrainGrid(r, c));
      switch (kind) {
        case RegionKind::kForest: s.RegionGrid(r, c) = kForestRegion; break;
        case RegionKind::kRock: s.RegionGrid(r, c) = kRockRegion; break;
        case RegionKind::kLand:
          s.RegionGrid(r, c) = static_cast<uint16_t>(landNumber);
          FillFrom(s, codes, runs, r, c, kind, static_cast<uint16_t>(landNumber));
          // Past 254 land areas every further one shares the last number.
          if (++landNumber == 255) landNumber = 254;
          break;
        case RegionKind::kWater:
          s.RegionGrid(r, c) = static_cast<uint16_t>(waterNumber);
          FillFrom(s, codes, runs, r, c, kind, static_cast<uint16_t>(waterNumber));
          // Past 255 water areas the numbers cycle through 244..254.
          if (++waterNumber == 255) waterNumber = 244;
          break;
      }
    }
  }
}

}  // namespace glenmire
