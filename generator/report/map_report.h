// The map report: what each player starts with and how it stands on the
// map (the nearest gold mine on foot, the room to build, whom it can reach),
// and what the map is made of. Built from a finished map's facts (read from
// its bytes), so it describes generated and loaded maps alike; the walking
// rules are written down in docs/map_report.md.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/settings_record.h"
#include "report/map_facts.h"
#include "report/rivalry.h"

namespace glenmire {

inline constexpr int kMineReachSteps = 20;  // "a gold mine within reach"
inline constexpr int kRoomSteps = 10;       // buildable room is counted this far on foot
inline constexpr int kTownHallSide = 4;
inline constexpr int kNotReached = -1;

// The eight steps of a walk: the first four straight, the rest diagonal (a
// diagonal step needs one of the two straight cells beside it open).
inline constexpr int kWalkRowStep[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
inline constexpr int kWalkColumnStep[8] = {0, 0, -1, 1, -1, 1, -1, 1};
inline constexpr int kStraightWalkSteps = 4;

struct KindCount {
  uint8_t kind;  // UnitKind(): the human type of a human/orc pair
  int count;
  bool operator==(const KindCount&) const = default;
};

struct PlayerReport {
  int player = 0;  // 1..8
  uint8_t controller = kControllerNobody;
  uint8_t race = 0;
  bool active = false;
  bool hasStart = false;
  int startRow = 0, startColumn = 0;  // the start location's cell, 1-based
  std::vector<KindCount> units;       // everything the player owns but critters, by kind
  int critters = 0;
  int32_t gold = 0, lumber = 0, oil = 0;  // as the map carries them

  // Measured from the start location (only when hasStart).
  int walkableArea = 0;                // cells reached on foot
  int nearestMineSteps = kNotReached;  // steps to stand next to the nearest gold mine
  int nearestMineRow = 0, nearestMineColumn = 0;
  int nearestMineGold = 0;
  int minesInReach = 0;       // within kMineReachSteps
  int buildableRoom = 0;      // buildable cells within kRoomSteps
  bool townHallFits = false;  // a 4 x 4 square of them
  RivalryFigures rivalry;     // against the other measured players

  int UnitsOfKind(uint8_t kind) const;
};

enum class Meeting : uint8_t {
  kOnFoot,  // a walker gets from one start to the other
  kBySea,   // their walking areas touch the same sea, so a transport joins them
  kApart,   // neither
};
const char* MeetingName(Meeting m);  // "on foot", "by sea", "apart"

// A pair of active players that both have a start location.
struct PairReport {
  int first = 0, second = 0;  // players, first < second
  Meeting meeting = Meeting::kApart;
  int steps = kNotReached;  // walking steps between the starts (on foot only)
};

struct MapReport {
  int mapSize = 0;
  int32_t climate = 0;
  int cells = 0, landCells = 0, waterCells = 0, buildableCells = 0;
  int goldMines = 0;
  int64_t gold = 0;  // in all mines
  int oilPatches = 0;
  std::array<PlayerReport, kPlayers> players;
  std::vector<PairReport> pairs;

  double LandShare() const { return cells ? double(landCells) / cells : 0; }
  double WaterShare() const { return cells ? double(waterCells) / cells : 0; }
  double BuildableShare() const { return cells ? double(buildableCells) / cells : 0; }
  const PlayerReport& Player(int player) const { return players[player - 1]; }
  std::vector<int> ActivePlayers() const;
};

// Builds reports, keeping its work grids from one map to the next (a search
// reports every map it makes). Not for two threads at once.
class MapReporter {
 public:
  MapReporter();
  ~MapReporter();
  MapReport Report(const MapFacts& facts);

 private:
  struct Work;
  std::unique_ptr<Work> work_;
};

// One report with a reporter of its own.
MapReport ReportMap(const MapFacts& facts);

}  // namespace glenmire
