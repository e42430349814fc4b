#include "placement/unit_list.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/unit_types.h"
#include "map_builder.h"

namespace glenmire {
namespace {

using testing::MakeMap;
using testing::Records;

TEST(PlaceUnit, WritesALittleEndianRecordAndMarksItsSquare) {
  auto s = MakeMap(128, testing::kGrassTile);
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 100, 100, 3, 2, kFootman));
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 1, 128, 7, 1, kCritter));
  ASSERT_EQ(s->UnitListLength, 16);
  const uint8_t expected[16] = {99, 0, 99, 0, kFootman, 3, 0, 0, 127, 0, 0, 0, kCritter, 7, 0, 0};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(s->UnitList[i], expected[i]) << "byte " << i;
  // Footmen are unit 0, so their square carries the stand-in mark.
  for (int r = 100; r <= 101; ++r)
    for (int c = 100; c <= 101; ++c) EXPECT_EQ(s->OccupancyGrid(r, c), kTypeZeroMark);
  EXPECT_EQ(s->OccupancyGrid(102, 100), 0);
  EXPECT_EQ(s->OccupancyGrid(1, 128), kCritter);
}

TEST(PlaceUnit, ResourcesCarryTheLowByteOfTheirAmount) {
  struct Row {
    uint8_t type;
    int32_t gold;
    int32_t oil;
    int data;
  };
  const Row rows[] = {{kGoldMine, 100, 7, 100},
                      {kGoldMine, 0x1FF, 7, 0xFF},
                      {kOilPatch, 100, 40, 40},
                      {kOilPatch, 1, 0x12C, 0x2C},
                      {kPeasant, 100, 40, 0}};
  for (const Row& row : rows) {
    auto s = MakeMap(64, testing::kGrassTile);
    s->settings.GoldAmount = row.gold;
    s->settings.OilAmount = row.oil;
    ASSERT_TRUE(PlaceUnit(*s, s->placement, 10, 10, kNeutralOwner, 3, row.type));
    EXPECT_EQ(Records(*s).at(0).data, row.data) << int(row.type);
    EXPECT_EQ(Records(*s).at(0).owner, kNeutralOwner);
  }
}

TEST(PlaceUnit, MinesAndReservedSitesCountButOnlyMinesGetRecords) {
  auto s = MakeMap(64, testing::kGrassTile);
  s->placement.MinesPlaced = 0;
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 5, 5, kNeutralOwner, 3, kReservedMineSite));
  EXPECT_EQ(s->UnitListLength, 0);
  EXPECT_EQ(s->placement.MinesPlaced, 1);
  for (int r = 5; r <= 7; ++r)
    for (int c = 5; c <= 7; ++c) EXPECT_EQ(s->OccupancyGrid(r, c), kGoldMine);
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 20, 20, kNeutralOwner, 3, kGoldMine));
  EXPECT_EQ(s->UnitListLength, 8);
  EXPECT_EQ(s->placement.MinesPlaced, 2);
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 30, 30, kNeutralOwner, 3, kOilPatch));
  EXPECT_EQ(s->placement.MinesPlaced, 2);
}

TEST(PlaceUnit, OnlyStartLocationMarksMayBeShared) {
  struct Row {
    uint8_t existing;
    bool placed;
  };
  const Row rows[] = {{kHumanStart, true},    {kOrcStart, true}, {kGoldMine, false},
                      {kTypeZeroMark, false}, {kCritter, false}, {kTownHall, false}};
  for (const Row& row : rows) {
    auto s = MakeMap(64, testing::kGrassTile);
    s->OccupancyGrid(11, 12) = row.existing;  // one corner cell of the square below
    EXPECT_EQ(PlaceUnit(*s, s->placement, 10, 10, 0, 3, kPeasant), row.placed) << int(row.existing);
    EXPECT_EQ(s->UnitListLength, row.placed ? 8 : 0);
    EXPECT_EQ(s->OccupancyGrid(10, 10), row.placed ? kPeasant : 0);
  }
}

TEST(PlaceUnit, RefusesSquaresThatLeaveTheGrids) {
  struct Row {
    int row, column, size;
    bool placed;
  };
  const Row rows[] = {{0, 5, 1, false},   {5, 0, 1, false},  {-3, 5, 2, false},  {127, 5, 2, true},
                      {127, 5, 3, false}, {5, 126, 3, true}, {5, 127, 3, false}, {128, 128, 1, true}};
  for (const Row& row : rows) {
    auto s = MakeMap(128, testing::kGrassTile);
    EXPECT_EQ(PlaceUnit(*s, s->placement, row.row, row.column, 0, static_cast<uint8_t>(row.size), kPeasant), row.placed)
        << row.row << "," << row.column << " side " << row.size;
  }
}

TEST(PlaceUnit, TownHallsSetTheirOwnersTownPosition) {
  auto s = MakeMap(64, testing::kGrassTile);
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 20, 30, 2, 4, kTownHall));
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 40, 9, 7, 4, kGreatHall));
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 50, 50, kNeutralOwner, 4, kTownHall));  // no player to store it for
  ASSERT_TRUE(PlaceUnit(*s, s->placement, 1, 1, 0, 3, 60));                       // barracks leave it alone
  EXPECT_EQ(s->placement.TownPosition[2].row, 20);
  EXPECT_EQ(s->placement.TownPosition[2].column, 30);
  EXPECT_EQ(s->placement.TownPosition[7].row, 40);
  EXPECT_EQ(s->placement.TownPosition[7].column, 9);
  EXPECT_EQ(s->placement.TownPosition[0].row, 0);
}

TEST(UnitList, ClosingWritesNineZeroBytesAndKeepsTheLength) {
  for (bool viaPlaceUnit : {false, true}) {
    auto s = MakeMap(64, testing::kGrassTile);
    std::memset(s->UnitList, 0xAB, 64);
    ASSERT_TRUE(PlaceUnit(*s, s->placement, 3, 3, 0, 1, kPeasant));
    if (viaPlaceUnit)
      EXPECT_TRUE(PlaceUnit(*s, s->placement, 9, 9, 0, 1, kCloseListType));
    else
      CloseUnitList(*s);
    EXPECT_EQ(s->UnitListLength, 8);
    for (int i = 8; i < 17; ++i) EXPECT_EQ(s->UnitList[i], 0) << i;
    EXPECT_EQ(s->UnitList[17], 0xAB);
    EXPECT_EQ(s->OccupancyGrid(9, 9), 0);
  }
}

TEST(UnitList, AFullListRefusesRecordsAndClosesWithinItsBounds) {
  auto s = MakeMap(128, testing::kGrassTile);
  int placed = 0;
  for (int r = 1; r <= 128; ++r)  // 16,384 cells, more than the list holds
    for (int c = 1; c <= 128; ++c)
      if (PlaceUnit(*s, s->placement, r, c, 0, 1, kCritter)) ++placed;
  EXPECT_EQ(placed, kUnitListBytes / kUnitRecordBytes);
  EXPECT_EQ(s->UnitListLength, kUnitListBytes);
  // The refused unit leaves its square free.
  EXPECT_EQ(s->OccupancyGrid(128, 128), 0);
  // Reserved mine sites need no record, so they still go in.
  EXPECT_TRUE(PlaceUnit(*s, s->placement, 120, 120, kNeutralOwner, 3, kReservedMineSite));
  CloseUnitList(*s);
  EXPECT_EQ(s->UnitListLength, kUnitListBytes);
}

}  // namespace
}  // namespace glenmire
