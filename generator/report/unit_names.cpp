#include "report/unit_names.h"

#include "core/settings_record.h"
#include "mapfile/pud_layout.h"
#include "mapfile/unit_tables.h"

namespace glenmire {
namespace {

// Settings numbers 1..79 in the order of the Units window.
const char* const kSettingsNames[79] = {
    "Footman",
    "Grunt",
    "Peasant",
    "Peon",
    "Ballista",
    "Catapult",
    "Knight",
    "Ogre",
    "Elven Archer",
    "Troll Axethrower",
    "Mage",
    "Death Knight",
    "Paladin",
    "Ogre-Mage",
    "Dwarven Demolition Squad",
    "Goblin Sappers",
    "Attack Peasant",
    "Attack Peon",
    "Human Oil Tanker",
    "Orc Oil Tanker",
    "Human Transport",
    "Orc Transport",
    "Elven Destroyer",
    "Troll Destroyer",
    "Battleship",
    "Ogre Juggernaught",
    "Gnomish Submarine",
    "Giant Turtle",
    "Gnomish Flying Machine",
    "Goblin Zeppelin",
    "Gryphon Rider",
    "Dragon",
    "Eye of Kilrogg",
    "Cho'Gall",
    "Sir Anduin Lothar",
    "Gul'Dan",
    "Uther Lightbringer",
    "Zuljin",
    "Skeleton",
    "Daemon",
    "Critter",
    "Farm",
    "Pig Farm",
    "Human Barracks",
    "Orc Barracks",
    "Church",
    "Altar Of Storms",
    "Scout Tower (human)",
    "Watch Tower (orc)",
    "Stables",
    "Ogre Mound",
    "Gnomish Inventor",
    "Goblin Alchemist",
    "Gryphon Aviary",
    "Dragon Roost",
    "Human Shipyard",
    "Orc Shipyard",
    "Town Hall",
    "Great Hall",
    "Elven Lumber Mill",
    "Troll Lumber Mill",
    "Human Foundry",
    "Orc Foundry",
    "Mage Tower",
    "Temple Of The Damned",
    "Human Blacksmith",
    "Orc Blacksmith",
    "Human Refinery",
    "Orc Refinery",
    "Human Oil Platform",
    "Orc Oil Platform",
    "Keep",
    "Stronghold",
    "Castle",
    "Fortress",
    "Human Guard Tower",
    "Orc Guard Tower",
    "Human Cannon Tower",
    "Orc Cannon Tower",
};

// Human/orc pairs whose human type is the even id and whose orc type the next
// one: the ranges of ids laid out that way.
struct PairedRange {
  uint8_t first, last;
};
constexpr PairedRange kPairedRanges[] = {
    {kFootman, 17},                        // footmen .. sappers, attack peasants
    {kHumanOilTanker, kOgreJuggernaught},  // tankers, transports, destroyers, battleships
    {kGnomishSubmarine, 43},               // submarines .. gryphon riders and dragons
    {kFarm, 91},                           // farms .. fortresses
    {kHumanStart, kOrcStart},
    {96, 99},  // guard and cannon towers
};

constexpr uint8_t kFirstBuilding = kFarm;

}  // namespace

std::string UnitTypeName(uint8_t id) {
  switch (id) {
    case kGoldMine: return "Gold Mine";
    case kOilPatch: return "Oil Patch";
    case kHumanStart: return "Human Start Location";
    case kOrcStart: return "Orc Start Location";
    default: break;
  }
  if (id < kUnitIds && kSettingOfUnitId[id] != 0) return kSettingsNames[kSettingOfUnitId[id] - 1];
  return "Unit " + std::to_string(id);
}

uint8_t UnitKind(uint8_t type) {
  for (const PairedRange& range : kPairedRanges)
    if (type >= range.first && type <= range.last && (type - range.first) % 2 == 1) return type - 1;
  return type;
}

std::string UnitKindName(uint8_t kind) {
  if (kind == kHumanStart) return "Start Location";
  const uint8_t partner = static_cast<uint8_t>(kind + 1);
  if (kind < 255 && UnitKind(partner) == kind) return UnitTypeName(kind) + "/" + UnitTypeName(partner);
  return UnitTypeName(kind);
}

bool IsBuilding(uint8_t type) {
  return type >= kFirstBuilding && type < kUnitIds && type != kHumanStart && type != kOrcStart;
}

int FootprintSide(uint8_t type) {
  if (!IsBuilding(type)) return 1;
  const int side = kUnitSize[type];
  return side < 1 ? 1 : side;
}

const char* PlayerColourName(int player) {
  static const char* const kColours[8] = {"Red", "Blue", "Green", "Violet", "Orange", "Black", "White", "Yellow"};
  return player >= 1 && player <= 8 ? kColours[player - 1] : "Neutral";
}

std::string ControllerName(uint8_t code) {
  switch (code) {
    case kControllerRescueRandom: return "Rescue (Rnd)";
    case kControllerNobody: return "None";
    case kControllerComputer: return "Computer";
    case kControllerHuman: return "Human";
    case kControllerRescuePassive: return "Rescue (Passive)";
    case kControllerRescueActive: return "Rescue (Active)";
    default: return "code " + std::to_string(code);
  }
}

std::string RaceName(uint8_t race) {
  switch (race) {
    case kRaceHuman: return "Human";
    case kRaceOrc: return "Orc";
    case kRaceRandom: return "Random";
    default: return "code " + std::to_string(race);
  }
}

}  // namespace glenmire
