#include "terrain/rivers_and_ranges.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/reference_data.h"
#include "terrain/rivers_and_ranges_walker.h"

namespace glenmire {
namespace {

using namespace glenmire::testing;

constexpr uint16_t kOutside = 0xBEEF;  // cells beyond the map, never to be touched

std::unique_ptr<GeneratorState> MapOf(int side, uint16_t cls, uint32_t seed) {
  auto s = MakeGeneratorState();
  s->settings.MapSize = side;
  s->TerrainGrid.Fill(kMaxMapSize, kOutside);
  s->TerrainGrid.Fill(side, cls);
  s->OccupancyGrid.Fill(kMaxMapSize, 0xEE);
  s->OccupancyGrid.Fill(side, 0);
  s->random.Seed(seed);
  return s;
}

void ExpectOutsideUntouched(const GeneratorState& s) {
  const int side = s.settings.MapSize;
  int touched = 0;
  for (int r = 1; r <= kMaxMapSize; ++r)
    for (int c = 1; c <= kMaxMapSize; ++c)
      if (!InsideMap(side, r, c)) touched += s.TerrainGrid(r, c) != kOutside || s.OccupancyGrid(r, c) != 0xEE;
  EXPECT_EQ(touched, 0) << "cells written beyond a " << side << " map";
}

// The first seed from 1 on whose sequence satisfies `want`.
uint32_t SeedWhere(const std::function<bool(Random&)>& want) {
  for (uint32_t seed = 1; seed < 1000000; ++seed) {
    Random r;
    r.Seed(seed);
    if (want(r)) return seed;
  }
  ADD_FAILURE() << "no seed found";
  return 0;
}

// ---- The walker ----

TEST(Walker, StartsOnAnEdgeHeadingInwardWithItsTargetInside) {
  std::set<uint8_t> headings;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    Random random;
    random.Seed(seed);
    Walker w;
    StartWalker(w, random, 32);
    EXPECT_EQ(random.draws, 5u);
    headings.insert(w.heading);
    switch (w.heading) {
      case kHeadS: EXPECT_EQ(w.a, 1); break;
      case kHeadN: EXPECT_EQ(w.a, 32); break;
      case kHeadE: EXPECT_EQ(w.b, 1); break;
      case kHeadW: EXPECT_EQ(w.b, 32); break;
      default: ADD_FAILURE() << "heading " << int(w.heading);
    }
    const int32_t along = (w.heading == kHeadS || w.heading == kHeadN) ? w.b : w.a;
    EXPECT_GE(along, 5);
    EXPECT_LE(along, 26);
    EXPECT_GE(w.targetA, 1);
    EXPECT_LE(w.targetA, 31);
    EXPECT_GE(w.targetB, 1);
    EXPECT_LE(w.targetB, 31);
    EXPECT_TRUE(w.aiming);
  }
  EXPECT_EQ(headings.size(), 4u);
}

TEST(Walker, TurnsToItsNeighbourHeadingsOrGoesStraight) {
  struct Row {
    uint8_t heading, firstSide, straight, secondSide;
  };
  const Row rows[] = {
      {kHeadNW, kHeadN, kHeadNW, kHeadW}, {kHeadN, kHeadNW, kHeadN, kHeadNE}, {kHeadNE, kHeadN, kHeadNE, kHeadE},
      {kHeadW, kHeadNW, kHeadW, kHeadSW}, {kHeadE, kHeadNE, kHeadE, kHeadSE}, {kHeadSW, kHeadW, kHeadSW, kHeadS},
      {kHeadS, kHeadSW, kHeadS, kHeadSE}, {kHeadSE, kHeadE, kHeadSE, kHeadS},
  };
  // draw value -> which option; 0 and 11..15 steer, or go straight once the target is reached
  const std::pair<int, int> draws[] = {{1, 0}, {4, 0}, {5, 2}, {8, 2}, {9, 1}, {10, 1}, {0, 1}, {15, 1}};
  for (const auto& [x, option] : draws) {
    const uint32_t seed = SeedWhere([x = x](Random& r) { return r.RandInt(16) == x; });
    for (const Row& row : rows) {
      Random random;
      random.Seed(seed);
      Walker w;
      w.heading = row.heading;
      w.aiming = false;
      const uint8_t options[] = {row.firstSide, row.straight, row.secondSide};
      EXPECT_EQ(ChooseHeading(w, random), options[option]) << "heading " << int(row.heading) << " draw " << x;
    }
  }
}

TEST(Walker, SteersAlongTheAxisItIsAlreadyCloseOn) {
  struct Row {
    int32_t a, b, targetA, targetB;
    uint8_t heading;
    bool stillAiming;
  };
  const Row rows[] = {
      {20, 20, 10, 10, kHeadNW, true}, {20, 20, 30, 10, kHeadSW, true}, {20, 20, 10, 30, kHeadNE, true},
      {20, 20, 30, 30, kHeadSE, true}, {20, 20, 10, 17, kHeadW, true},  {20, 20, 30, 24, kHeadE, true},
      {20, 20, 16, 10, kHeadN, true},  {20, 20, 24, 30, kHeadS, true},  {20, 20, 20, 20, kHeadE, false},
      {20, 20, 18, 22, kHeadE, false}, {20, 20, 22, 18, kHeadW, false}, {20, 20, 17, 20, kHeadE, true},
      {20, 20, 20, 23, kHeadE, true},
  };
  for (const Row& row : rows) {
    Walker w;
    w.a = row.a;
    w.b = row.b;
    w.targetA = row.targetA;
    w.targetB = row.targetB;
    EXPECT_EQ(SteerTowardTarget(w), row.heading) << row.targetA << "," << row.targetB;
    EXPECT_EQ(w.aiming, row.stillAiming) << row.targetA << "," << row.targetB;
  }
}

TEST(Walker, BrushesOnceMoreAtTheFirstPositionOutsideThenStops) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    Random random;
    random.Seed(seed);
    Walker w;
    StartWalker(w, random, 32);
    std::vector<std::pair<int32_t, int32_t>> centres;
    Walk(
        w, random, 32, [](int32_t& width, Random&) { width = 1; },
        [&](int32_t aLo, int32_t aHi, int32_t bLo, int32_t bHi) {
          EXPECT_EQ(aLo, aHi);
          EXPECT_EQ(bLo, bHi);
          centres.push_back({aLo, bLo});
        });
    ASSERT_GE(centres.size(), 2u);
    EXPECT_EQ(random.draws, 5 + centres.size()) << "one heading draw a step";
    for (size_t i = 0; i + 1 < centres.size(); ++i) {
      EXPECT_TRUE(InsideMap(32, centres[i].first, centres[i].second)) << "seed " << seed << " step " << i;
      EXPECT_LE(std::abs(centres[i + 1].first - centres[i].first), 1);
      EXPECT_LE(std::abs(centres[i + 1].second - centres[i].second), 1);
    }
    EXPECT_FALSE(InsideMap(32, centres.back().first, centres.back().second));
  }
}

// ---- Rivers ----

// Draws that put the walker's start on the given edge, and keep the first width as it starts.
bool StartsOn(Random& r, int mapSize, uint8_t heading, int32_t* pos, const std::set<int>& keptWidthDraws) {
  *pos = r.RandInt(mapSize - 10) + 5;
  uint8_t h;
  if (r.RandInt(2) == 1)
    h = r.RandInt(2) == 1 ? kHeadS : kHeadN;
  else
    h = r.RandInt(2) == 1 ? kHeadE : kHeadW;
  r.RandInt(mapSize - 1);
  r.RandInt(mapSize - 1);
  return h == heading && keptWidthDraws.count(r.RandInt(8)) > 0;
}

TEST(CarveRivers, FirstSquareIsCentredOnTheStartAndClippedAtTheEdge) {
  struct Row {
    int mapSize;
    int8_t rivers;
    uint8_t heading;
    int half;  // of the first square
  };
  const Row rows[] = {
      {32, 20, kHeadS, 1},    // width 32 * 10 / 100 = 3, raised to 3
      {32, 20, kHeadN, 1},    // start on the last row
      {32, 20, kHeadW, 1},    // start on the last column
      {64, 20, kHeadE, 3},    // width 64 * 10 / 100 = 6
      {128, 100, kHeadS, 3},  // width 64, cut to 6 by the first change
  };
  for (const Row& row : rows) {
    int32_t pos = 0;
    const std::set<int> kept = {0, 2, 3, 4, 6, 7};
    const uint32_t seed = SeedWhere([&](Random& r) { return StartsOn(r, row.mapSize, row.heading, &pos, kept); });
    Random replay{seed, 0};
    StartsOn(replay, row.mapSize, row.heading, &pos, kept);
    auto s = MapOf(row.mapSize, kLand, seed);
    s->settings.Rivers = row.rivers;
    EXPECT_EQ(CarveRivers(*s), 1);

    int32_t centreRow = pos, centreColumn = pos;
    if (row.heading == kHeadS) centreRow = 1;
    if (row.heading == kHeadN) centreRow = row.mapSize;
    if (row.heading == kHeadE) centreColumn = 1;
    if (row.heading == kHeadW) centreColumn = row.mapSize;
    for (int r = centreRow - row.half; r <= centreRow + row.half; ++r)
      for (int c = centreColumn - row.half; c <= centreColumn + row.half; ++c)
        if (InsideMap(row.mapSize, r, c)) {
          EXPECT_EQ(s->TerrainGrid(r, c), kWater) << "map " << row.mapSize << " cell " << r << "," << c;
        }
    ExpectOutsideUntouched(*s);
  }
}

TEST(CarveRivers, DrawsPinnedForFixedSeeds) {
  struct Row {
    int mapSize;
    int8_t rivers;
    uint8_t multiple;
    uint32_t seed;
    uint64_t draws;
    int waterCells;
  };
  const Row rows[] = {
      {32, 30, 0, 7, 1085, 418},    {64, 20, 0, 11, 813, 751},
      {128, 100, 0, 13, 823, 1000}, {64, 40, 1, 17, 1179, 1272},  // five rivers
      {32, 7, 1, 19, 0, 0},                                       // fewer than eight: no river at all
      {32, -56, 1, 23, 0, 0},                                     // a stored 200 reads as -56: no river
      {32, -56, 0, 29, 105, 99},                                  // one river of the smallest width
  };
  for (const Row& row : rows) {
    auto s = MapOf(row.mapSize, kLand, row.seed);
    s->settings.Rivers = row.rivers;
    s->settings.MultipleRivers = row.multiple;
    CarveRivers(*s);
    int water = 0;
    for (int r = 1; r <= row.mapSize; ++r)
      for (int c = 1; c <= row.mapSize; ++c) water += s->TerrainGrid(r, c) == kWater;
    EXPECT_EQ(s->random.draws, row.draws) << "seed " << row.seed;
    EXPECT_EQ(water, row.waterCells) << "seed " << row.seed;
    if (row.draws > 0) {
      EXPECT_EQ(s->random.draws % 2, (row.multiple ? 5u * (row.rivers / 8) : 5u) % 2);
    }
    ExpectOutsideUntouched(*s);
  }
}

// ---- The reference runs: rivers draw alike whatever the ground, so the draws
// between "Rivers" and "Lakes" can be checked on any map of the right size ----

TEST(CarveRivers, DrawsAsTheReferenceRuns) {
  int checked = 0;
  for (const ReferenceCase& row : ReadCases("generate")) {
    const Bytes bytes = ReadBytes(row.settings);
    if (bytes.size() != sizeof(SettingsRecord)) continue;
    auto s = MakeGeneratorState();
    std::memcpy(&s->settings, bytes.data(), sizeof(SettingsRecord));
    // Only runs whose river settings reach the stage as stored.
    if (s->settings.MapSize == 0 || s->settings.RandomRivers || s->settings.Rivers <= 0) continue;

    bool inRivers = false;
    uint64_t startDraws = 0;
    for (const TraceLine& t : ReadTrace(row.name)) {
      if (t.kind != "status") continue;
      if (t.text == "Rivers") {
        s->TerrainGrid.Fill(s->settings.MapSize, kLand);
        s->random.Seed(t.seed);
        startDraws = t.draws;
        inRivers = true;
      } else if (inRivers) {
        inRivers = false;
        if (t.text != "Lakes") continue;  // start islands have no rivers
        CarveRivers(*s);
        EXPECT_EQ(s->random.draws, t.draws - startDraws) << row.name;
        EXPECT_EQ(s->random.seed, t.seed) << row.name;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(RiversAndRanges, MapSizesBeyondTheGridStayInsideIt) {
  // The grids hold 128 x 128 cells; a larger or smaller size must neither
  // write past them nor hang.
  for (const int side : {0, 4, 11, 129, 200}) {
    auto s = MakeGeneratorState();
    s->settings.MapSize = side;
    s->settings.Rivers = 100;
    s->settings.EnableSecretMountainPasses = 1;
    s->TerrainGrid.Fill(kMaxMapSize, kLand);
    s->OccupancyGrid.Fill(kMaxMapSize, 0xEE);
    s->ScratchGrid.Fill(kMaxMapSize, 0xEE);
    s->random.Seed(31);
    EXPECT_EQ(CarveRivers(*s), 1);
    int occupancyTouched = 0;
    for (int r = 1; r <= kMaxMapSize; ++r)
      for (int c = 1; c <= kMaxMapSize; ++c) occupancyTouched += s->OccupancyGrid(r, c) != 0xEE;
    EXPECT_EQ(occupancyTouched, 0) << "map size " << side;
    s->TerrainGrid.Fill(kMaxMapSize, kCoast);
    const int32_t mountains = RaiseMountainRange(*s, 0);
    EXPECT_GE(mountains, 0);
    int scratchTouched = 0;
    for (int r = 1; r <= kMaxMapSize; ++r)
      for (int c = 1; c <= kMaxMapSize; ++c) scratchTouched += s->ScratchGrid(r, c) != 0xEE;
    EXPECT_EQ(scratchTouched, 0) << "map size " << side;
  }
}

// ---- Mountain ranges ----

// Sand with other ground sprinkled in: water, grass, a coast edge, a mountain edge.
std::unique_ptr<GeneratorState> SandWithObstacles(int side, uint32_t seed) {
  auto s = MapOf(side, kCoast, seed);
  Random place;
  place.Seed(seed * 7919u);
  const uint16_t others[] = {kOpenWater, kGrass, 545, 1024, kForest};
  for (int i = 0; i < side * side / 12; ++i) {
    const int r = place.RandInt(side) + 1;
    const int c = place.RandInt(side) + 1;
    s->TerrainGrid(r, c) = others[place.RandInt(5)];
  }
  return s;
}

TEST(RaiseMountainRange, RaisesOnlySandThatTouchesNothingButSandAndMountains) {
  int raised = 0;
  for (const int side : {32, 64}) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
      auto s = SandWithObstacles(side, seed);
      std::vector<uint16_t> before(s->TerrainGrid.cells, s->TerrainGrid.cells + kGridCells);
      int32_t count = 0;
      for (int range = 0; range < 4; ++range) count = RaiseMountainRange(*s, count);

      int mountains = 0;
      for (int r = 1; r <= side; ++r)
        for (int c = 1; c <= side; ++c) {
          const uint16_t was = before[(r - 1) * kMaxMapSize + (c - 1)];
          const uint16_t now = s->TerrainGrid(r, c);
          if (now != was) {
            EXPECT_TRUE(was == kCoast && now == kMountain) << r << "," << c;
          }
          if (now != kMountain) continue;
          ++mountains;
          for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc) {
              if (!InsideMap(side, r + dr, c + dc)) continue;
              const uint16_t n = s->TerrainGrid(r + dr, c + dc);
              EXPECT_TRUE(n == kCoast || n == kMountain) << "mountain " << r << "," << c << " touches " << n;
            }
        }
      EXPECT_EQ(count, mountains);
      raised += mountains;
      ExpectOutsideUntouched(*s);
    }
  }
  EXPECT_GT(raised, 0);
}

TEST(RaiseMountainRange, StartsOnAWestOrEastEdgeWhenItsWalkerStartsNorthOrSouth) {
  // The range walks the transposed map: a walker start on "row 1" is column 1 of the map.
  int32_t pos = 0;
  const uint32_t seed = SeedWhere([&](Random& r) {
    r.RandInt(32 - 5);                    // pass row
    if (r.RandInt(6) >= 3) return false;  // width 3
    return StartsOn(r, 32, kHeadS, &pos, {0, 2, 3, 6, 7});
  });
  Random replay{seed, 0};
  replay.RandInt(27);
  replay.RandInt(6);
  StartsOn(replay, 32, kHeadS, &pos, {0, 2, 3, 6, 7});

  auto s = MapOf(32, kCoast, seed);
  RaiseMountainRange(*s, 0);
  for (int r = pos - 1; r <= pos + 1; ++r)
    for (int c = 1; c <= 2; ++c) EXPECT_EQ(s->TerrainGrid(r, c), kMountain) << r << "," << c;
}

TEST(RaiseMountainRange, SecretPassMarksABandThreeRowsHigh) {
  int seedsWithMarks = 0;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    for (const uint8_t passes : {0, 1}) {
      auto s = MapOf(32, kCoast, seed);
      s->settings.EnableSecretMountainPasses = passes;
      const int passRow = Random{seed, 0}.RandInt(32 - 5) + 1;
      RaiseMountainRange(*s, 0);
      int marks = 0;
      for (int r = 1; r <= 32; ++r)
        for (int c = 1; c <= 32; ++c) {
          const bool inBand = passes && r >= passRow && r <= passRow + 2;
          const bool raised = s->TerrainGrid(r, c) == kMountain;
          const bool raisedBeside =
              (c > 1 && s->TerrainGrid(r, c - 1) == kMountain) || (c < 32 && s->TerrainGrid(r, c + 1) == kMountain);
          const uint8_t mark = s->OccupancyGrid(r, c);
          EXPECT_EQ(mark, inBand && (raised || raisedBeside) ? 1 : 0) << "seed " << seed << " cell " << r << "," << c;
          marks += mark;
        }
      if (marks > 0) ++seedsWithMarks;
      ExpectOutsideUntouched(*s);
    }
  }
  EXPECT_GT(seedsWithMarks, 3);
}

TEST(RaiseMountainRange, DrawsPinnedForFixedSeeds) {
  struct Row {
    int mapSize;
    uint32_t seed;
    uint64_t draws;
    int32_t mountains;
  };
  const Row rows[] = {{32, 3, 51, 25}, {32, 5, 299, 96}, {64, 8, 993, 227}, {128, 21, 65, 37}};
  for (const Row& row : rows) {
    auto s = SandWithObstacles(row.mapSize, row.seed);
    EXPECT_EQ(RaiseMountainRange(*s, 0), row.mountains) << "seed " << row.seed;
    EXPECT_EQ(s->random.draws, row.draws) << "seed " << row.seed;
    EXPECT_EQ(s->random.draws % 2, 1u);  // pass row, width, five to start, two a step
  }
}

}  // namespace
}  // namespace glenmire
