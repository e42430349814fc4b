// How each player stands against its rivals: the walk to the nearest rival,
// how safe its nearest mine is, the expansions and the land it holds, the
// narrowest pass on the way to the rival and how many separate ways lead
// there, the lumber and oil at hand. Measured on the report's own walks; the
// figures are defined in docs/map_report.md.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/settings_record.h"
#include "report/map_facts.h"

namespace glenmire {

inline constexpr int kExpansionNearestSteps = 21;   // mines this far on foot ...
inline constexpr int kExpansionFarthestSteps = 45;  // ... up to this far are expansions
inline constexpr int kSafeMarginPercent = 10;       // a safe cell is this much closer than any rival's walk
inline constexpr int kLumberSteps = 15;             // a peasant stands beside the tree within so many steps
inline constexpr int kWidestPassCounted = 16;       // wider passes count as this wide
inline constexpr int kMostSeparateWalks = 3;        // separate walks are counted up to this many

struct RivalryFigures {
  int rival = 0;                     // the nearest rival on foot (player 1..8), 0 for none
  std::optional<int> walkToRival;    // steps from start to the rival's start
  std::optional<int> mineSafety;     // the rivals' fewest steps to the nearest mine less the player's
  int expansions = 0;                // mines 21..45 steps away, closer to this player than to any rival
  double safeAreaPercent = 0;        // of the map's walkable cells
  std::optional<int> narrowestPass;  // cells across, along the widest shortest walk to the rival
  std::optional<int> separateWalks;  // walks to the rival that share no cell, 1..3
  int lumber = 0;                    // forest cells beside the cells reached within 15 steps
  int oilPatches = 0;                // on the seas the player's walk touches

  bool operator==(const RivalryFigures&) const = default;
};

// The figures as rows of one table, for the text, the JSON and the survey.
struct RivalryFigure {
  const char* name;  // "walk to the rival (steps)"
  const char* key;   // "walkToRival"
  std::optional<double> (*value)(const RivalryFigures&);
};
enum RivalryFigureIndex {
  kWalkToRivalFigure,
  kMineSafetyFigure,
  kExpansionsFigure,
  kSafeAreaFigure,
  kNarrowestPassFigure,
  kSeparateWalksFigure,
  kLumberFigure,
  kOilFigure,
  kRivalryFigureCount
};
extern const std::array<RivalryFigure, kRivalryFigureCount> kRivalryFigures;

struct MapReport;
// The largest value less the smallest over the measured players that have the
// figure; nothing when none has it.
std::optional<double> FigureSpread(const MapReport& report, const RivalryFigure& figure);

// Fed by the report: the map once, then every measured player's walk; then
// it gives every player's figures. Keeps its work grids from map to map.
class RivalryMeter {
 public:
  // cell: the report's cells, walkableBit marking those a walker may enter
  // (buildings taken out); sea: the sea label of every cell, 0 for none;
  // starts: the start cell index of every measured player, -1 for the others.
  void Begin(const MapFacts& facts, const std::vector<uint8_t>& cell, uint8_t walkableBit,
             const std::vector<uint16_t>& sea, const std::array<int, kPlayers>& starts);
  // steps: the walk's steps per cell (-1 where it has not been), reached: the
  // cells in the order reached, touchedSeas: a bit per sea label touched.
  void TakeWalk(int player, const std::vector<int16_t>& steps, std::span<const int32_t> reached,
                const std::vector<uint64_t>& touchedSeas);
  std::array<RivalryFigures, kPlayers> Finish();

 private:
  bool Walkable(int row, int column) const;
  bool CanStep(int row, int column, int d) const;  // from (row, column) in direction d
  unsigned StepMask(int at);                       // the directions CanStep allows from the cell
  int StepsBeside(const std::vector<int16_t>& steps, int row, int column, int side) const;
  int NarrowestPass(const std::vector<int16_t>& steps, int from, int to);
  int PassWidthAt(int at, int under) const;
  int SeparateWalks(int from, int to);
  bool FindWayOn(int from, int to);

  int n_ = 0;
  const std::vector<uint8_t>* cell_ = nullptr;
  uint8_t walkableBit_ = 0;
  std::array<int, kPlayers> starts_{};
  std::vector<uint8_t> forest_;         // trees a peasant may cut
  std::vector<uint8_t> square_;         // side of the largest open square ending at the cell, up to the widest pass
  std::vector<uint16_t> stepMask_;      // a bit for each direction a step from the cell may take, once looked at
  std::vector<uint8_t> lumberMark_;     // the player that counted the tree, 0 for none
  std::vector<int32_t> best_, second_;  // fewest and second fewest steps of any walk
  std::vector<uint8_t> bestWalker_;
  struct Mine {
    int row, column;
  };
  std::vector<Mine> mines_;
  std::array<std::vector<int32_t>, kPlayers> mineSteps_;
  std::vector<std::vector<uint16_t>> patchSeas_;
  std::array<RivalryFigures, kPlayers> figures_{};
  std::array<int, kPlayers> nearestMine_{};
  std::array<bool, kPlayers> walked_{};
  int walkableCells_ = 0;
  // The separate-walks search: a cell carries at most one walk.
  std::vector<int32_t> flowNext_, flowPrev_;
  std::vector<uint32_t> seen_;
  std::vector<int32_t> parent_, stack_;
  uint32_t stamp_ = 0;
  bool directFlow_ = false;
  std::array<std::array<int, kPlayers>, kPlayers> walksBetween_{};
  // The narrowest-pass search over the layers of the shortest walks.
  std::vector<uint32_t> passSeen_;
  std::vector<uint8_t> passBest_;
  std::vector<int32_t> layer_, nextLayer_;
  uint32_t passStamp_ = 0;
};

}  // namespace glenmire
