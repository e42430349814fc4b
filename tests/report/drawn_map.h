// Small maps drawn as text for the report tests: one character per cell of
// the movement map, with start locations and gold mines drawn in.
//
//   .  buildable land        ,  land that cannot be built on
//   ~  water                 s  shore a walker may stand on
//   S  shore no walker enters T  rock               F  forest
//   1..8  that player's start location (on buildable land)
//   G  the top-left cell of a gold mine (10 x 2500 gold)
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/grids.h"
#include "core/unit_types.h"
#include "report/map_facts.h"

namespace glenmire::testing {

inline uint8_t DrawnCode(char c) {
  switch (c) {
    case '.':
    case 'G': return kMoveBuildable;
    case ',': return kMoveUnbuildable;
    case '~': return kMoveWater;
    case 's': return kMoveShoreCorner;
    case 'S': return kMoveShore;
    case 'T':
    case 'F': return kMoveObstacle;
    default:
      if (c >= '1' && c <= '8') return kMoveBuildable;
      throw std::invalid_argument(std::string("no cell drawn as '") + c + "'");
  }
}

inline void AddUnit(MapFacts& facts, int row, int column, uint8_t type, int player, uint16_t data = 0) {
  const uint8_t owner = player >= 1 && player <= 8 ? static_cast<uint8_t>(player - 1) : kNeutralOwner;
  facts.units.push_back(UnitRecord{row, column, type, owner, data});
}

// The drawn players are computer controlled humans with 1000 of everything;
// every other player takes no part.
inline MapFacts DrawMap(const std::vector<std::string>& rows) {
  MapFacts facts;
  facts.mapSize = static_cast<int>(rows.size());
  facts.controller.fill(kControllerNobody);
  for (int r = 1; r <= facts.mapSize; ++r) {
    const std::string& line = rows[r - 1];
    if (static_cast<int>(line.size()) != facts.mapSize) throw std::invalid_argument("the drawing is not square");
    for (int c = 1; c <= facts.mapSize; ++c) {
      const char cell = line[c - 1];
      facts.movement.push_back(DrawnCode(cell));
      facts.tiles.push_back(cell == 'F' ? kForest : cell == 'T' ? kMountain : kGrass);
      if (cell == 'G') AddUnit(facts, r, c, kGoldMine, 0, 10);
      if (cell >= '1' && cell <= '8') {
        const int player = cell - '0';
        AddUnit(facts, r, c, kHumanStart, player);
        facts.controller[player - 1] = kControllerComputer;
        facts.gold[player - 1] = facts.lumber[player - 1] = facts.oil[player - 1] = 1000;
      }
    }
  }
  return facts;
}

}  // namespace glenmire::testing
