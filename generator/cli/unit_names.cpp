#include "cli/unit_names.h"

#include "mapfile/pud_layout.h"

namespace glenmire {
namespace {

// Settings numbers 1..79 in the order of the Units window.
const char* const kSettingsNames[79] = {
    "Footman", "Grunt", "Peasant", "Peon", "Ballista", "Catapult", "Knight", "Ogre", "Elven Archer",
    "Troll Axethrower", "Mage", "Death Knight", "Paladin", "Ogre-Mage", "Dwarven Demolition Squad",
    "Goblin Sappers", "Attack Peasant", "Attack Peon", "Human Oil Tanker", "Orc Oil Tanker", "Human Transport",
    "Orc Transport", "Elven Destroyer", "Troll Destroyer", "Battleship", "Ogre Juggernaught", "Gnomish Submarine",
    "Giant Turtle", "Gnomish Flying Machine", "Goblin Zeppelin", "Gryphon Rider", "Dragon", "Eye of Kilrogg",
    "Cho'Gall", "Sir Anduin Lothar", "Gul'Dan", "Uther Lightbringer", "Zuljin", "Skeleton", "Daemon", "Critter",
    "Farm", "Pig Farm", "Human Barracks", "Orc Barracks", "Church", "Altar Of Storms", "Scout Tower (human)",
    "Watch Tower (orc)", "Stables", "Ogre Mound", "Gnomish Inventor", "Goblin Alchemist", "Gryphon Aviary",
    "Dragon Roost", "Human Shipyard", "Orc Shipyard", "Town Hall", "Great Hall", "Elven Lumber Mill",
    "Troll Lumber Mill", "Human Foundry", "Orc Foundry", "Mage Tower", "Temple Of The Damned", "Human Blacksmith",
    "Orc Blacksmith", "Human Refinery", "Orc Refinery", "Human Oil Platform", "Orc Oil Platform", "Keep",
    "Stronghold", "Castle", "Fortress", "Human Guard Tower", "Orc Guard Tower", "Human Cannon Tower",
    "Orc Cannon Tower",
};

}  // namespace

std::string UnitTypeName(uint8_t id) {
  switch (id) {
    case 92: return "Gold Mine";
    case 93: return "Oil Patch";
    case 94: return "Human Start Location";
    case 95: return "Orc Start Location";
    default: break;
  }
  if (id < kUnitIds && kSettingOfUnitId[id] != 0) return kSettingsNames[kSettingOfUnitId[id] - 1];
  return "Unit " + std::to_string(id);
}

}  // namespace glenmire
