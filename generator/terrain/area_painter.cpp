// Reads and writes TerrainGrid; draws two numbers per blob row from the
// generator's random sequence. The island mass, lake, mountain, buildable-land
// and forest stages paint through a BlobPainter until their target is
// reached.
#include "terrain/area_painter.h"

#include <algorithm>

namespace glenmire {

namespace {

// The side actually used: never beyond the 128 x 128 grids.
int UsedSide(const GeneratorState& s) { return std::clamp(s.MapSize(), 0, kMaxMapSize); }

// d = 1: +1, 3: +2, 5: -1, 7: -2, anything else (of 0..7): no change. The
// steps are the nibbles of one constant, d's the d-th from the low end, as
// signed 4-bit numbers: no table to load while the blob's rows are worked out.
constexpr int32_t Wobble(int32_t d) {
  constexpr uint32_t kSteps = 0xE0F02010u;
  const auto nibble = static_cast<int32_t>((kSteps >> (4 * (d & 7))) & 0xF);
  return (nibble ^ 8) - 8;
}
static_assert([] {
  constexpr int8_t kExpected[8] = {0, 1, 0, 2, 0, -1, 0, -2};
  for (int d = 0; d < 8; ++d)
    if (Wobble(d) != kExpected[d]) return false;
  return true;
}());

// Cells of the map holding `cls`.
int32_t CountClass(const GeneratorState& s, uint16_t cls) {
  const int side = UsedSide(s);
  int32_t count = 0;
  for (int r = 1; r <= side; ++r)
    for (int c = 1; c <= side; ++c)
      if (s.TerrainGrid(r, c) == cls) ++count;
  return count;
}

// 48 and 80 never touch a third class, so boundary tiles can always be formed.
bool Guarded(uint16_t from) { return from == kCoast || from == kGrass; }

// Paints one blob; returns how many cells it turned from `from` into `to`
// (none when the two are the same class: a cell that holds it keeps it).
// `squares`, when given, says for every cell whether SquareAllows holds.
int32_t PaintBlob(GeneratorState& s, uint16_t from, uint16_t to, int32_t row, int32_t column, uint16_t size,
                  const uint8_t* squares) {
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
  const bool guarded = Guarded(from);
  // The blob draws from its own copy of the sequence, which it hands back at
  // the end: the copy stays in registers while the grid is written.
  Random random = s.random;

  for (int64_t k = row; k <= lastRow; ++k) {
    int32_t leftDraw, widthDraw;
    random.RandIntTwice(8, leftDraw, widthDraw);
    left += Wobble(leftDraw);
    width += Wobble(widthDraw);
    --remaining;
    // While more than half the rows remain the width heads for the size;
    // after that it narrows while above 3, and on the last three rows.
    const bool growing = remaining > half;
    const bool grows = growing && width < size;
    const bool narrows = growing ? width >= size : width > 3 || k + 3 > lastRow;
    width += grows ? step + 1 : narrows ? -(step + 1) : 0;
    if (width < 1 || k < 1 || k > side) continue;
    // Cells outside the map are never painted, so only the inside part is walked.
    const int64_t first = std::max<int64_t>(left, 1);
    const int64_t last = std::min<int64_t>(left + width, side);
    const int r = static_cast<int>(k);
    const int a = static_cast<int>(first), b = static_cast<int>(last);
    uint16_t* const cells = &s.TerrainGrid(r, 1) - 1;  // cells[c] is column c
    // Every `from` cell of the run that may turn does, without a branch per
    // cell: a mask of all ones turns a cell into `to`.
    auto turn = [&](int c, unsigned may) {
      const uint16_t v = cells[c];
      const auto mask = static_cast<uint16_t>(0u - ((v == from) & may));
      cells[c] = static_cast<uint16_t>(v ^ ((v ^ to) & mask));
      turned += mask & 1;
    };
    if (!guarded) {
      for (int c = a; c <= b; ++c) turn(c, 1);
      continue;
    }
    if (squares != nullptr) {
      const uint8_t* may = squares + (r - 1) * kMaxMapSize - 1;
      for (int c = a; c <= b; ++c) turn(c, may[c]);
      continue;
    }
    for (int c = a; c <= b; ++c) {
      if (cells[c] != from || !SquareAllows(s, side, r, c, from, to)) continue;
      cells[c] = to;
      ++turned;
    }
  }
  s.random = random;
  return from == to ? 0 : turned;
}

}  // namespace

uint16_t PaintArea(GeneratorState& s, uint16_t from, uint16_t to, int32_t row, int32_t column, uint16_t size) {
  PaintBlob(s, from, to, row, column, size, nullptr);
  return static_cast<uint16_t>(CountClass(s, to));
}

int32_t BlobPainter::Count() {
  if (!counted_) {
    count_ = CountClass(s_, to_);
    counted_ = true;
    blobsUnmapped_ = 0;
    mapped_ = false;
  }
  return count_;
}

uint16_t BlobPainter::Paint(int32_t row, int32_t column, uint16_t size) {
  Count();
  if (Guarded(from_) && !mapped_ && ++blobsUnmapped_ > kBlobsBeforeMap) MapSquares();
  count_ += PaintBlob(s_, from_, to_, row, column, size, mapped_ ? squares_ : nullptr);
  return static_cast<uint16_t>(count_);
}

void BlobPainter::MapSquares() {
  // Row by row over flags of the cells that hold either class, with a border
  // that does: a cell's square holds only the two when the flags of its
  // column and the two beside it are all set in the three rows around it.
  const int side = UsedSide(s_);
  constexpr int kWidth = kMaxMapSize + 2;
  uint8_t rows[3][kWidth];
  auto flags = [&](int r, uint8_t* out) {
    std::fill(out, out + side + 2, uint8_t{1});
    if (r < 1 || r > side) return;
    const uint16_t* tiles = &s_.TerrainGrid(r, 1);
    for (int c = 0; c < side; ++c) out[c + 1] = (tiles[c] == from_) | (tiles[c] == to_);
  };
  uint8_t* above = rows[0];
  uint8_t* here = rows[1];
  uint8_t* below = rows[2];
  flags(0, above);
  flags(1, here);
  for (int r = 1; r <= side; ++r) {
    flags(r + 1, below);
    uint8_t column[kWidth];
    for (int c = 0; c < side + 2; ++c) column[c] = above[c] & here[c] & below[c];
    uint8_t* out = &squares_[(r - 1) * kMaxMapSize];
    for (int c = 1; c <= side; ++c) out[c - 1] = column[c - 1] & column[c] & column[c + 1];
    uint8_t* spent = above;
    above = here;
    here = below;
    below = spent;
  }
  mapped_ = true;
}

int32_t CountInterior(const GeneratorState& s, uint16_t cls) {
  const int side = UsedSide(s);
  // Row by row over flags of the cells that hold the class, with a border
  // that holds it: a cell counts when the three flags above and the three
  // below it and the two beside it are all set (its own is not looked at).
  constexpr int kWidth = kMaxMapSize + 2;
  uint8_t rows[3][kWidth];
  auto flags = [&](int r, uint8_t* out) {
    out[0] = out[side + 1] = 1;
    if (r < 1 || r > side) {
      std::fill(out + 1, out + side + 1, uint8_t{1});
      return;
    }
    const uint16_t* tiles = &s.TerrainGrid(r, 1);
    for (int c = 0; c < side; ++c) out[c + 1] = tiles[c] == cls;
  };
  uint8_t* above = rows[0];
  uint8_t* here = rows[1];
  uint8_t* below = rows[2];
  flags(0, above);
  flags(1, here);
  int32_t count = 0;
  for (int r = 1; r <= side; ++r) {
    flags(r + 1, below);
    uint8_t across[kWidth];  // the flags above and below a column both set
    for (int c = 0; c < side + 2; ++c) across[c] = above[c] & below[c];
    for (int c = 1; c <= side; ++c) count += across[c - 1] & across[c] & across[c + 1] & here[c - 1] & here[c + 1];
    uint8_t* spent = above;
    above = here;
    here = below;
    below = spent;
  }
  return count;
}

}  // namespace glenmire
