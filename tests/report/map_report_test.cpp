// The walking rules on small drawn maps: steps to a gold mine, whom a player
// meets and how, and the room to build near a start.
#include "report/map_report.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "drawn_map.h"

namespace glenmire {
namespace {

using testing::AddUnit;
using testing::DrawMap;

std::vector<std::string> Field(int side, char cell = '.') {
  return std::vector<std::string>(side, std::string(side, cell));
}

void Put(std::vector<std::string>& rows, int row, int column, char cell) { rows[row - 1][column - 1] = cell; }

struct MineCase {
  const char* name;
  std::vector<std::string> rows;
  int steps;         // to stand beside the mine, or kNotReached
  int minesInReach;  // within 20 steps
};

// Player 1 starts in the top-left corner; the mine's top-left cell is at row 1, column 8.
std::vector<std::string> MineMap(void (*shape)(std::vector<std::string>&)) {
  std::vector<std::string> rows = Field(12);
  Put(rows, 1, 1, '1');
  Put(rows, 1, 8, 'G');
  shape(rows);
  return rows;
}

TEST(MapReportTest, StepsToTheNearestGoldMineFollowTheWalkingRules) {
  const MineCase cases[] = {
      {"open field: diagonal steps count one", MineMap([](auto&) {}), 6, 1},
      {"mine behind a forest wall", MineMap([](auto& r) {
         for (int row = 1; row <= 12; ++row) Put(r, row, 5, 'T');
       }),
       kNotReached, 0},
      {"a gap at the wall's foot", MineMap([](auto& r) {
         for (int row = 1; row <= 11; ++row) Put(r, row, 5, 'T');
       }),
       19, 1},
      {"no squeezing between two diagonal corners", MineMap([](auto& r) {
         for (int row = 1; row <= 6; ++row) Put(r, row, 7 - row, 'T');
       }),
       kNotReached, 0},
      {"a ford of walkable cells across water", MineMap([](auto& r) {
         for (int row = 1; row <= 12; ++row) Put(r, row, 5, '~'), Put(r, row, 6, '~');
         Put(r, 6, 5, ',');
         Put(r, 6, 6, ',');
       }),
       8, 1},
      {"a shore no walker enters", MineMap([](auto& r) {
         for (int row = 1; row <= 12; ++row) Put(r, row, 5, 'S');
       }),
       kNotReached, 0},
      {"a walkable shore", MineMap([](auto& r) {
         for (int row = 1; row <= 12; ++row) Put(r, row, 5, 's');
       }),
       6, 1},
  };
  for (const MineCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MapReport report = ReportMap(DrawMap(c.rows));
    const PlayerReport& p = report.Player(1);
    EXPECT_EQ(p.nearestMineSteps, c.steps);
    EXPECT_EQ(p.minesInReach, c.minesInReach);
    if (c.steps != kNotReached) {
      EXPECT_EQ(p.nearestMineGold, 25000);
    }
  }
}

TEST(MapReportTest, BuildingsBlockWalkersAndStartLocationsDoNot) {
  struct Case {
    const char* name;
    uint8_t type;  // stood in a column of squares at column 5
    int steps;
  } const cases[] = {
      {"farms", kFarm, kNotReached},
      {"town halls", kTownHall, kNotReached},
      {"start locations of a third player", kHumanStart, 6},
      {"peasants", kPeasant, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MapFacts facts = DrawMap(MineMap([](auto&) {}));
    for (int row = 1; row <= 12; ++row) AddUnit(facts, row, 5, c.type, 3);
    EXPECT_EQ(ReportMap(facts).Player(1).nearestMineSteps, c.steps);
  }
}

TEST(MapReportTest, TheNearestOfSeveralMinesIsTakenAndTheFarOnesAreNotInReach) {
  std::vector<std::string> rows = Field(32);
  Put(rows, 1, 1, '1');
  Put(rows, 1, 10, 'G');   // beside at column 9: 8 steps
  Put(rows, 20, 1, 'G');   // beside at row 19: 18 steps
  Put(rows, 28, 28, 'G');  // beside at row 27: 26 steps
  const PlayerReport p = ReportMap(DrawMap(rows)).Player(1);
  EXPECT_EQ(p.nearestMineSteps, 8);
  EXPECT_EQ(p.nearestMineRow, 1);
  EXPECT_EQ(p.nearestMineColumn, 10);
  EXPECT_EQ(p.minesInReach, 2);
}

struct PairCase {
  const char* name;
  std::vector<std::string> rows;
  Meeting meeting;
  int steps;
};

// Two square islands of side 3 at rows/columns 2..4 and 8..10 of a 12 x 12
// sea, the players on their centres; shape draws the rest.
std::vector<std::string> Islands(void (*shape)(std::vector<std::string>&)) {
  std::vector<std::string> rows = Field(12, '~');
  for (int r = 2; r <= 4; ++r)
    for (int c = 2; c <= 4; ++c) Put(rows, r, c, ',');
  for (int r = 8; r <= 10; ++r)
    for (int c = 8; c <= 10; ++c) Put(rows, r, c, ',');
  Put(rows, 3, 3, '1');
  Put(rows, 9, 9, '2');
  shape(rows);
  return rows;
}

TEST(MapReportTest, PairsMeetOnFootBySeaOrNotAtAll) {
  const PairCase cases[] = {
      {"one land",
       [] {
         auto r = Field(12);
         Put(r, 1, 1, '1');
         Put(r, 12, 5, '2');
         return r;
       }(),
       Meeting::kOnFoot, 11},
      {"two islands in one sea", Islands([](auto&) {}), Meeting::kBySea, kNotReached},
      {"islands ringed by shore no walker enters", Islands([](auto& r) {
         for (int i = 1; i <= 11; ++i)
           for (int j = 1; j <= 11; ++j)
             if (r[i - 1][j - 1] == '~' && ((i <= 5 && j <= 5) || (i >= 7 && j >= 7))) Put(r, i, j, 'S');
       }),
       Meeting::kBySea, kNotReached},
      {"a ford joins the islands", Islands([](auto& r) {
         for (int i = 5; i <= 7; ++i) Put(r, i, 3, ',');
         for (int j = 3; j <= 8; ++j) Put(r, 7, j, ',');
       }),
       Meeting::kOnFoot, 9},
      {"a ford of diagonal steps only: walkers do not squeeze through", Islands([](auto& r) {
         for (int i = 5; i <= 7; ++i) Put(r, i, i, ',');
       }),
       Meeting::kBySea, kNotReached},
      {"two lakes a rock ridge keeps apart", Islands([](auto& r) {
         for (int i = 1; i <= 12; ++i) Put(r, i, 6, 'T'), Put(r, i, 7, 'T');
         for (int j = 1; j <= 12; ++j) Put(r, 6, j, 'T');
       }),
       Meeting::kApart, kNotReached},
  };
  for (const PairCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MapReport report = ReportMap(DrawMap(c.rows));
    ASSERT_EQ(report.pairs.size(), 1u);
    EXPECT_EQ(report.pairs[0].first, 1);
    EXPECT_EQ(report.pairs[0].second, 2);
    EXPECT_EQ(report.pairs[0].meeting, c.meeting);
    EXPECT_EQ(report.pairs[0].steps, c.steps);
  }
}

TEST(MapReportTest, OnlyActivePlayersWithAStartArePaired) {
  std::vector<std::string> rows = Field(12);
  Put(rows, 1, 1, '1');
  Put(rows, 6, 6, '2');
  Put(rows, 12, 12, '3');
  MapFacts facts = DrawMap(rows);
  facts.controller[1] = kControllerRescuePassive;
  facts.controller[4] = kControllerHuman;  // player 5: no start location
  const MapReport report = ReportMap(facts);
  ASSERT_EQ(report.pairs.size(), 1u);
  EXPECT_EQ(report.pairs[0].first, 1);
  EXPECT_EQ(report.pairs[0].second, 3);
  EXPECT_EQ(report.ActivePlayers(), (std::vector<int>{1, 3, 5}));
  EXPECT_FALSE(report.Player(5).hasStart);
}

struct RoomCase {
  const char* name;
  std::vector<std::string> rows;  // player 1 starts at row 16, column 16
  std::vector<UnitRecord> buildings;
  int room;
  bool hallFits;
};

std::vector<std::string> Around(char fill, void (*shape)(std::vector<std::string>&)) {
  std::vector<std::string> rows = Field(32, fill);
  shape(rows);
  Put(rows, 16, 16, '1');
  return rows;
}

TEST(MapReportTest, BuildableRoomCountsBuildableCellsWithinTenSteps) {
  const RoomCase cases[] = {
      {"open buildable land", Around('.', [](auto&) {}), {}, 21 * 21, true},
      {"land that cannot be built on, but the start", Around(',', [](auto&) {}), {}, 1, false},
      {"a corridor three cells wide",
       Around(',',
              [](auto& r) {
                for (int row = 15; row <= 17; ++row) r[row - 1] = std::string(32, '.');
              }),
       {},
       3 * 21,
       false},
      {"a town hall takes its square", Around('.', [](auto&) {}), {{23, 14, kTownHall, 0, 0}}, 21 * 21 - 16, true},
      {"a forest ring three steps out",
       Around('.',
              [](auto& r) {
                for (int i = 13; i <= 19; ++i)
                  Put(r, 13, i, 'T'), Put(r, 19, i, 'T'), Put(r, i, 13, 'T'), Put(r, i, 19, 'T');
              }),
       {},
       25,
       true},
      {"the map's edge cuts the room",
       [] {
         auto r = Field(32);
         Put(r, 1, 1, '1');
         return r;
       }(),
       {},
       11 * 11,
       true},
  };
  for (const RoomCase& c : cases) {
    SCOPED_TRACE(c.name);
    MapFacts facts = DrawMap(c.rows);
    for (const UnitRecord& u : c.buildings) facts.units.push_back(u);
    const PlayerReport p = ReportMap(facts).Player(1);
    EXPECT_EQ(p.buildableRoom, c.room);
    EXPECT_EQ(p.townHallFits, c.hallFits);
  }
}

TEST(MapReportTest, UnitsAreCountedByKindWhateverTheRaceAndCrittersApart) {
  std::vector<std::string> rows = Field(12);
  Put(rows, 1, 1, '1');
  Put(rows, 10, 10, '2');
  MapFacts facts = DrawMap(rows);
  facts.units[1].type = kOrcStart;
  AddUnit(facts, 1, 1, kPeasant, 1);
  AddUnit(facts, 3, 3, kTownHall, 1);
  AddUnit(facts, 10, 10, kPeon, 2);
  AddUnit(facts, 5, 8, kGreatHall, 2);
  AddUnit(facts, 12, 12, kCritter, 2);
  const MapReport report = ReportMap(facts);
  const std::vector<KindCount> expected = {{kPeasant, 1}, {kTownHall, 1}, {kHumanStart, 1}};
  EXPECT_EQ(report.Player(1).units, expected);
  EXPECT_EQ(report.Player(2).units, expected);
  EXPECT_EQ(report.Player(2).critters, 1);
}

TEST(MapReportTest, MapSharesCountWaterShoreAndBuildableCells) {
  std::vector<std::string> rows = Field(10, '~');
  rows[0] = "1.........";  // 10 buildable
  rows[1] = ",,,,,,,,,,";  // 10 land
  rows[2] = "ssssssssss";  // 10 walkable shore: land
  rows[3] = "SSSSSSSSSS";  // 10 shore no walker enters: water
  rows[4] = "TTTTTGTTTT";  // forest is land; a mine stands on buildable ground
  MapFacts facts = DrawMap(rows);
  AddUnit(facts, 8, 8, kOilPatch, 0, 4);
  const MapReport report = ReportMap(facts);
  EXPECT_EQ(report.cells, 100);
  EXPECT_EQ(report.waterCells, 60);
  EXPECT_EQ(report.landCells, 40);
  EXPECT_EQ(report.buildableCells, 11);
  EXPECT_EQ(report.goldMines, 1);
  EXPECT_EQ(report.gold, 25000);
  EXPECT_EQ(report.oilPatches, 1);
}

struct RivalCase {
  const char* name;
  MapFacts facts;
  struct Figure {
    int player;
    int figure;  // RivalryFigureIndex
    std::optional<double> value;
  };
  std::vector<Figure> figures;
};

MapFacts Drawn(int side, char fill, void (*shape)(std::vector<std::string>&)) {
  std::vector<std::string> rows = Field(side, fill);
  shape(rows);
  return DrawMap(rows);
}

TEST(MapReportTest, RivalFiguresOnMapsWithKnownAnswers) {
  const std::optional<double> none;
  const RivalCase cases[] = {
      {"a pass two cells wide in a rock wall",
       Drawn(20, '.',
             [](auto& r) {
               for (int row = 1; row <= 20; ++row)
                 if (row != 9 && row != 10) Put(r, row, 10, 'T');
               Put(r, 10, 2, '1');
               Put(r, 10, 18, '2');
             }),
       {{1, kWalkToRivalFigure, 16},
        {1, kNarrowestPassFigure, 2},
        {1, kSeparateWalksFigure, 2},
        {2, kNarrowestPassFigure, 2},
        {2, kSeparateWalksFigure, 2}}},
      {"two corridors one cell wide round a block of rock",
       Drawn(20, 'T',
             [](auto& r) {
               for (int c = 2; c <= 19; ++c) Put(r, 5, c, ','), Put(r, 15, c, ',');
               for (int row = 5; row <= 15; ++row) Put(r, row, 2, ','), Put(r, row, 19, ',');
               Put(r, 10, 2, '1');
               Put(r, 10, 19, '2');
             }),
       {{1, kNarrowestPassFigure, 1}, {1, kSeparateWalksFigure, 2}, {2, kSeparateWalksFigure, 2}}},
      {"open land: three walks and a pass as wide as counted",
       Drawn(32, '.', [](auto& r) { Put(r, 16, 4, '1'), Put(r, 16, 28, '2'); }),
       {{1, kWalkToRivalFigure, 24}, {1, kNarrowestPassFigure, kWidestPassCounted}, {1, kSeparateWalksFigure, 3}}},
      {"a mine as far from both starts",
       Drawn(21, '.', [](auto& r) { Put(r, 1, 1, '1'), Put(r, 1, 21, '2'), Put(r, 1, 10, 'G'); }),
       {{1, kMineSafetyFigure, 0}, {2, kMineSafetyFigure, 0}, {1, kExpansionsFigure, 0}}},
      {"a far mine nearer one start is its expansion",
       Drawn(48, '.', [](auto& r) { Put(r, 1, 1, '1'), Put(r, 48, 48, '2'), Put(r, 1, 25, 'G'); }),
       {{1, kMineSafetyFigure, 44 - 23},
        {1, kExpansionsFigure, 1},
        {2, kMineSafetyFigure, 23 - 44},
        {2, kExpansionsFigure, 0}}},
      {"a corridor from start to start: each holds the cells 10 % nearer it",
       Drawn(21, 'T',
             [](auto& r) {
               r[0] = std::string(21, ',');
               Put(r, 1, 1, '1');
               Put(r, 1, 21, '2');
             }),
       {{1, kSafeAreaFigure, 100.0 * 10 / 21},
        {2, kSafeAreaFigure, 100.0 * 10 / 21},
        {1, kWalkToRivalFigure, 20},
        {1, kSeparateWalksFigure, 1}}},
      {"forest beside the cells within 15 steps, rock not",
       Drawn(20, '.',
             [](auto& r) {
               for (int row = 1; row <= 20; ++row) Put(r, row, 17, 'F');
               for (int row = 5; row <= 8; ++row) Put(r, row, 3, 'T');
               Put(r, 1, 1, '1');
             }),
       {{1, kLumberFigure, 17}, {1, kWalkToRivalFigure, none}, {1, kSeparateWalksFigure, none}}},
      {"an oil patch on the sea both islands touch",
       [] {
         MapFacts facts = DrawMap(Islands([](auto&) {}));
         AddUnit(facts, 5, 5, kOilPatch, 0, 4);
         return facts;
       }(),
       {{1, kOilFigure, 1}, {2, kOilFigure, 1}, {1, kWalkToRivalFigure, none}, {1, kMineSafetyFigure, none}}},
  };
  for (const RivalCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MapReport report = ReportMap(c.facts);
    for (const RivalCase::Figure& f : c.figures) {
      SCOPED_TRACE(kRivalryFigures[f.figure].name);
      const std::optional<double> value = kRivalryFigures[f.figure].value(report.Player(f.player).rivalry);
      ASSERT_EQ(value.has_value(), f.value.has_value());
      if (value) {
        EXPECT_NEAR(*value, *f.value, 1e-9);
      }
    }
  }
}

// Left and right halves are mirror images (column c and 25 - c): every rival
// figure reads the same for both players, even where shortest walks tie.
TEST(MapReportTest, PlayersOnMirroredHalvesReadAlike) {
  constexpr int kSide = 24;
  std::vector<std::string> rows = Field(kSide);
  for (int r = 1; r <= kSide; ++r) {
    if (r != 6 && r != 7 && (r < 15 || r > 17)) Put(rows, r, 9, 'T');
    if (r >= 18) Put(rows, r, 1, 'F'), Put(rows, r, 2, 'F');
  }
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 3; ++c) Put(rows, r, c, '~');
  for (int r = 1; r <= kSide; ++r)
    for (int c = 1; c <= kSide / 2; ++c) rows[r - 1][kSide - c] = rows[r - 1][c - 1];
  Put(rows, 12, 3, '1');
  Put(rows, 12, kSide + 1 - 3, '2');
  MapFacts facts = DrawMap(rows);
  for (const int column : {4, kSide + 1 - 4 - 2}) AddUnit(facts, 20, column, kGoldMine, 0, 10);
  for (const int column : {1, kSide + 1 - 1 - 2}) AddUnit(facts, 1, column, kOilPatch, 0, 4);
  const MapReport report = ReportMap(facts);
  EXPECT_EQ(report.Player(1).rivalry.rival, 2);
  EXPECT_EQ(report.Player(1).rivalry.oilPatches, 2);  // each walks to both ponds
  EXPECT_EQ(report.Player(1).rivalry.narrowestPass, 3);
  for (const RivalryFigure& figure : kRivalryFigures) EXPECT_EQ(FigureSpread(report, figure), 0.0) << figure.name;
}

TEST(MapReportTest, OneReporterGivesTheSameReportForTheSameMapAfterAnother) {
  MapReporter reporter;
  const MapFacts a = DrawMap(Islands([](auto&) {}));
  const MapFacts b = DrawMap(MineMap([](auto&) {}));
  // A larger map's walks end on cells the smaller maps do not have.
  std::vector<std::string> wide = Field(40);
  Put(wide, 1, 1, '1');
  Put(wide, 40, 40, '2');
  const MapReport first = reporter.Report(a);
  reporter.Report(b);
  reporter.Report(DrawMap(wide));
  const MapReport again = reporter.Report(a);
  EXPECT_EQ(again.pairs[0].meeting, first.pairs[0].meeting);
  EXPECT_EQ(again.Player(1).buildableRoom, first.Player(1).buildableRoom);
  EXPECT_EQ(again.Player(2).walkableArea, first.Player(2).walkableArea);
  EXPECT_EQ(again.Player(1).rivalry, first.Player(1).rivalry);
}

}  // namespace
}  // namespace glenmire
