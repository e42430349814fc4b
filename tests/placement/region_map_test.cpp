#include "placement/region_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cell_stack.h"

namespace glenmire {
namespace {

// ---- The pending-cell stack ----

TEST(CellStack, PopsInReverseOrderAndReportsEmpty) {
  CellStack stack;
  StackInit(stack);
  StackCell cell{7, 7};
  EXPECT_FALSE(StackPop(stack, cell));
  EXPECT_EQ(cell.row, 7);  // untouched when empty
  StackPush(stack, 1, 2);
  StackPush(stack, 3, 4);
  StackPush(stack, -5, 130);
  EXPECT_EQ(StackCount(stack), 3u);
  std::vector<std::pair<int, int>> popped;
  while (StackPop(stack, cell)) popped.emplace_back(cell.row, cell.column);
  EXPECT_EQ(popped, (std::vector<std::pair<int, int>>{{-5, 130}, {3, 4}, {1, 2}}));
  EXPECT_EQ(StackCount(stack), 0u);
}

TEST(CellStack, InitEmptiesAStackThatStillHoldsCells) {
  CellStack stack;
  for (int i = 0; i < 1000; ++i) StackPush(stack, i, i);
  StackInit(stack);
  StackCell cell;
  EXPECT_FALSE(StackPop(stack, cell));
  EXPECT_EQ(StackCount(stack), 0u);
  StackPush(stack, 9, 8);  // usable again
  ASSERT_TRUE(StackPop(stack, cell));
  EXPECT_EQ(cell.row, 9);
  EXPECT_EQ(cell.column, 8);
}

// ---- Region numbers ----

// Picture letters: '.' water 0x10, 'S' sand 0x30, 'G' grass 0x50, 'F' forest
// 0x70, 'M' mountain 0x80, 'c' water-coast shore 0x220, 'g' coast-grass 0x300.
uint16_t TileOf(char ch) {
  switch (ch) {
    case '.': return 0x10;
    case 'S': return 0x30;
    case 'G': return 0x50;
    case 'F': return 0x70;
    case 'M': return 0x80;
    case 'c': return 0x220;
    case 'g': return 0x300;
    default: ADD_FAILURE() << "unknown picture letter " << ch; return 0;
  }
}

// The map side is the picture's height; every row must be that long.
std::unique_ptr<GeneratorState> MapFromPicture(const std::vector<std::string>& picture) {
  auto s = MakeGeneratorState();
  const int size = static_cast<int>(picture.size());
  s->settings.MapSize = size;
  for (int r = 1; r <= size; ++r) {
    EXPECT_EQ(static_cast<int>(picture[r - 1].size()), size);
    for (int c = 1; c <= size; ++c) s->TerrainGrid(r, c) = TileOf(picture[r - 1][c - 1]);
  }
  return s;
}

// Expected pictures: a digit is that region number, 'F' 254, 'M' 253.
uint16_t RegionOf(char ch) {
  if (ch == 'F') return 254;
  if (ch == 'M') return 253;
  return static_cast<uint16_t>(ch - '0');
}

struct PictureCase {
  const char* name;
  std::vector<std::string> terrain;
  std::vector<std::string> regions;
};

void PrintTo(const PictureCase& pc, std::ostream* os) { *os << pc.name; }

class RegionPictures : public ::testing::TestWithParam<PictureCase> {};

TEST_P(RegionPictures, NumbersAreasByTheirFirstCell) {
  const PictureCase& pc = GetParam();
  auto s = MapFromPicture(pc.terrain);
  BuildRegionMap(*s);
  const int size = s->MapSize();
  for (int r = 1; r <= size; ++r)
    for (int c = 1; c <= size; ++c)
      EXPECT_EQ(s->RegionGrid(r, c), RegionOf(pc.regions[r - 1][c - 1])) << "row " << r << " column " << c;
}

INSTANTIATE_TEST_SUITE_P(
    Maps, RegionPictures,
    ::testing::Values(
        // Sea and one island with forest and rock inside: both areas are 0.
        PictureCase{"IslandInSea",
                    {"......", ".GGSS.", ".GFMS.", ".SSGG.", "......", "......"},
                    {"000000", "000000", "00FM00", "000000", "000000", "000000"}},
        // Land touching only at a corner is one area; so is water.
        PictureCase{"CornerTouch", {"GG..", "GG..", "..GG", "..GG"}, {"0000", "0000", "0000", "0000"}},
        // A shore tile between two shores takes the first one's number and
        // does not carry it on.
        PictureCase{"ShoreBetweenLands",
                    {".....", ".GcG.", ".GcG.", ".....", "....."},
                    {"00000", "00010", "00010", "00000", "00000"}},
        // A shore tile no land reached starts its own area and spreads, but
        // a second shore tile it reaches stops there.
        PictureCase{"ShoreSeed", {"ccG", "...", "gG."}, {"001", "000", "220"}},
        // Forest and rock never use up a number; water split by land counts on.
        PictureCase{"SplitWater",
                    {".F.G.", "M.GG.", "GGG..", "..G.M", "..GF."},
                    {"0F001", "M0001", "00011", "2201M", "220F1"}}),
    [](const ::testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

// Tile value -> what a lone cell of it becomes when it sits right of a water
// cell that follows the first land area: land takes land number 1, water joins
// water area 0, forest 254, rock 253.
TEST(RegionMap, SeedKindOfEveryTileRange) {
  struct Row {
    uint16_t tile;
    uint16_t region;
  };
  const Row rows[] = {
      {0x10, 0},  {0x19, 0},  {0x1A, 0},    {0x20, 0},    {0x30, 1},     {0x39, 1},  {0x3A, 0},    {0x40, 0},
      {0x50, 1},  {0x59, 1},  {0x5A, 0},    {0x70, 254},  {0x79, 254},   {0x7A, 0},  {0x80, 253},  {0x89, 253},
      {0x8A, 0},  {0xFF, 0},  {0x100, 1},   {0x1FF, 1},   {0x200, 1},    {0x3FF, 1}, {0x400, 253}, {0x4FF, 253},
      {0x500, 1}, {0x6FF, 1}, {0x700, 254}, {0x7FF, 254}, {0xFFFF, 254},
  };
  for (const Row& row : rows) {
    auto s = MakeGeneratorState();
    s->settings.MapSize = 3;
    const uint16_t line[3] = {0x50, 0x10, row.tile};
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) s->TerrainGrid(r, c) = r == 1 ? line[c - 1] : 0x80;
    BuildRegionMap(*s);
    EXPECT_EQ(s->RegionGrid(1, 3), row.region) << "tile 0x" << std::hex << row.tile;
  }
}

// Single-cell areas on every odd row and column, the other kind in between:
// the k-th area in row-major order gets the k-th number.
TEST(RegionMap, CountersStickAt254ForLandAndCycleFrom244ForWater) {
  struct Row {
    uint16_t island;
    uint16_t between;
  };
  for (const Row& row : {Row{0x50, 0x10}, Row{0x10, 0x50}}) {
    const bool landIslands = row.island == 0x50;
    auto s = MakeGeneratorState();
    s->settings.MapSize = 64;
    for (int r = 1; r <= 64; ++r)
      for (int c = 1; c <= 64; ++c) s->TerrainGrid(r, c) = (r % 2 == 1 && c % 2 == 1) ? row.island : row.between;
    BuildRegionMap(*s);
    int k = 0;
    for (int r = 1; r <= 64; r += 2) {
      for (int c = 1; c <= 64; c += 2, ++k) {
        const int want = landIslands ? (k < 254 ? k : 254) : (k < 255 ? k : 244 + (k - 255) % 11);
        ASSERT_EQ(s->RegionGrid(r, c), want) << "area " << k;
      }
    }
    EXPECT_EQ(k, 1024);
    EXPECT_EQ(s->RegionGrid(1, 2), 0);  // the one area of the other kind
  }
}

// One area over the whole largest map, winding so a depth-first fill would
// nest as deep as the area is long: the fill must not recurse.
TEST(RegionMap, WholeLargestMapFillsWithoutRecursion) {
  for (bool winding : {false, true}) {
    auto s = MakeGeneratorState();
    s->settings.MapSize = kMaxMapSize;
    for (int r = 1; r <= kMaxMapSize; ++r)
      for (int c = 1; c <= kMaxMapSize; ++c) {
        // Winding: water rows with a gap at alternate ends make one long land path.
        const bool wall = winding && r % 4 == 2 ? c != kMaxMapSize : winding && r % 4 == 0 ? c != 1 : false;
        s->TerrainGrid(r, c) = wall ? 0x70 : 0x50;
      }
    BuildRegionMap(*s);
    for (int r = 1; r <= kMaxMapSize; ++r)
      for (int c = 1; c <= kMaxMapSize; ++c)
        ASSERT_EQ(s->RegionGrid(r, c), s->TerrainGrid(r, c) == 0x70 ? 254 : 0) << r << "," << c;
  }
}

TEST(RegionMap, TouchesOnlyTheUsedSquare) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = 32;
  s->TerrainGrid.Fill(kMaxMapSize, 0x50);
  s->RegionGrid.Fill(kMaxMapSize, 0xABCD);
  BuildRegionMap(*s);
  for (int r = 1; r <= kMaxMapSize; ++r)
    for (int c = 1; c <= kMaxMapSize; ++c)
      ASSERT_EQ(s->RegionGrid(r, c), r <= 32 && c <= 32 ? 0 : 0xABCD) << r << "," << c;
}

}  // namespace
}  // namespace glenmire
