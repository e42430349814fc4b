// One breadth-first walk per player over the movement map, on work grids
// kept from map to map; the sea is labelled once per map.
#include "report/map_report.h"

#include <algorithm>
#include <span>

#include "core/grids.h"
#include "core/unit_types.h"
#include "report/unit_names.h"

namespace glenmire {

namespace {

constexpr int kCellWalkable = 1;
constexpr int kCellBuildable = 2;
constexpr int kCellNearSea = 4;  // the cell or one beside it is sea

}  // namespace

struct MapReporter::Work {
  int n = 0;
  std::vector<uint8_t> cell;    // kCellWalkable | kCellBuildable, buildings taken out
  std::vector<uint16_t> sea;    // sea body label, 0 for no sea
  std::vector<uint8_t> moves;   // a bit for each direction a walker may step from the cell
  std::array<int, 8> offset{};  // index step of each direction
  std::vector<uint8_t> open;    // walkable cells with a closed border around the map, row length n + 2
  std::vector<int16_t> steps;   // of the walk under way, kNotReached where it has not been (a map holds 16,384 cells)
  std::vector<int32_t> queue;
  std::vector<int32_t> order;                        // the walk's queue, a cell more than the map holds
  std::span<const int32_t> reached;                  // the cells the walk reached, in order
  std::array<std::vector<uint64_t>, kPlayers> seas;  // sea bodies each player's walk touched
  int bodies = 0;
  RivalryMeter rivals;

  int Index(int row, int column) const { return (row - 1) * n + (column - 1); }
  bool Inside(int row, int column) const { return row >= 1 && row <= n && column >= 1 && column <= n; }

  void Prepare(const MapFacts& facts) {
    n = facts.mapSize;
    const std::size_t cells = static_cast<std::size_t>(n) * n;
    cell.assign(cells, 0);
    for (std::size_t i = 0; i < cells; ++i) {
      const uint8_t code = facts.movement[i];
      cell[i] = static_cast<uint8_t>((IsWalkableCode(code) ? kCellWalkable : 0) |
                                     (IsBuildableCode(code) ? kCellBuildable : 0));
    }
    for (const UnitRecord& u : facts.units) {
      if (!IsBuilding(u.type)) continue;
      const int side = FootprintSide(u.type);
      for (int r = u.row; r < u.row + side; ++r)
        for (int c = u.column; c < u.column + side; ++c)
          if (Inside(r, c)) cell[Index(r, c)] = 0;
    }
    steps.assign(cells, int16_t{kNotReached});
    queue.resize(cells);
    order.resize(cells + 1);
    reached = {};
    LabelSeas(facts);
    FindMoves();
  }

  // The steps a walker may take from each cell: onto a walkable cell, and on
  // a diagonal only past one open cell beside it. The closed border keeps
  // the walks on the map without bounds tests.
  void FindMoves() {
    const int wide = n + 2;
    open.assign(static_cast<std::size_t>(wide) * wide, 0);
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c) open[(r + 1) * wide + c + 1] = cell[r * n + c] & kCellWalkable;
    for (int d = 0; d < 8; ++d) offset[d] = kWalkRowStep[d] * n + kWalkColumnStep[d];
    moves.resize(static_cast<std::size_t>(n) * n);
    for (int r = 0; r < n; ++r) {
      const uint8_t* at = &open[(r + 1) * wide + 1];
      uint8_t* out = &moves[r * n];
      for (int c = 0; c < n; ++c) {
        const uint8_t up = at[c - wide], down = at[c + wide], left = at[c - 1], right = at[c + 1];
        out[c] = static_cast<uint8_t>(up | down << 1 | left << 2 | right << 3 | (at[c - wide - 1] & (up | left)) << 4 |
                                      (at[c - wide + 1] & (up | right)) << 5 | (at[c + wide - 1] & (down | left)) << 6 |
                                      (at[c + wide + 1] & (down | right)) << 7);
      }
    }
  }

  void MarkSeas(int at, std::vector<uint64_t>& touched) const {
    const int row = at / n + 1, column = at % n + 1;
    for (int r = std::max(row - 1, 1); r <= std::min(row + 1, n); ++r)
      for (int c = std::max(column - 1, 1); c <= std::min(column + 1, n); ++c)
        if (const uint16_t body = sea[Index(r, c)]) touched[body / 64] |= uint64_t{1} << (body % 64);
  }

  // Eight-connected bodies of sea cells; ships turn on any corner.
  void LabelSeas(const MapFacts& facts) {
    const std::size_t cells = static_cast<std::size_t>(n) * n;
    sea.assign(cells, 0);
    bodies = 0;
    for (std::size_t start = 0; start < cells; ++start) {
      if (sea[start] || !IsSeaCode(facts.movement[start])) continue;
      const uint16_t label = static_cast<uint16_t>(std::min(++bodies, 65535));
      std::size_t head = 0, tail = 0;
      queue[tail++] = static_cast<int32_t>(start);
      sea[start] = label;
      while (head < tail) {
        const int at = queue[head++];
        const int row = at / n + 1, column = at % n + 1;
        for (int d = 0; d < 8; ++d) {
          const int r = row + kWalkRowStep[d], c = column + kWalkColumnStep[d];
          if (!Inside(r, c)) continue;
          const int i = Index(r, c);
          if (sea[i] || !IsSeaCode(facts.movement[i])) continue;
          sea[i] = label;
          queue[tail++] = i;
        }
      }
    }
    bodies = std::min(bodies, 65535);
    for (int r = 1; r <= n; ++r)
      for (int c = 1; c <= n; ++c) {
        if (!sea[Index(r, c)]) continue;
        for (int nr = std::max(r - 1, 1); nr <= std::min(r + 1, n); ++nr)
          for (int nc = std::max(c - 1, 1); nc <= std::min(c + 1, n); ++nc) cell[Index(nr, nc)] |= kCellNearSea;
      }
  }

  // Steps from the start over walkable cells; a diagonal step needs one of
  // the two cells beside it open, so walkers never squeeze between two
  // blocked corners. The start itself always counts as reached.
  void Walk(int startRow, int startColumn, std::vector<uint64_t>& touched) {
    for (int i : reached) steps[i] = kNotReached;
    reached = {};
    touched.assign(static_cast<std::size_t>(bodies / 64 + 1), 0);
    if (!Inside(startRow, startColumn)) return;
    const int first = Index(startRow, startColumn);
    steps[first] = 0;
    int32_t* line = order.data();
    std::size_t tail = 0;
    line[tail++] = first;
    for (std::size_t head = 0; head < tail; ++head) {
      const int at = line[head];
      if (cell[at] & kCellNearSea) MarkSeas(at, touched);
      const int next = steps[at] + 1;
      const unsigned way = moves[at];
      // Without branches: a closed direction looks at the cell itself, which
      // the walk has been to; a cell seen before is written past the end.
      for (int d = 0; d < 8; ++d) {
        const int i = (way >> d & 1) ? at + offset[d] : at;
        const bool fresh = steps[i] == kNotReached;
        steps[i] = fresh ? static_cast<int16_t>(next) : steps[i];
        line[tail] = i;
        tail += fresh;
      }
    }
    reached = {order.data(), tail};
  }

  int StepsAt(int row, int column) const { return Inside(row, column) ? steps[Index(row, column)] : kNotReached; }

  // Steps to the nearest cell beside a square (diagonals included).
  int StepsBeside(int row, int column, int side) const {
    int best = kNotReached;
    for (int r = row - 1; r <= row + side; ++r)
      for (int c = column - 1; c <= column + side; ++c) {
        if (r >= row && r < row + side && c >= column && c < column + side) continue;
        const int s = StepsAt(r, c);
        if (s != kNotReached && (best == kNotReached || s < best)) best = s;
      }
    return best;
  }

  bool InRoom(int row, int column) const {
    if (!Inside(row, column)) return false;
    const int i = Index(row, column);
    return (cell[i] & kCellBuildable) && steps[i] != kNotReached && steps[i] <= kRoomSteps;
  }

  void MeasureRoom(PlayerReport& p) const {
    p.buildableRoom = 0;
    for (int i : reached) {  // in order of steps
      if (steps[i] > kRoomSteps) break;
      if (cell[i] & kCellBuildable) ++p.buildableRoom;
    }
    p.townHallFits = false;
    for (int top = p.startRow - kRoomSteps; top <= p.startRow + kRoomSteps && !p.townHallFits; ++top)
      for (int left = p.startColumn - kRoomSteps; left <= p.startColumn + kRoomSteps && !p.townHallFits; ++left) {
        bool fits = true;
        for (int r = top; r < top + kTownHallSide && fits; ++r)
          for (int c = left; c < left + kTownHallSide && fits; ++c) fits = InRoom(r, c);
        p.townHallFits = fits;
      }
  }
};

int PlayerReport::UnitsOfKind(uint8_t kind) const {
  for (const KindCount& k : units)
    if (k.kind == kind) return k.count;
  return 0;
}

const char* MeetingName(Meeting m) {
  switch (m) {
    case Meeting::kOnFoot: return "on foot";
    case Meeting::kBySea: return "by sea";
    case Meeting::kApart: return "apart";
  }
  return "apart";
}

std::vector<int> MapReport::ActivePlayers() const {
  std::vector<int> active;
  for (const PlayerReport& p : players)
    if (p.active) active.push_back(p.player);
  return active;
}

MapReporter::MapReporter() : work_(std::make_unique<Work>()) {}
MapReporter::~MapReporter() = default;

MapReport MapReporter::Report(const MapFacts& facts) {
  Work& w = *work_;
  w.Prepare(facts);

  MapReport report;
  report.mapSize = facts.mapSize;
  report.climate = facts.climate;
  report.cells = facts.mapSize * facts.mapSize;
  for (uint8_t code : facts.movement) {
    if (IsWaterCode(code)) ++report.waterCells;
    if (IsBuildableCode(code)) ++report.buildableCells;
  }
  report.landCells = report.cells - report.waterCells;

  for (int p = 1; p <= kPlayers; ++p) {
    PlayerReport& player = report.players[p - 1];
    player.player = p;
    player.controller = facts.controller[p - 1];
    player.race = facts.race[p - 1];
    player.active = IsActiveController(player.controller);
    player.gold = facts.gold[p - 1];
    player.lumber = facts.lumber[p - 1];
    player.oil = facts.oil[p - 1];
  }
  std::vector<const UnitRecord*> mines;
  for (const UnitRecord& u : facts.units) {
    if (u.type == kGoldMine) {
      ++report.goldMines;
      report.gold += int64_t{u.data} * kResourceStep;
      mines.push_back(&u);
    }
    if (u.type == kOilPatch) ++report.oilPatches;
    if (u.owner >= kPlayers) continue;
    PlayerReport& owner = report.players[u.owner];
    if (u.type == kCritter) {
      ++owner.critters;
      continue;
    }
    if ((u.type == kHumanStart || u.type == kOrcStart) && !owner.hasStart) {
      owner.hasStart = true;
      owner.startRow = u.row;
      owner.startColumn = u.column;
    }
    const uint8_t kind = UnitKind(u.type);
    auto at = std::find_if(owner.units.begin(), owner.units.end(), [&](const KindCount& k) { return k.kind == kind; });
    if (at == owner.units.end())
      owner.units.push_back({kind, 1});
    else
      ++at->count;
  }
  for (PlayerReport& p : report.players)
    std::sort(p.units.begin(), p.units.end(), [](const KindCount& a, const KindCount& b) { return a.kind < b.kind; });

  std::array<int, kPlayers> starts;
  for (const PlayerReport& p : report.players)
    starts[p.player - 1] =
        p.active && p.hasStart && w.Inside(p.startRow, p.startColumn) ? w.Index(p.startRow, p.startColumn) : -1;
  w.rivals.Begin(facts, w.cell, kCellWalkable, w.sea, starts);

  // Walking steps from each measured player to every other start.
  std::array<std::array<int, kPlayers>, kPlayers> between{};
  for (PlayerReport& p : report.players) {
    if (!p.active || !p.hasStart) continue;
    w.Walk(p.startRow, p.startColumn, w.seas[p.player - 1]);
    p.walkableArea = static_cast<int>(w.reached.size());
    for (const UnitRecord* mine : mines) {
      const int s = w.StepsBeside(mine->row, mine->column, FootprintSide(kGoldMine));
      if (s == kNotReached) continue;
      if (s <= kMineReachSteps) ++p.minesInReach;
      if (p.nearestMineSteps == kNotReached || s < p.nearestMineSteps) {
        p.nearestMineSteps = s;
        p.nearestMineRow = mine->row;
        p.nearestMineColumn = mine->column;
        p.nearestMineGold = mine->data * kResourceStep;
      }
    }
    w.MeasureRoom(p);
    w.rivals.TakeWalk(p.player, w.steps, w.reached, w.seas[p.player - 1]);
    for (const PlayerReport& q : report.players)
      between[p.player - 1][q.player - 1] = q.hasStart ? w.StepsAt(q.startRow, q.startColumn) : kNotReached;
  }

  for (const PlayerReport& a : report.players) {
    if (!a.active || !a.hasStart) continue;
    for (const PlayerReport& b : report.players) {
      if (b.player <= a.player || !b.active || !b.hasStart) continue;
      PairReport pair{a.player, b.player, Meeting::kApart, between[a.player - 1][b.player - 1]};
      if (pair.steps != kNotReached) {
        pair.meeting = Meeting::kOnFoot;
      } else {
        const auto& sa = w.seas[a.player - 1];
        const auto& sb = w.seas[b.player - 1];
        for (std::size_t i = 0; i < sa.size() && i < sb.size(); ++i)
          if (sa[i] & sb[i]) pair.meeting = Meeting::kBySea;
      }
      report.pairs.push_back(pair);
    }
  }
  const std::array<RivalryFigures, kPlayers> rivalry = w.rivals.Finish();
  for (PlayerReport& p : report.players) p.rivalry = rivalry[p.player - 1];
  return report;
}

MapReport ReportMap(const MapFacts& facts) {
  MapReporter reporter;
  return reporter.Report(facts);
}

}  // namespace glenmire
