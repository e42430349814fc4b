// The rival figures, on the distance fields of the report's walks: each walk
// is folded into the fewest and second fewest steps per cell as it ends, so
// the shares of land need no field kept per player.
#include "report/rivalry.h"

#include <algorithm>
#include <cstdlib>

#include "core/unit_types.h"
#include "report/map_report.h"
#include "report/unit_names.h"

namespace glenmire {

namespace {

constexpr int kNone = -1;
constexpr int kPercent = 100;
constexpr uint16_t kStepMaskKnown = 0x100;

// Solid forest (0x70..0x7F) and the forest edge tiles (0x700..0x7FF).
constexpr uint16_t kForestTileFamily = 0x70;
constexpr uint16_t kForestEdgeFamily = 0x7;
constexpr bool IsForestTile(uint16_t tile) {
  return (tile >> 4) == kForestTileFamily >> 4 || (tile >> 8) == kForestEdgeFamily;
}

// The eight directions for each way the rival lies (rows up, level or down
// times columns left, level or right), those that lead farthest from it
// first: the search takes the last one it was given first.
constexpr std::array<std::array<int, 8>, 9> kFarthestFirst = [] {
  std::array<std::array<int, 8>, 9> orders{};
  for (int way = 0; way < 9; ++way) {
    const int wantRow = way / 3 - 1, wantColumn = way % 3 - 1;
    int far[8];
    for (int d = 0; d < 8; ++d) {
      orders[way][d] = d;
      far[d] = -(kWalkRowStep[d] * wantRow + kWalkColumnStep[d] * wantColumn);
    }
    for (int i = 1; i < 8; ++i)  // a stable insertion sort, farthest first
      for (int j = i; j > 0 && far[orders[way][j]] > far[orders[way][j - 1]]; --j)
        std::swap(orders[way][j], orders[way][j - 1]);
  }
  return orders;
}();

std::optional<double> Whole(const std::optional<int>& v) { return v ? std::optional<double>(*v) : std::nullopt; }

}  // namespace

const std::array<RivalryFigure, kRivalryFigureCount> kRivalryFigures = {{
    {"walk to the rival (steps)", "walkToRival", [](const RivalryFigures& f) { return Whole(f.walkToRival); }},
    {"mine safety (steps)", "mineSafety", [](const RivalryFigures& f) { return Whole(f.mineSafety); }},
    {"expansions", "expansions", [](const RivalryFigures& f) { return std::optional<double>(f.expansions); }},
    {"safe area (%)", "safeArea", [](const RivalryFigures& f) { return std::optional<double>(f.safeAreaPercent); }},
    {"narrowest pass (cells)", "narrowestPass", [](const RivalryFigures& f) { return Whole(f.narrowestPass); }},
    {"separate walks to the rival", "separateWalks", [](const RivalryFigures& f) { return Whole(f.separateWalks); }},
    {"lumber (forest cells)", "lumber", [](const RivalryFigures& f) { return std::optional<double>(f.lumber); }},
    {"oil patches at hand", "oilPatches", [](const RivalryFigures& f) { return std::optional<double>(f.oilPatches); }},
}};

std::optional<double> FigureSpread(const MapReport& report, const RivalryFigure& figure) {
  std::optional<double> least, most;
  for (const PlayerReport& p : report.players) {
    if (!p.active || !p.hasStart) continue;
    const std::optional<double> v = figure.value(p.rivalry);
    if (!v) continue;
    least = least ? std::min(*least, *v) : *v;
    most = most ? std::max(*most, *v) : *v;
  }
  if (!least) return std::nullopt;
  return *most - *least;
}

bool RivalryMeter::Walkable(int row, int column) const {
  return row >= 1 && row <= n_ && column >= 1 && column <= n_ && ((*cell_)[(row - 1) * n_ + column - 1] & walkableBit_);
}

bool RivalryMeter::CanStep(int row, int column, int d) const {
  const int r = row + kWalkRowStep[d], c = column + kWalkColumnStep[d];
  if (!Walkable(r, c)) return false;
  return d < kStraightWalkSteps || Walkable(r, column) || Walkable(row, c);
}

void RivalryMeter::Begin(const MapFacts& facts, const std::vector<uint8_t>& cell, uint8_t walkableBit,
                         const std::vector<uint16_t>& sea, const std::array<int, kPlayers>& starts) {
  n_ = facts.mapSize;
  cell_ = &cell;
  walkableBit_ = walkableBit;
  starts_ = starts;
  const std::size_t cells = static_cast<std::size_t>(n_) * n_;
  const bool tiles = facts.tiles.size() == cells;
  forest_.assign(cells, 0);
  square_.assign(cells, 0);
  int walkable = 0;
  for (std::size_t i = 0; i < cells; ++i) {
    const uint8_t code = facts.movement[i];
    forest_[i] = tiles && IsForestTile(facts.tiles[i]) && (code & kMoveObstacleBit) && !(code & kMoveWaterBit);
    walkable += (cell[i] & walkableBit) != 0;
  }
  walkableCells_ = walkable;
  // Passes are the land's: buildings, which fall, do not narrow them.
  for (std::size_t i = 0; i < cells; ++i) square_[i] = IsWalkableCode(facts.movement[i]);
  for (int start : starts)
    if (start >= 0) square_[start] = 1;
  for (int r = 1; r < n_; ++r) {
    const uint8_t* up = &square_[static_cast<std::size_t>(r - 1) * n_];
    uint8_t* row = &square_[static_cast<std::size_t>(r) * n_];
    int left = row[0];  // the square ending beside, kept at hand
    for (int c = 1; c < n_; ++c) {
      left = row[c] ? std::min(kWidestPassCounted, 1 + std::min({int{up[c]}, left, int{up[c - 1]}})) : 0;
      row[c] = static_cast<uint8_t>(left);
    }
  }
  stepMask_.assign(cells, 0);
  lumberMark_.assign(cells, 0);
  best_.assign(cells, kNone);
  second_.assign(cells, kNone);
  bestWalker_.assign(cells, 0);
  mines_.clear();
  patchSeas_.clear();
  for (const UnitRecord& u : facts.units) {
    if (u.type == kGoldMine) mines_.push_back({u.row, u.column});
    if (u.type != kOilPatch) continue;
    std::vector<uint16_t> seas;
    const int side = FootprintSide(kOilPatch);
    for (int r = u.row; r < u.row + side; ++r)
      for (int c = u.column; c < u.column + side; ++c)
        if (r >= 1 && r <= n_ && c >= 1 && c <= n_ && sea[(r - 1) * n_ + c - 1])
          seas.push_back(sea[(r - 1) * n_ + c - 1]);
    patchSeas_.push_back(std::move(seas));
  }
  figures_ = {};
  for (auto& row : walksBetween_) row.fill(kNone);
  passSeen_.resize(cells);
  passBest_.resize(cells);
  walked_ = {};
  nearestMine_.fill(kNone);
  // Filled before every count; the search marks the states it has seen with a stamp of its own.
  flowNext_.resize(cells);
  flowPrev_.resize(cells);
  if (seen_.size() != 2 * cells) {
    seen_.assign(2 * cells, 0);
    stamp_ = 0;
  }
  parent_.resize(2 * cells);
  stack_.reserve(2 * cells);
}

unsigned RivalryMeter::StepMask(int at) {
  uint16_t& mask = stepMask_[at];
  if (!(mask & kStepMaskKnown)) {
    mask = kStepMaskKnown;
    for (int d = 0; d < 8; ++d)
      if (CanStep(at / n_ + 1, at % n_ + 1, d)) mask = static_cast<uint16_t>(mask | 1u << d);
  }
  return mask;
}

int RivalryMeter::StepsBeside(const std::vector<int16_t>& steps, int row, int column, int side) const {
  int best = kNone;
  for (int r = row - 1; r <= row + side; ++r)
    for (int c = column - 1; c <= column + side; ++c) {
      if (r < 1 || r > n_ || c < 1 || c > n_ || (r >= row && r < row + side && c >= column && c < column + side))
        continue;
      const int s = steps[(r - 1) * n_ + c - 1];
      if (s != kNone && (best == kNone || s < best)) best = s;
    }
  return best;
}

void RivalryMeter::TakeWalk(int player, const std::vector<int16_t>& steps, std::span<const int32_t> reached,
                            const std::vector<uint64_t>& touchedSeas) {
  const int p = player - 1;
  RivalryFigures& f = figures_[p];
  walked_[p] = true;
  // Without branches: unsigned, none (-1) is more than any count of steps.
  for (int i : reached) {
    const uint32_t s = static_cast<uint32_t>(steps[i]), best = static_cast<uint32_t>(best_[i]);
    const bool better = s < best;
    second_[i] = static_cast<int32_t>(better ? best : std::min(static_cast<uint32_t>(second_[i]), s));
    best_[i] = static_cast<int32_t>(better ? s : best);
    bestWalker_[i] = better ? static_cast<uint8_t>(player) : bestWalker_[i];
  }
  // Mines, the nearest first in the map's order on a tie, as the report takes it.
  mineSteps_[p].assign(mines_.size(), kNone);
  for (std::size_t m = 0; m < mines_.size(); ++m) {
    const int s = StepsBeside(steps, mines_[m].row, mines_[m].column, FootprintSide(kGoldMine));
    mineSteps_[p][m] = s;
    if (s != kNone && (nearestMine_[p] == kNone || s < mineSteps_[p][nearestMine_[p]]))
      nearestMine_[p] = static_cast<int>(m);
  }
  // Trees beside the cells reached within the lumber steps (the walk reaches cells in order of steps).
  for (int i : reached) {
    if (steps[i] > kLumberSteps) break;
    const int row = i / n_ + 1, column = i % n_ + 1;
    for (int d = 0; d < 8; ++d) {
      const int r = row + kWalkRowStep[d], c = column + kWalkColumnStep[d];
      if (r < 1 || r > n_ || c < 1 || c > n_) continue;
      const int j = (r - 1) * n_ + c - 1;
      if (forest_[j] && lumberMark_[j] != player) {
        lumberMark_[j] = static_cast<uint8_t>(player);
        ++f.lumber;
      }
    }
  }
  for (const std::vector<uint16_t>& seas : patchSeas_)
    if (std::any_of(seas.begin(), seas.end(), [&](uint16_t s) { return (touchedSeas[s / 64] >> (s % 64)) & 1; }))
      ++f.oilPatches;
  // The nearest rival start on foot, the lower player on a tie.
  const int from = starts_[p];
  for (int q = 0; q < kPlayers; ++q) {
    if (q == p || starts_[q] == kNone || steps[starts_[q]] == kNone) continue;
    if (!f.walkToRival || steps[starts_[q]] < *f.walkToRival) {
      f.rival = q + 1;
      f.walkToRival = steps[starts_[q]];
    }
  }
  if (!f.rival) return;
  // Every rival as near counts, the widest pass and the most walks among
  // them, so that players whose sides are images of each other read alike.
  for (int q = 0; q < kPlayers; ++q) {
    if (q == p || starts_[q] == kNone || steps[starts_[q]] != *f.walkToRival) continue;
    const int to = starts_[q];
    f.narrowestPass = std::max(f.narrowestPass.value_or(0), NarrowestPass(steps, from, to));
    // Between two walkable starts every step goes both ways, so the count is
    // the same from either end.
    int& walks = walksBetween_[p][q];
    if (walks == kNone) {
      const bool bothWays = from >= 0 && ((*cell_)[from] & walkableBit_) && ((*cell_)[to] & walkableBit_);
      walks = SeparateWalks(from, to);
      if (bothWays) walksBetween_[q][p] = walks;
    }
    f.separateWalks = std::max(f.separateWalks.value_or(0), walks);
  }
}

// The widest open square holding the cell, when it is narrower than under
// (under otherwise): a square ending at (r + dr, c + dc) holds the cell when
// its side is more than both offsets.
int RivalryMeter::PassWidthAt(int at, int under) const {
  const int row = at / n_, column = at % n_;
  int widest = 0;
  for (int dr = 0; dr < kWidestPassCounted && row + dr < n_; ++dr)
    for (int dc = 0; dc < kWidestPassCounted && column + dc < n_; ++dc) {
      const int side = square_[(row + dr) * n_ + column + dc];
      if (side <= std::max(dr, dc)) continue;
      if (side >= under) return under;
      widest = std::max(widest, side);
    }
  return widest;
}

// The widest of the shortest walks, judged by its narrowest cell: the walks
// are followed back from the rival's start, layer by layer of steps, each
// cell keeping the best narrowest width of the walks through it.
int RivalryMeter::NarrowestPass(const std::vector<int16_t>& steps, int from, int to) {
  if (++passStamp_ == 0) {
    std::fill(passSeen_.begin(), passSeen_.end(), 0);
    passStamp_ = 1;
  }
  layer_.assign(1, to);
  passSeen_[to] = passStamp_;
  passBest_[to] = static_cast<uint8_t>(PassWidthAt(to, kWidestPassCounted));
  while (!layer_.empty() && layer_.front() != from) {
    nextLayer_.clear();
    for (int at : layer_) {
      const int row = at / n_ + 1, column = at % n_ + 1;
      for (int d = 0; d < 8; ++d) {
        const int r = row + kWalkRowStep[d], c = column + kWalkColumnStep[d];
        if (r < 1 || r > n_ || c < 1 || c > n_) continue;
        const int j = (r - 1) * n_ + c - 1;
        // A step back is a step forward from j in the opposite direction.
        if (steps[j] != steps[at] - 1 || (d >= kStraightWalkSteps && !Walkable(row, c) && !Walkable(r, column)))
          continue;
        if (passSeen_[j] != passStamp_) {
          passSeen_[j] = passStamp_;
          passBest_[j] = 0;
          nextLayer_.push_back(j);
        }
        passBest_[j] = std::max(passBest_[j], passBest_[at]);  // the best of the walks on from j
      }
    }
    // A cell's own width caps them; it is looked for only up to what they allow.
    for (int j : nextLayer_) passBest_[j] = static_cast<uint8_t>(PassWidthAt(j, passBest_[j]));
    layer_.swap(nextLayer_);
  }
  return passSeen_[from] == passStamp_ ? passBest_[from] : passBest_[to];
}

// Walks that share no cell: a flow where every cell but the two starts
// carries one walk, found one augmenting walk at a time, nearer directions
// first. A state is a cell entered (2i) or left (2i + 1).
int RivalryMeter::SeparateWalks(int from, int to) {
  if (from == to) return kMostSeparateWalks;
  std::fill(flowNext_.begin(), flowNext_.end(), kNone);
  std::fill(flowPrev_.begin(), flowPrev_.end(), kNone);
  directFlow_ = false;
  int walks = 0;
  while (walks < kMostSeparateWalks && FindWayOn(from, to)) ++walks;
  return walks;
}

bool RivalryMeter::FindWayOn(int from, int to) {
  if (++stamp_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  const int toRow = to / n_, toColumn = to % n_;
  const auto flows = [&](int u, int v) {
    if (u == from) return v == to ? directFlow_ : flowPrev_[v] == from;
    return flowNext_[u] == v;
  };
  stack_.clear();
  const auto visit = [&](int state, int parent) {
    if (seen_[state] == stamp_) return;
    seen_[state] = stamp_;
    parent_[state] = parent;
    stack_.push_back(state);
  };
  visit(2 * from + 1, kNone);
  bool found = false;
  while (!stack_.empty() && !found) {
    const int state = stack_.back();
    stack_.pop_back();
    const int u = state / 2;
    if (state % 2 == 0) {  // entered u
      if (flowNext_[u] == kNone)
        visit(2 * u + 1, state);
      else
        visit(2 * flowPrev_[u] + 1, state);  // back along the walk that enters u
      continue;
    }
    if (u != from && flowNext_[u] != kNone) visit(2 * u, state);  // leave u's walk where it came in
    const int row = u / n_ + 1, column = u % n_ + 1;
    const unsigned open = StepMask(u);
    const int toward = (row - 1 < toRow    ? 2
                        : row - 1 == toRow ? 1
                                           : 0) *
                           3 +
                       (column - 1 < toColumn    ? 2
                        : column - 1 == toColumn ? 1
                                                 : 0);
    for (int d : kFarthestFirst[toward]) {
      if (!(open & (1u << d))) continue;
      const int v = (row - 1 + kWalkRowStep[d]) * n_ + column - 1 + kWalkColumnStep[d];
      if (v == from || flows(u, v)) continue;
      if (v == to) {
        parent_[2 * v] = state;
        found = true;
        break;
      }
      visit(2 * v, state);
    }
  }
  if (!found) return false;
  // Walks turned back first, then the new steps: a cell may lose its way in and gain another.
  for (int state = 2 * to; parent_[state] != kNone; state = parent_[state]) {
    const int before = parent_[state];
    if (state % 2 == 1 && before % 2 == 0 && before / 2 != state / 2) {  // entered u, left x: x -> u turned back
      const int u = before / 2, x = state / 2;
      if (x != from) flowNext_[x] = kNone;
      flowPrev_[u] = kNone;
    }
  }
  for (int state = 2 * to; parent_[state] != kNone; state = parent_[state]) {
    const int before = parent_[state];
    if (state % 2 == 0 && before % 2 == 1 && before / 2 != state / 2) {  // left u, entered v: a new step u -> v
      const int u = before / 2, v = state / 2;
      if (v == to) {
        if (u == from)
          directFlow_ = true;
        else
          flowNext_[u] = to;
      } else {
        flowPrev_[v] = u;
        if (u != from) flowNext_[u] = v;
      }
    }
  }
  return true;
}

std::array<RivalryFigures, kPlayers> RivalryMeter::Finish() {
  std::array<int, kPlayers> safe{};
  const std::size_t cells = best_.size();
  for (std::size_t i = 0; i < cells; ++i) {
    if (!((*cell_)[i] & walkableBit_) || best_[i] == kNone) continue;
    if (second_[i] == kNone || kPercent * best_[i] <= (kPercent - kSafeMarginPercent) * second_[i])
      ++safe[bestWalker_[i] - 1];
  }
  for (int p = 0; p < kPlayers; ++p) {
    if (!walked_[p]) continue;
    RivalryFigures& f = figures_[p];
    f.safeAreaPercent = walkableCells_ ? double(kPercent) * safe[p] / walkableCells_ : 0;
    const auto rivalsFewest = [&](std::size_t m) {
      int fewest = kNone;
      for (int q = 0; q < kPlayers; ++q)
        if (q != p && walked_[q] && mineSteps_[q][m] != kNone && (fewest == kNone || mineSteps_[q][m] < fewest))
          fewest = mineSteps_[q][m];
      return fewest;
    };
    if (nearestMine_[p] != kNone) {
      const int rival = rivalsFewest(static_cast<std::size_t>(nearestMine_[p]));
      if (rival != kNone) f.mineSafety = rival - mineSteps_[p][nearestMine_[p]];
    }
    for (std::size_t m = 0; m < mines_.size(); ++m) {
      const int s = mineSteps_[p][m];
      if (s < kExpansionNearestSteps || s > kExpansionFarthestSteps) continue;
      const int rival = rivalsFewest(m);
      if (rival == kNone || s < rival) ++f.expansions;
    }
  }
  return figures_;
}

}  // namespace glenmire
