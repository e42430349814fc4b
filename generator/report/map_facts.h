// What a map report reads from a finished map: its side, the movement map,
// the units and the players' sections. It is taken from the map's encoded
// bytes, so a map just generated and a map loaded from a file are read the
// same way, and the report sees what the game will see (the start resources
// after compensation, which the settings record no longer holds once a run
// has restored it).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings_record.h"
#include "placement/unit_list.h"

namespace glenmire {

struct MapFacts {
  int mapSize = 0;
  int32_t climate = 0;
  // The movement code of every cell, row by row (row stride mapSize): what
  // may walk, sail or be built there.
  std::vector<uint8_t> movement;
  // Every cell's tile ("MTXM"), row by row; empty when the map carries none.
  std::vector<uint16_t> tiles;
  std::vector<UnitRecord> units;
  std::array<uint8_t, kPlayers> controller{};
  std::array<uint8_t, kPlayers> race{};
  std::array<int32_t, kPlayers> gold{}, lumber{}, oil{};
};

// Reads the facts from a map file's bytes. Throws FileError naming fileName
// when the bytes are not a map (framing, a missing "DIM ", "SQM " or "UNIT",
// a size other than 32, 64, 96 or 128, a movement map of the wrong length or
// a unit section that is not whole records). Players' sections that are
// missing leave those players with no controller ("None") and nothing.
MapFacts ReadMapFacts(const std::vector<uint8_t>& bytes, const std::string& fileName);

}  // namespace glenmire
