// Paints wobbling blobs of one terrain class over another and measures how
// much room a class offers.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/generator_state.h"

namespace glenmire {

// Each cell of the 3 x 3 square around (row, column) that lies on a map of
// `side` holds one of the two classes. Asked only of a cell that holds one of
// them itself, so the centre may be looked at with its eight neighbours: the
// painter's neighbour rule, and the mountain range's (sand that touches
// nothing but sand and mountains).
inline bool SquareAllows(const GeneratorState& s, int side, int row, int column, uint16_t a, uint16_t b) {
  // As 0 or 1, so the eight tests below combine without a branch each.
  auto allowed = [a, b](uint16_t v) { return static_cast<int>(v == a || v == b); };
  if (row > 1 && row < side && column > 1 && column < side) {
    // Off the edges: the eight neighbours at fixed steps, all looked at.
    const uint16_t* t = &s.TerrainGrid(row, column);
    constexpr int up = kMaxMapSize;
    return (allowed(t[-up - 1]) & allowed(t[-up]) & allowed(t[-up + 1]) & allowed(t[-1]) & allowed(t[1]) &
            allowed(t[up - 1]) & allowed(t[up]) & allowed(t[up + 1])) != 0;
  }
  const int top = std::max(row - 1, 1), bottom = std::min(row + 1, side);
  const int left = std::max(column - 1, 1), right = std::min(column + 1, side);
  for (int r = top; r <= bottom; ++r) {
    const uint16_t* tiles = &s.TerrainGrid(r, 1);
    for (int c = left; c <= right; ++c)
      if (!allowed(tiles[c - 1])) return false;
  }
  return true;
}

// Paints one blob of `to` over `from` starting at (row, column) and moving
// south; returns the number of `to` cells on the whole map afterwards.
// Row and column may lie outside the map; only cells inside are painted.
uint16_t PaintArea(GeneratorState& s, uint16_t from, uint16_t to, int32_t row, int32_t column, uint16_t size);

// The painter of one filling loop: Paint paints as PaintArea does and gives
// the same count, but keeps it from the cells its blobs turn into `to`
// instead of counting the whole map after every blob. It counts the map once,
// before its first blob and before the first blob after GridChanged; between
// those only its own blobs may change TerrainGrid.
//
// Painting turns `from` into `to` and a neighbour may hold either, so whether
// a cell's neighbours let it turn does not change while only the painter's
// blobs paint. A painter with neighbour rules (from sand or grass) that has
// painted kBlobsBeforeMap blobs since it counted maps that answer for every
// cell once and reads it from then on: a long loop gains, and one broken up
// by GridChanged keeps asking cell by cell.
class BlobPainter {
 public:
  static constexpr int kBlobsBeforeMap = 64;

  BlobPainter(GeneratorState& s, uint16_t from, uint16_t to) : s_(s), from_(from), to_(to) {}
  uint16_t Paint(int32_t row, int32_t column, uint16_t size);
  // The `to` cells on the map, counted first if they have not been.
  int32_t Count();
  // Something else has turned `cells` cells from `from` into `to` since
  // Count: the count grows by them, and whether a cell may turn stays as it
  // was, as it does for the painter's own blobs.
  void Turned(int32_t cells) { count_ += cells; }
  // Something else has changed the grid: count again before the next blob.
  void GridChanged() { counted_ = false; }

 private:
  void MapSquares();

  GeneratorState& s_;
  uint16_t from_, to_;
  bool counted_ = false;
  int32_t count_ = 0;
  bool mapped_ = false;
  int blobsUnmapped_ = 0;
  uint8_t squares_[kGridCells];  // by grid cell: its square holds only the two classes
};

// Cells whose eight neighbours all hold `cls` (a neighbour beyond the edge counts as holding it).
int32_t CountInterior(const GeneratorState& s, uint16_t cls);

}  // namespace glenmire
