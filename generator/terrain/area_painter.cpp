// Reads and writes TerrainGrid; draws two numbers per blob row from the
// generator's random sequence. The island mass, lake, mountain, buildable-land
// and forest loops of the driver paint through a BlobPainter until their
// target is reached.
#include "terrain/area_painter.h"

#include <algorithm>

namespace glenmire {

namespace {

// The side actually used: never beyond the 128 x 128 grids.
int UsedSide(const GeneratorState& s) { return std::clamp(s.MapSize(), 0, kMaxMapSize); }

// Each of the eight neighbours holds one of the two classes or lies beyond the edge.
bool NeighboursAllow(const GeneratorState& s, int side, int row, int column, uint16_t a, uint16_t b) {
  for (int dr = -1; dr <= 1; ++dr)
    for (int dc = -1; dc <= 1; ++dc) {
      if (dr == 0 && dc == 0) continue;
      const int r = row + dr, c = column + dc;
      if (!InsideMap(side, r, c)) continue;
      const uint16_t v = s.TerrainGrid(r, c);
      if (v != a && v != b) return false;
    }
  return true;
}

// d = 1: +1, 3: +2, 5: -1, 7: -2, anything else: no change.
int32_t Wobble(int32_t d) {
  switch (d) {
    case 1: return 1;
    case 3: return 2;
    case 5: return -1;
    case 7: return -2;
    default: return 0;
  }
}

// Cells of the map holding `cls`.
int32_t CountClass(const GeneratorState& s, uint16_t cls) {
  const int side = UsedSide(s);
  int32_t count = 0;
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c)
      if (s.TerrainGrid(r, c) == cls) ++count;
  return count;
}

// Paints one blob; returns how many cells it turned from `from` into `to`
// (none when the two are the same class: a cell that holds it keeps it).
int32_t PaintBlob(GeneratorState& s, uint16_t from, uint16_t to, int32_t row, int32_t column, uint16_t size) {
  const int side = UsedSide(s);
  int32_t turned = 0;
  if (size == 0) size = 1;
  // Rows and the left end are kept 64-bit so that arguments near the ends of
  // the 32-bit range cannot overflow; inside the map nothing changes.
  const int64_t lastRow = static_cast<int64_t>(row) + size;
  int64_t left = column;
  // Signed on purpose: on the last row it reaches -1 and that row shrinks.
  int32_t remaining = size;
  int32_t half = size / 2;
  if (half < 1) half = 1;
  int32_t width = size <= 2 ? size : 2;
  const int32_t step = 3 / half;
  // 48 and 80 never touch a third class, so boundary tiles can always be formed.
  const bool guarded = from == kCoast || from == kGrass;

  for (int64_t k = row; k <= lastRow; ++k) {
    left += Wobble(s.random.RandInt(8));
    width += Wobble(s.random.RandInt(8));
    --remaining;
    if (remaining > half) {
      if (width < size) width += step + 1;
      else width -= step + 1;
    } else if (width > 3) {
      width -= step + 1;
    } else if (k + 3 > lastRow) {
      width -= step + 1;
    }
    if (width < 1 || k < 1 || k > side) continue;
    // Cells outside the map are never painted, so only the inside part is walked.
    const int64_t first = std::max<int64_t>(left, 1);
    const int64_t last = std::min<int64_t>(left + width, side);
    const int r = static_cast<int>(k);
    for (int64_t l = first; l <= last; ++l) {
      const int c = static_cast<int>(l);
      uint16_t& cell = s.TerrainGrid(r, c);
      if (cell != from) continue;
      if (guarded && !NeighboursAllow(s, side, r, c, from, to)) continue;
      cell = to;
      ++turned;
    }
  }
  return from == to ? 0 : turned;
}

}  // namespace

uint16_t PaintArea(GeneratorState& s, uint16_t from, uint16_t to, int32_t row, int32_t column, uint16_t size) {
  PaintBlob(s, from, to, row, column, size);
  return static_cast<uint16_t>(CountClass(s, to));
}

uint16_t BlobPainter::Paint(int32_t row, int32_t column, uint16_t size) {
  if (!counted_) {
    count_ = CountClass(s_, to_);
    counted_ = true;
  }
  count_ += PaintBlob(s_, from_, to_, row, column, size);
  return static_cast<uint16_t>(count_);
}

int32_t CountInterior(const GeneratorState& s, uint16_t cls) {
  const int side = UsedSide(s);
  int32_t count = 0;
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c)
      if (NeighboursAllow(s, side, r, c, cls, cls)) ++count;
  return count;
}

}  // namespace glenmire
