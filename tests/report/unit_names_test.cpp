// Kinds put a race's unit with its counterpart; buildings block their square.
#include "report/unit_names.h"

#include <gtest/gtest.h>

#include "core/unit_types.h"

namespace glenmire {
namespace {

TEST(UnitNamesTest, KindsPairEachOrcUnitWithItsHumanCounterpart) {
  struct Case {
    uint8_t type, kind;
    int side;
    bool building;
  } const cases[] = {
      {kGrunt, kFootman, 1, false},
      {kPeon, kPeasant, 1, false},
      {kPeasant, kPeasant, 1, false},
      {17, 16, 1, false},  // attack peon, attack peasant
      {kOrcOilTanker, kHumanOilTanker, 1, false},
      {kGiantTurtle, kGnomishSubmarine, 1, false},
      {43, 42, 1, false},  // dragon, gryphon rider
      {kPigFarm, kFarm, 2, true},
      {kGreatHall, kTownHall, 4, true},
      {kTrollLumberMill, kElvenLumberMill, 3, true},
      {91, 90, 4, true},  // fortress, castle
      {99, 98, 2, true},  // cannon towers
      {kOrcStart, kHumanStart, 1, false},
      {kGoldMine, kGoldMine, 3, true},
      {kOilPatch, kOilPatch, 3, true},
      {kCritter, kCritter, 1, false},
      {57, 57, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(UnitTypeName(c.type));
    EXPECT_EQ(UnitKind(c.type), c.kind);
    EXPECT_EQ(FootprintSide(c.type), c.side);
    EXPECT_EQ(IsBuilding(c.type), c.building);
  }
  EXPECT_EQ(UnitKindName(kTownHall), "Town Hall/Great Hall");
  EXPECT_EQ(UnitKindName(kHumanStart), "Start Location");
  EXPECT_EQ(UnitKindName(kGoldMine), "Gold Mine");
}

}  // namespace
}  // namespace glenmire
