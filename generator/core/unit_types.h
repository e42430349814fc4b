// The game's unit type numbers that the generator places or reads, how each
// moves, the link between a unit type and its settings number, and the owner
// codes of a unit record.
#pragma once

#include <array>
#include <cstdint>

namespace glenmire {

inline constexpr uint8_t kFootman = 0;
inline constexpr uint8_t kGrunt = 1;
inline constexpr uint8_t kPeasant = 2;
inline constexpr uint8_t kPeon = 3;
inline constexpr uint8_t kBallista = 4;
inline constexpr uint8_t kCatapult = 5;
inline constexpr uint8_t kKnight = 6;
inline constexpr uint8_t kOgre = 7;
inline constexpr uint8_t kElvenArcher = 8;
inline constexpr uint8_t kTrollAxethrower = 9;
inline constexpr uint8_t kMage = 10;
inline constexpr uint8_t kDeathKnight = 11;
inline constexpr uint8_t kHumanOilTanker = 26;
inline constexpr uint8_t kOrcOilTanker = 27;
inline constexpr uint8_t kHumanTransport = 28;
inline constexpr uint8_t kOrcTransport = 29;
inline constexpr uint8_t kElvenDestroyer = 30;
inline constexpr uint8_t kTrollDestroyer = 31;
inline constexpr uint8_t kBattleship = 32;
inline constexpr uint8_t kOgreJuggernaught = 33;
inline constexpr uint8_t kGnomishSubmarine = 38;
inline constexpr uint8_t kGiantTurtle = 39;
inline constexpr uint8_t kGnomishFlyingMachine = 40;
inline constexpr uint8_t kGoblinZeppelin = 41;
inline constexpr uint8_t kLastAircraft = 43;
inline constexpr uint8_t kCritter = 57;
inline constexpr uint8_t kFarm = 58;
inline constexpr uint8_t kPigFarm = 59;
inline constexpr uint8_t kHumanBarracks = 60;
inline constexpr uint8_t kOrcBarracks = 61;
inline constexpr uint8_t kTownHall = 74;
inline constexpr uint8_t kGreatHall = 75;
inline constexpr uint8_t kElvenLumberMill = 76;
inline constexpr uint8_t kTrollLumberMill = 77;
inline constexpr uint8_t kHumanBlacksmith = 82;
inline constexpr uint8_t kOrcBlacksmith = 83;
inline constexpr uint8_t kGoldMine = 92;
inline constexpr uint8_t kOilPatch = 93;
inline constexpr uint8_t kHumanStart = 94;
inline constexpr uint8_t kOrcStart = 95;

// A gold mine's or oil patch's data, and the record's gold and oil amounts,
// count the resource in steps of this much.
inline constexpr int kResourceStep = 2500;

// Ships sail (tankers, transports, destroyers, battleships, submarines and
// turtles); flying machines, zeppelins and the other air units fly; the rest walk.
inline constexpr bool IsShip(uint8_t type) {
  return (type >= kHumanOilTanker && type <= kOgreJuggernaught) || type == kGnomishSubmarine || type == kGiantTurtle;
}
inline constexpr bool IsAircraft(uint8_t type) { return type >= kGnomishFlyingMachine && type <= kLastAircraft; }

// Footmen are type 0, but a 0 mark means a free cell; they mark with this.
inline constexpr uint8_t kTypeZeroMark = 152;
// PlaceUnit with this type closes the list instead of placing anything.
inline constexpr uint8_t kCloseListType = 255;

inline constexpr uint8_t kNeutralOwner = 15;   // record owner of neutral units
inline constexpr uint8_t kNeutralPlayer = 16;  // the site search's player for them

// The game knows 110 unit type ids; the settings keep 79 of them.
inline constexpr int kUnitIds = 110;

// The settings number (1..79) of each unit type id; 0 for ids the settings
// do not keep.
inline constexpr std::array<uint8_t, kUnitIds> kSettingOfUnitId = [] {
  struct Run {
    int firstSetting, firstId, count;
  };
  constexpr Run runs[] = {{1, 0, 18}, {19, 26, 8}, {27, 38, 6}, {33, 45, 1}, {34, 49, 5}, {39, 55, 37}, {76, 96, 4}};
  std::array<uint8_t, kUnitIds> table{};
  for (const Run& run : runs)
    for (int i = 0; i < run.count; ++i) table[run.firstId + i] = static_cast<uint8_t>(run.firstSetting + i);
  return table;
}();

// The unit type's index into the settings' per-unit arrays, or -1.
inline constexpr int SettingsIndexOf(uint8_t type) { return type < kUnitIds ? kSettingOfUnitId[type] - 1 : -1; }

}  // namespace glenmire
