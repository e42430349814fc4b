// Labels every cell of RegionGrid from the finished TerrainGrid: one number
// per connected land area and per connected water area, fixed marks for
// forest and rock. Runs once per generation after the terrain stages.
#include "placement/region_map.h"

#include <cstring>

#include "core/cell_stack.h"

namespace glenmire {
namespace {

constexpr uint16_t kForestRegion = 254;
constexpr uint16_t kRockRegion = 253;

enum class RegionKind { kWater, kLand, kForest, kRock };

RegionKind KindOf(uint16_t tile) {
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
bool StopsFill(uint16_t tile) { return tile >= 0x200 && tile <= 0x3FF; }

// What the fills need of every cell, on a grid with a border of one cell all
// round so that neighbours need no edge test: the kind (1 water, 2 land,
// 3 forest, 4 rock) and kStops for a tile that stops a fill; 0 for a cell
// that already has its number and for the border.
constexpr int kStride = kMaxMapSize + 2;
constexpr uint8_t kKindBits = 7;
constexpr uint8_t kStops = 8;

uint8_t KindCode(RegionKind kind) { return static_cast<uint8_t>(static_cast<int>(kind) + 1); }

struct FillCodes {
  uint8_t code[kStride * kStride];

  explicit FillCodes(const GeneratorState& s) {
    const int size = s.MapSize();
    std::memset(code, 0, sizeof code);
    for (int r = 1; r <= size; ++r)
      for (int c = 1; c <= size; ++c) {
        const uint16_t tile = s.TerrainGrid(r, c);
        code[At(r, c)] = static_cast<uint8_t>(KindCode(KindOf(tile)) | (StopsFill(tile) ? kStops : 0));
      }
  }
  static int At(int r, int c) { return r * kStride + c; }
};

// Gives `value` to every unnumbered cell of the same kind 8-connected to the
// seed (numbered already), through cells that do not stop the fill.
void FillFrom(GeneratorState& s, FillCodes& codes, CellStack& pending, int seedRow, int seedColumn, RegionKind kind,
              uint16_t value) {
  const uint8_t want = KindCode(kind);
  StackPush(pending, seedRow, seedColumn);
  StackCell cell;
  while (StackPop(pending, cell)) {
    uint8_t* const code = &codes.code[FillCodes::At(cell.row, cell.column)];
    uint16_t* const region = &s.RegionGrid(cell.row, cell.column);
    // One neighbour, dr rows and dc columns away.
    auto visit = [&](int dr, int dc) {
      uint8_t& next = code[dr * kStride + dc];
      if ((next & kKindBits) != want) return;  // another kind, numbered, or beyond the edge
      const bool stops = (next & kStops) != 0;
      next = 0;
      region[dr * kMaxMapSize + dc] = value;
      if (!stops) StackPush(pending, cell.row + dr, cell.column + dc);
    };
    // In reading order.
    visit(-1, -1), visit(-1, 0), visit(-1, 1);
    visit(0, -1), visit(0, 1);
    visit(1, -1), visit(1, 0), visit(1, 1);
  }
}

}  // namespace

void BuildRegionMap(GeneratorState& s) {
  const int size = s.MapSize();
  int landNumber = 0;
  int waterNumber = 0;
  FillCodes codes(s);
  CellStack pending;
  for (int r = 1; r <= size; ++r) {
    for (int c = 1; c <= size; ++c) {
      uint8_t& code = codes.code[FillCodes::At(r, c)];
      if (code == 0) continue;
      code = 0;
      const RegionKind kind = KindOf(s.TerrainGrid(r, c));
      switch (kind) {
        case RegionKind::kForest:
          s.RegionGrid(r, c) = kForestRegion;
          break;
        case RegionKind::kRock:
          s.RegionGrid(r, c) = kRockRegion;
          break;
        case RegionKind::kLand:
          s.RegionGrid(r, c) = static_cast<uint16_t>(landNumber);
          FillFrom(s, codes, pending, r, c, kind, static_cast<uint16_t>(landNumber));
          // Past 254 land areas every further one shares the last number.
          if (++landNumber == 255) landNumber = 254;
          break;
        case RegionKind::kWater:
          s.RegionGrid(r, c) = static_cast<uint16_t>(waterNumber);
          FillFrom(s, codes, pending, r, c, kind, static_cast<uint16_t>(waterNumber));
          // Past 255 water areas the numbers cycle through 244..254.
          if (++waterNumber == 255) waterNumber = 244;
          break;
      }
    }
  }
}

}  // namespace glenmire
