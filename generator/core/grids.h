// The map grids: sized for the largest map (128 x 128) and addressed by
// 1-based (row, column); only rows and columns 1..MapSize are used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace glenmire {

constexpr int kMaxMapSize = 128;
constexpr int kGridCells = kMaxMapSize * kMaxMapSize;
constexpr int kUnitListBytes = 6 * kGridCells;  // 98,304 bytes, 12,288 records
constexpr int kUnitRecordBytes = 8;

// Terrain classes while the terrain stages run; later cells hold game tiles.
enum TerrainClass : uint16_t {
  kWater = 0,
  kLand = 1,
  kOpenWater = 16,
  kCoast = 48,
  kGrass = 80,
  kForest = 112,
  kMountain = 128,
};

// A 128 x 128 grid, row-major with stride 128, indexed (row, column) from 1.
template <typename T>
struct Grid {
  T cells[kGridCells];

  T& operator()(int row, int column) { return cells[(row - 1) * kMaxMapSize + (column - 1)]; }
  const T& operator()(int row, int column) const { return cells[(row - 1) * kMaxMapSize + (column - 1)]; }

  // Sets rows and columns 1..size to value; the rest is left as it is.
  void Fill(int size, T value) {
    for (int r = 1; r <= size; ++r)
      for (int c = 1; c <= size; ++c) (*this)(r, c) = value;
  }
};

// What each bit of a movement code says about its cell.
inline constexpr uint8_t kMoveLandBit = 0x01;
inline constexpr uint8_t kMoveCoastBit = 0x02;
inline constexpr uint8_t kMoveNoBuildBit = 0x10;
inline constexpr uint8_t kMoveWaterBit = 0x40;
inline constexpr uint8_t kMoveObstacleBit = 0x80;

// The codes the movement map is made of.
inline constexpr uint8_t kMoveWater = kMoveWaterBit;                         // open water, swamp
inline constexpr uint8_t kMoveBuildable = kMoveLandBit;                      // open land
inline constexpr uint8_t kMoveUnbuildable = kMoveNoBuildBit | kMoveLandBit;  // coast, fords, occupied cells
inline constexpr uint8_t kMoveObstacle = kMoveObstacleBit | kMoveLandBit;    // forest, rock
inline constexpr uint8_t kMoveShore = kMoveObstacleBit | kMoveCoastBit;      // shore that is mostly water
inline constexpr uint8_t kMoveShoreCorner = kMoveCoastBit;                   // shore a walker may cross

// How a movement code is read.
inline constexpr bool IsWalkableCode(uint8_t code) { return (code & (kMoveWaterBit | kMoveObstacleBit)) == 0; }
inline constexpr bool IsBuildableCode(uint8_t code) {
  return IsWalkableCode(code) && (code & kMoveLandBit) && !(code & (kMoveNoBuildBit | kMoveCoastBit));
}
inline constexpr bool IsSeaCode(uint8_t code) { return (code & (kMoveWaterBit | kMoveCoastBit)) != 0; }
inline constexpr bool IsWaterCode(uint8_t code) { return IsSeaCode(code) && !IsWalkableCode(code); }

// The movement grid is linear with row stride MapSize (the map side), not 128.
struct MoveGridStore {
  uint8_t bytes[kGridCells];

  uint8_t& At(int mapSize, int row, int column) { return bytes[(row - 1) * mapSize + (column - 1)]; }
  const uint8_t& At(int mapSize, int row, int column) const { return bytes[(row - 1) * mapSize + (column - 1)]; }
};

inline bool InsideMap(int mapSize, int row, int column) {
  return row >= 1 && row <= mapSize && column >= 1 && column <= mapSize;
}

}  // namespace glenmire
