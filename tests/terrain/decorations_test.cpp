#include "terrain/decorations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/reference_data.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

constexpr uint16_t kOutside = 0xBEEF;

std::unique_ptr<GeneratorState> MapOf(int side, uint16_t tile, int8_t decorations, uint32_t seed) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = side;
  s->settings.Decorations = decorations;
  s->TerrainGrid.Fill(kMaxMapSize, kOutside);
  s->TerrainGrid.Fill(side, tile);
  s->random.Seed(seed);
  return s;
}

TEST(ScatterDecorations, EachTileTakesItsVariantsWithItsDraws) {
  struct Row {
    uint16_t tile;
    int8_t decorations;
    std::set<int> values;  // every value that may come out, and all of them do on 1,024 cells
    int drawsPerCell;      // 0: depends on how many cells were decorated
  };
  const Row rows[] = {
      {16, 7, {16, 17, 18, 19}, 1},
      {48, 0, {48, 49, 50}, 2},
      {80, 0, {80, 81, 82}, 2},
      {48, -56, {48, 49, 50}, 2},  // a stored 200 reads as -56: nothing decorated
      {48, 100, {52, 53, 54, 55, 56, 57}, 3},
      {80, 100, {84, 85, 86, 87, 88, 89}, 3},
      {48, 10, {48, 49, 50, 52, 53, 54, 55, 56, 57}, 0},
      {112, 7, {112, 113, 114}, 1},
      {128, 7, {128, 129, 130, 131}, 1},
      {1024, 7, {1024, 1025}, 1},
      {1232, 7, {1232}, 0},
      {1120, 7, {1120}, 0},
      {1184, 7, {1184}, 0},
      {1216, 7, {1216}, 0},
      {1136, 7, {1136, 1137}, 1},
      {1792, 7, {1792, 1793}, 1},
      {2000, 7, {2000, 2001}, 1},
      {32, 7, {32, 33, 34}, 1},
      {64, 7, {64, 65, 66}, 1},
      {144, 7, {144, 145, 146}, 1},
      {176, 7, {176, 177, 178}, 1},
      {545, 7, {545, 546}, 1},
      {512, 7, {512, 513}, 1},
      {2048, 7, {2048, 2049}, 1},  // past the last family: two variants
      {40000, 7, {40000, 40001}, 1},
      {1488, 7, {1488, 1489}, 1},
      {0, 7, {0, 1}, 1},
      {1, 7, {1, 2}, 1},
  };
  for (const Row& row : rows) {
    auto s = MapOf(32, row.tile, row.decorations, 99);
    ScatterDecorations(*s);
    std::set<int> seen;
    int decorated = 0;
    for (int r = 1; r <= 32; ++r)
      for (int c = 1; c <= 32; ++c) {
        const uint16_t v = s->TerrainGrid(r, c);
        seen.insert(v);
        decorated += (v & 0xF) >= 4 && (row.tile == 48 || row.tile == 80);
      }
    EXPECT_EQ(seen, row.values) << "tile " << row.tile << " decorations " << int(row.decorations);
    const uint64_t draws = row.drawsPerCell > 0 ? 1024u * row.drawsPerCell : row.tile == 48 ? 2048u + decorated : 0u;
    EXPECT_EQ(s->random.draws, draws) << "tile " << row.tile;
  }
}

TEST(ScatterDecorations, VisitsRowsThenColumnsAndOnlyTheMap) {
  auto s = MapOf(32, kOpenWater, 7, 4242);
  Random replay = s->random;
  ScatterDecorations(*s);
  for (int r = 1; r <= 32; ++r)
    for (int c = 1; c <= 32; ++c) ASSERT_EQ(s->TerrainGrid(r, c), 16 + replay.RandInt(4)) << r << "," << c;
  for (int r = 1; r <= kMaxMapSize; ++r)
    for (int c = 1; c <= kMaxMapSize; ++c)
      if (!InsideMap(32, r, c)) {
        ASSERT_EQ(s->TerrainGrid(r, c), kOutside) << r << "," << c;
      }
}

TEST(ScatterDecorations, DrawsPinnedOnAMixedMap) {
  // A small map of every kind of tile, in bands; the whole result is pinned by its sum.
  const uint16_t tiles[] = {16, 48, 80, 112, 128, 545, 1120, 1136, 1792, 144, 1376, 48};
  auto s = MapOf(32, 0, 7, 77);
  for (int r = 1; r <= 32; ++r)
    for (int c = 1; c <= 32; ++c) s->TerrainGrid(r, c) = tiles[(r + c) % 12];
  ScatterDecorations(*s);
  uint64_t sum = 0;
  for (int r = 1; r <= 32; ++r)
    for (int c = 1; c <= 32; ++c) sum = sum * 31 + s->TerrainGrid(r, c);
  EXPECT_EQ(s->random.draws, 1209u);
  EXPECT_EQ(s->random.seed, 3420465802u);
  EXPECT_EQ(sum, 2510603482783014359u);
}

TEST(ScatterDecorations, MapSizesBeyondTheGridStayInsideIt) {
  for (const int side : {0, 129, 200}) {
    auto s = MapOf(kMaxMapSize, kOpenWater, 7, 5);
    s->settings.MapSize = side;
    s->OccupancyGrid.Fill(kMaxMapSize, 0xEE);
    ScatterDecorations(*s);
    int touched = 0;
    for (int r = 1; r <= kMaxMapSize; ++r)
      for (int c = 1; c <= kMaxMapSize; ++c) touched += s->OccupancyGrid(r, c) != 0xEE;
    EXPECT_EQ(touched, 0) << "map size " << side;
    EXPECT_EQ(s->random.draws, side > 0 ? uint64_t{kGridCells} : 0u);
  }
}

// ---- The reference runs: the draws between "Decorations" and "Save File" ----

TEST(ScatterDecorations, RedrawsTheReferenceMapsVariants) {
  int checked = 0;
  for (const ReferenceCase& row : ReadCases("generate")) {
    if (row.map.empty()) continue;
    std::map<std::string, Bytes> sections = SectionMap(ReadBytes(row.map));
    const Bytes record = ReadBytes(row.settings);
    if (record.size() != sizeof(SettingsRecord) || !sections.count("DIM ") || !sections.count("MTXM")) continue;
    const std::vector<uint16_t> dim = Words(sections["DIM "]);
    ASSERT_FALSE(dim.empty()) << row.name;
    const int side = dim[0];
    ASSERT_EQ(sections["MTXM"].size(), 2u * side * side) << row.name;

    const std::vector<TraceLine> trace = ReadTrace(row.name);
    const TraceLine* before = nullptr;
    const TraceLine* after = nullptr;
    for (const TraceLine& t : trace) {
      if (t.text == "Decorations") before = &t;
      if (t.text == "Save File") after = &t;
    }
    ASSERT_TRUE(before && after) << row.name;

    auto s = MakeGeneratorState();
    std::memcpy(&s->settings, record.data(), sizeof(SettingsRecord));
    s->settings.MapSize = side;
    s->random.Seed(before->seed);
    const std::vector<uint16_t> want = Words(sections["MTXM"]);
    for (int r = 1; r <= side; ++r)
      for (int c = 1; c <= side; ++c) s->TerrainGrid(r, c) = Undecorated(want[(r - 1) * side + (c - 1)]);
    ScatterDecorations(*s);

    int differ = 0;
    for (int r = 1; r <= side; ++r)
      for (int c = 1; c <= side; ++c) differ += s->TerrainGrid(r, c) != want[(r - 1) * side + (c - 1)];
    EXPECT_EQ(differ, 0) << row.name;
    EXPECT_EQ(s->random.draws, after->draws - before->draws) << row.name;
    EXPECT_EQ(s->random.seed, after->seed) << row.name;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace glenmire
