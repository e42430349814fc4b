#include "placement/move_map.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "placement/region_map.h"
#include "settings/randomiser.h"
#include "support/reference_data.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

constexpr int kSide = 32;

std::unique_ptr<GeneratorState> MakeMoveMapState(uint16_t fillTile = 0x50, uint32_t seed = 1) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = kSide;
  s->settings.LandWater = 20;
  s->TerrainGrid.Fill(kMaxMapSize, fillTile);
  s->OccupancyGrid.Fill(kMaxMapSize, 0);
  s->random.Seed(seed);
  return s;
}

// ---- Codes from tiles ----

struct TileCodeRow {
  uint16_t tile;
  uint8_t code;
  uint8_t reversedCode;
};

const TileCodeRow kTileCodes[] = {
    {0x10, 0x40, 0x01},  {0x13, 0x40, 0x01},  {0x20, 0x40, 0x01},   {0x1FF, 0x40, 0x01},  // open water
    {0x30, 0x11, 0x11},                                                                   // sand
    {0x50, 0x01, 0x40},                                                                   // grass
    {0x70, 0x81, 0x81},  {0x80, 0x81, 0x81},                                              // forest, rock
    {0x99, 0x02, 0x02},                                                                   // shore corner value
    {0x200, 0x02, 0x02}, {0x210, 0x02, 0x02}, {0x230, 0x02, 0x02},  {0x250, 0x02, 0x02},
    {0x270, 0x02, 0x02}, {0x280, 0x02, 0x02},                       // the six shore corners
    {0x220, 0x82, 0x11}, {0x240, 0x82, 0x11}, {0x2FF, 0x82, 0x11},  // other shores
    {0x300, 0x11, 0x11}, {0x3FF, 0x11, 0x11}, {0x400, 0x81, 0x40},  {0x4FF, 0x81, 0x40},
    {0x500, 0x11, 0x82}, {0x5FF, 0x11, 0x82}, {0x600, 0x01, 0x40},  {0x6FF, 0x01, 0x40},
    {0x700, 0x81, 0x40}, {0x7C0, 0x81, 0x40}, {0xFFFF, 0x81, 0x40},
};

// Row 1 carries the tiles; row 2 the same tiles, each occupied.
TEST(BuildMoveMap, CodesEveryTileClassWithAndWithoutReversePhysics) {
  constexpr int kCount = static_cast<int>(sizeof kTileCodes / sizeof kTileCodes[0]);
  static_assert(kCount <= kSide);
  for (uint8_t reversed : {0, 1}) {
    auto s = MakeMoveMapState();
    s->settings.ReverseLandAndWaterProperties = reversed;
    for (int i = 0; i < kCount; ++i) {
      s->TerrainGrid(1, i + 1) = kTileCodes[i].tile;
      s->TerrainGrid(2, i + 1) = kTileCodes[i].tile;
      s->OccupancyGrid(2, i + 1) = static_cast<uint8_t>(i % 2 == 0 ? 1 : 92);
    }
    BuildMoveMap(*s);
    for (int i = 0; i < kCount; ++i) {
      const TileCodeRow& row = kTileCodes[i];
      EXPECT_EQ(s->MoveGrid.bytes[i], reversed ? row.reversedCode : row.code)
          << "tile 0x" << std::hex << row.tile << " reversed " << int(reversed);
      EXPECT_EQ(s->MoveGrid.bytes[kSide + i], 0x11) << "occupied tile 0x" << std::hex << row.tile;
    }
    EXPECT_EQ(s->random.draws, 0u);  // no blobs asked for
  }
}

// ---- Recoding a loaded map ----

TEST(RebuildMoveMap, RecodesUnderReversePhysicsAndHonoursOccupancy) {
  struct Row {
    uint8_t code;
    uint8_t reversed;
  };
  const Row rows[] = {{0x40, 0x01}, {0x01, 0x40}, {0x11, 0x82}, {0x81, 0x40}, {0x82, 0x11},
                      {0x02, 0x02}, {0x00, 0x00}, {0x12, 0x12}, {0xFF, 0xFF}};
  constexpr int kCount = static_cast<int>(sizeof rows / sizeof rows[0]);
  for (uint8_t reversed : {0, 1}) {
    auto s = MakeMoveMapState();
    s->settings.ReverseLandAndWaterProperties = reversed;
    std::memset(s->MoveGrid.bytes, 0x01, sizeof s->MoveGrid.bytes);
    for (int i = 0; i < kCount; ++i) {
      s->MoveGrid.At(kSide, 1, i + 1) = rows[i].code;
      s->MoveGrid.At(kSide, 2, i + 1) = rows[i].code;
      s->OccupancyGrid(2, i + 1) = 94;
    }
    RebuildMoveMap(*s);
    for (int i = 0; i < kCount; ++i) {
      EXPECT_EQ(s->MoveGrid.At(kSide, 1, i + 1), reversed ? rows[i].reversed : rows[i].code)
          << "code 0x" << std::hex << int(rows[i].code) << " reversed " << int(reversed);
      EXPECT_EQ(s->MoveGrid.At(kSide, 2, i + 1), 0x11);
    }
    EXPECT_EQ(s->MoveGrid.bytes[kSide * kSide], 0x01);  // beyond the map: not recoded
  }
}

// ---- Shallow water and swamp blobs ----

// Half a map side of blobs per kind; each draws its row and column, then two
// draws per blob row, length + 1 rows.
TEST(MoveMapBlobs, BlobCountAndLengthFollowTheSettings) {
  struct Row {
    int8_t landWater;
    uint8_t shallow;
    uint8_t swamp;
    uint64_t draws;
  };
  const Row rows[] = {
      {20, 0, 0, 0},
      {20, 1, 0, 16 * (2 + 2 * 11)},
      {20, 0, 1, 16 * (2 + 2 * 11)},
      {20, 1, 1, 32 * (2 + 2 * 11)},
      {0, 1, 0, 16 * (2 + 2 * 11)},  // length below 5 becomes 10
      {9, 1, 0, 16 * (2 + 2 * 11)},
      {10, 1, 0, 16 * (2 + 2 * 6)},  // length 5 stays 5
      {100, 1, 0, 16 * (2 + 2 * 51)},
      {-56, 0, 1, 16 * (2 + 2 * 11)},  // a stored 200 reads as -56
  };
  for (const Row& row : rows) {
    for (bool rebuild : {false, true}) {
      auto s = MakeMoveMapState(0x10);
      s->settings.LandWater = row.landWater;
      s->settings.EnableShallowWater = row.shallow;
      s->settings.EnableImpassibleLand = row.swamp;
      if (rebuild)
        RebuildMoveMap(*s);
      else
        BuildMoveMap(*s);
      EXPECT_EQ(s->random.draws, row.draws) << "LandWater " << int(row.landWater) << " shallow " << int(row.shallow)
                                            << " swamp " << int(row.swamp) << " rebuild " << rebuild;
    }
  }
}

// Alternating bands of every code, so both kinds of blob find their cells.
void PaintBands(GeneratorState& s) {
  const uint16_t bands[] = {0x10, 0x30, 0x50, 0x70, 0x220, 0x210, 0x10, 0x300};
  for (int r = 1; r <= kSide; ++r)
    for (int c = 1; c <= kSide; ++c) s.TerrainGrid(r, c) = bands[(r / 3 + c / 5) % 8];
}

// The blobs come after the codes, shallow water before swamp, each at the
// row drawn first and the column drawn second, reaching half a side beyond
// the top and left edges.
TEST(MoveMapBlobs, BlobsArePaintedWhereTheirDrawsPutThem) {
  for (uint32_t seed : {7u, 2024u, 99991u}) {
    auto built = MakeMoveMapState(0x10, seed);
    PaintBands(*built);
    built->settings.EnableShallowWater = 1;
    built->settings.EnableImpassibleLand = 1;
    BuildMoveMap(*built);

    auto replay = MakeMoveMapState(0x10, seed);
    PaintBands(*replay);
    BuildMoveMap(*replay);  // codes only
    std::vector<uint8_t> plain(replay->MoveGrid.bytes, replay->MoveGrid.bytes + kSide * kSide);
    for (auto [from, to] : {std::pair<uint8_t, uint8_t>{0x40, 0x11}, {0x11, 0x40}}) {
      for (int i = 0; i < kSide / 2; ++i) {
        const int row = replay->random.RandInt(2 * kSide) - kSide / 2;
        const int column = replay->random.RandInt(2 * kSide) - kSide / 2;
        PaintMoveBlob(*replay, from, to, row, 10, column);
      }
    }
    EXPECT_EQ(0, std::memcmp(built->MoveGrid.bytes, replay->MoveGrid.bytes, sizeof built->MoveGrid.bytes)) << seed;
    EXPECT_EQ(built->random.seed, replay->random.seed);
    EXPECT_NE(0, std::memcmp(built->MoveGrid.bytes, plain.data(), plain.size())) << "the blobs changed nothing";
  }
}

// A shallow-water blob only turns water into walkable land, a swamp blob only
// unbuildable land into water.
TEST(MoveMapBlobs, BlobsChangeOnlyTheirOwnCode) {
  struct Row {
    uint8_t shallow;
    uint8_t swamp;
    uint8_t from;
    uint8_t to;
  };
  for (const Row& row : {Row{1, 0, 0x40, 0x11}, Row{0, 1, 0x11, 0x40}}) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      auto s = MakeMoveMapState(0x10, seed);
      PaintBands(*s);
      BuildMoveMap(*s);
      std::vector<uint8_t> before(s->MoveGrid.bytes, s->MoveGrid.bytes + kSide * kSide);
      s->random.Seed(seed);
      s->settings.EnableShallowWater = row.shallow;
      s->settings.EnableImpassibleLand = row.swamp;
      BuildMoveMap(*s);
      int changed = 0;
      for (int i = 0; i < kSide * kSide; ++i) {
        if (s->MoveGrid.bytes[i] == before[i]) continue;
        ++changed;
        ASSERT_EQ(before[i], row.from) << "cell " << i << " seed " << seed;
        ASSERT_EQ(s->MoveGrid.bytes[i], row.to);
      }
      EXPECT_GT(changed, 0) << "seed " << seed;
    }
  }
}

// ---- PaintMoveBlob at the map's edges ----

// Every byte of the store holds the code a blob replaces, so any stray write shows.
std::unique_ptr<GeneratorState> MakeFullStore(uint32_t seed) {
  auto s = MakeMoveMapState(0x10, seed);
  std::memset(s->MoveGrid.bytes, 0x40, sizeof s->MoveGrid.bytes);
  return s;
}

TEST(PaintMoveBlob, BlobsWhollyOutsideTheMapWriteNothingButStillDraw) {
  struct Row {
    int32_t row;
    int32_t column;
    uint16_t length;
  };
  const Row rows[] = {
      {-12, 5, 10},
      {-1000, -1000, 10},
      {kSide + 1, 5, 10},
      {5, kSide + 1 + 2 * 11, 10},
      {5, -40, 10},
      {-3, 5, 1},
      {INT32_MAX, 5, 65535},
      {INT32_MIN, INT32_MIN, 65535},
      {5, INT32_MAX, 300},
      {5, INT32_MIN, 300},
      {INT32_MAX - 1, INT32_MAX, 0},
  };
  for (const Row& row : rows) {
    auto s = MakeFullStore(3);
    PaintMoveBlob(*s, 0x40, 0x11, row.row, row.length, row.column);
    for (int i = 0; i < kGridCells; ++i) ASSERT_EQ(s->MoveGrid.bytes[i], 0x40) << "byte " << i << " row " << row.row;
    const uint64_t rowsPainted = static_cast<uint64_t>(row.length < 1 ? 1 : row.length) + 1;
    EXPECT_EQ(s->random.draws, 2 * rowsPainted);
  }
}

// Blobs hanging over an edge: nothing past the last map byte changes, and a
// blob over the east edge does not spill into the next row's west columns.
TEST(PaintMoveBlob, BlobsOverTheEdgesStayInsideTheMap) {
  struct Row {
    int32_t row;
    int32_t column;
    uint16_t length;
    int untouchedColumns;  // columns 1..this never change
  };
  const Row rows[] = {
      {10, kSide - 1, 3, 20}, {3, kSide, 5, 19},     {kSide - 4, kSide - 2, 10, 0},
      {-6, -6, 20, 0},        {kSide - 2, 3, 60, 0}, {-20, 10, 60, 0},
  };
  for (const Row& row : rows) {
    int paintedInside = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
      auto s = MakeFullStore(seed);
      PaintMoveBlob(*s, 0x40, 0x11, row.row, row.length, row.column);
      for (int i = kSide * kSide; i < kGridCells; ++i) ASSERT_EQ(s->MoveGrid.bytes[i], 0x40) << "byte " << i;
      for (int r = 1; r <= kSide; ++r)
        for (int c = 1; c <= kSide; ++c) {
          if (s->MoveGrid.At(kSide, r, c) == 0x40) continue;
          ++paintedInside;
          ASSERT_GT(c, row.untouchedColumns) << "row " << r << " seed " << seed;
        }
    }
    EXPECT_GT(paintedInside, 0) << "start " << row.row << "," << row.column;
  }
}

// The rows-left counter is signed: on the last row it is -1 and the blob
// narrows there. A blob of length 2 or less therefore never gets wide enough
// to paint, whatever the draws.
TEST(PaintMoveBlob, ShortBlobsNarrowOnTheirLastRow) {
  for (uint16_t length : {0, 1, 2}) {
    for (uint32_t seed = 1; seed <= 500; ++seed) {
      auto s = MakeFullStore(seed);
      PaintMoveBlob(*s, 0x40, 0x11, 10, length, 10);
      for (int i = 0; i < kSide * kSide; ++i) ASSERT_EQ(s->MoveGrid.bytes[i], 0x40) << "seed " << seed;
      EXPECT_EQ(s->random.draws, 2u * (length < 1 ? 2 : length + 1));
    }
  }
}

TEST(BuildMoveMap, WritesOnlyTheMapsOwnBytes) {
  for (bool rebuild : {false, true}) {
    auto s = MakeMoveMapState(0x10, 5);
    s->settings.LandWater = 100;
    s->settings.EnableShallowWater = 1;
    s->settings.EnableImpassibleLand = 1;
    std::memset(s->MoveGrid.bytes, 0x40, sizeof s->MoveGrid.bytes);
    if (rebuild)
      RebuildMoveMap(*s);
    else
      BuildMoveMap(*s);
    for (int i = kSide * kSide; i < kGridCells; ++i) ASSERT_EQ(s->MoveGrid.bytes[i], 0x40) << "byte " << i;
  }
}

// ---- The reference runs: region and movement maps from their final tiles ----

std::unique_ptr<GeneratorState> StateForRun(const std::filesystem::path& config, int side) {
  auto s = MakeGeneratorState();
  const Bytes record = ReadBytes(config);
  EXPECT_EQ(record.size(), sizeof(SettingsRecord)) << config;
  if (record.size() == sizeof(SettingsRecord)) std::memcpy(&s->settings, record.data(), sizeof(SettingsRecord));
  if (s->settings.SafetyMode) ApplySafetyClamps(s->settings);  // as before the run
  s->settings.MapSize = side;
  s->OccupancyGrid.Fill(kMaxMapSize, 0);  // none of these runs raised a secret pass
  return s;
}

TEST(ReferenceRuns, RegionAndMovementMapsAreRedrawnExactly) {
  int checked = 0;
  for (const ReferenceCase& row : ReadCases("generate")) {
    if (row.map.empty()) continue;
    std::map<std::string, Bytes> sections = SectionMap(ReadBytes(row.map));
    const std::vector<uint16_t> dim = Words(sections["DIM "]);
    ASSERT_FALSE(dim.empty()) << row.name;
    const int side = dim[0];
    const std::vector<uint16_t> tiles = Words(sections["MTXM"]);
    const std::vector<uint16_t> regions = Words(sections["REGM"]);
    const std::vector<uint16_t> moves = Words(sections["SQM "]);
    const size_t cells = static_cast<size_t>(side) * side;
    ASSERT_TRUE(tiles.size() == cells && regions.size() == cells && moves.size() == cells) << row.name;

    uint64_t drawsBefore = 0, drawsAfter = 0;
    uint32_t seedBefore = 0, seedAfter = 0;
    for (const TraceLine& t : ReadTrace(row.name)) {
      if (t.text == "Gold / Units") std::tie(drawsBefore, seedBefore) = std::tie(t.draws, t.seed);
      if (t.text == "SQM") std::tie(drawsAfter, seedAfter) = std::tie(t.draws, t.seed);
    }
    ASSERT_NE(drawsAfter, 0u) << row.name;

    auto s = StateForRun(row.settings, side);
    for (int r = 1; r <= side; ++r)
      for (int c = 1; c <= side; ++c) s->TerrainGrid(r, c) = Undecorated(tiles[(r - 1) * side + (c - 1)]);
    BuildRegionMap(*s);
    s->random.Seed(seedBefore);
    BuildMoveMap(*s);

    int regionDiffer = 0, moveDiffer = 0;
    for (int r = 1; r <= side; ++r)
      for (int c = 1; c <= side; ++c) {
        const size_t i = static_cast<size_t>(r - 1) * side + (c - 1);
        regionDiffer += s->RegionGrid(r, c) != (regions[i] & 0xFF);
        moveDiffer += s->MoveGrid.bytes[i] != moves[i];
      }
    EXPECT_EQ(regionDiffer, 0) << row.name;
    EXPECT_EQ(moveDiffer, 0) << row.name;
    EXPECT_EQ(s->random.draws, drawsAfter - drawsBefore) << row.name;
    EXPECT_EQ(s->random.seed, seedAfter) << row.name;
    ++checked;
  }
  EXPECT_GT(checked, 0);

  // Genitize: the loaded movement map recoded, with no marks left from before.
  for (const ReferenceCase& row : ReadCases("genitize")) {
    std::map<std::string, Bytes> input = SectionMap(ReadBytes(row.input));
    std::map<std::string, Bytes> output = SectionMap(ReadBytes(row.map));
    const std::vector<uint16_t> loaded = Words(input["SQM "]);
    const std::vector<uint16_t> written = Words(output["SQM "]);
    const std::vector<uint16_t> dim = Words(input["DIM "]);
    ASSERT_TRUE(!dim.empty() && loaded.size() == written.size() && loaded.size() == size_t{dim[0]} * dim[0])
        << row.name;
    auto s = StateForRun(row.settings, dim[0]);
    for (size_t i = 0; i < loaded.size(); ++i) s->MoveGrid.bytes[i] = static_cast<uint8_t>(loaded[i]);
    s->random.Seed(static_cast<uint32_t>(std::stoul(row.seed)));
    RebuildMoveMap(*s);
    int differ = 0;
    for (size_t i = 0; i < written.size(); ++i) differ += s->MoveGrid.bytes[i] != written[i];
    EXPECT_EQ(differ, 0) << row.name;
  }
}

}  // namespace
}  // namespace glenmire
