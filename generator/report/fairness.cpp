#include "report/fairness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "report/unit_names.h"

namespace glenmire {

namespace {

constexpr int kLargestRuleNumber = 100000;

std::string Player(int player) { return PlayerColourName(player); }

std::string Ratio(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

bool Measured(const PlayerReport& p) { return p.active && p.hasStart; }

class Judge {
 public:
  Judge(const MapReport& report, Verdict& verdict) : report_(report), verdict_(verdict) {}

  void Fail(FairRule rule, std::string text) { verdict_.failures.push_back({rule, std::move(text)}); }

  void Starts() {
    for (const PlayerReport& p : report_.players)
      if (p.active && !p.hasStart) Fail(FairRule::kStarts, Player(p.player) + " has no start location");
  }

  void MineSteps(int limit) {
    for (const PlayerReport& p : report_.players) {
      if (!Measured(p)) continue;
      if (p.nearestMineSteps == kNotReached)
        Fail(FairRule::kMineSteps, Player(p.player) + " has no gold mine in walking reach");
      else if (p.nearestMineSteps > limit)
        Fail(FairRule::kMineSteps, Player(p.player) + "'s nearest gold mine is " + std::to_string(p.nearestMineSteps) +
                                       " steps away on foot (at most " + std::to_string(limit) + ")");
    }
  }

  void MineSpread(int limit) {
    const PlayerReport* nearest = nullptr;
    const PlayerReport* farthest = nullptr;
    const PlayerReport* withMine = nullptr;
    const PlayerReport* without = nullptr;
    for (const PlayerReport& p : report_.players) {
      if (!Measured(p)) continue;
      if (p.nearestMineSteps == kNotReached) {
        if (!without) without = &p;
        continue;
      }
      if (!withMine) withMine = &p;
      if (!nearest || p.nearestMineSteps < nearest->nearestMineSteps) nearest = &p;
      if (!farthest || p.nearestMineSteps > farthest->nearestMineSteps) farthest = &p;
    }
    if (withMine && without) {
      Fail(FairRule::kMineSpread,
           Player(withMine->player) + " walks to a gold mine, " + Player(without->player) + " to none");
      return;
    }
    if (!nearest) return;
    const int spread = farthest->nearestMineSteps - nearest->nearestMineSteps;
    if (spread > limit)
      Fail(FairRule::kMineSpread, "the nearest gold mines lie " + std::to_string(nearest->nearestMineSteps) + " (" +
                                      Player(nearest->player) + ") to " + std::to_string(farthest->nearestMineSteps) +
                                      " (" + Player(farthest->player) + ") steps away, " + std::to_string(spread) +
                                      " apart (at most " + std::to_string(limit) + ")");
  }

  void Meet(MeetRule rule) {
    for (const PairReport& pair : report_.pairs) {
      const std::string both = Player(pair.first) + " and " + Player(pair.second);
      if (pair.meeting == Meeting::kApart)
        Fail(FairRule::kMeet, both + " cannot meet, on foot or by sea");
      else if (pair.meeting == Meeting::kBySea && rule == MeetRule::kOnFoot)
        Fail(FairRule::kMeet, both + " meet only by sea");
    }
  }

  void MinRoom(int least) {
    for (const PlayerReport& p : report_.players)
      if (Measured(p) && p.buildableRoom < least)
        Fail(FairRule::kMinRoom, Player(p.player) + " has " + std::to_string(p.buildableRoom) +
                                     " buildable cells within " + std::to_string(kRoomSteps) + " steps (at least " +
                                     std::to_string(least) + ")");
  }

  void RoomRatio(double most) {
    const PlayerReport* smallest = nullptr;
    const PlayerReport* largest = nullptr;
    for (const PlayerReport& p : report_.players) {
      if (!Measured(p)) continue;
      if (!smallest || p.buildableRoom < smallest->buildableRoom) smallest = &p;
      if (!largest || p.buildableRoom > largest->buildableRoom) largest = &p;
    }
    if (!smallest || smallest == largest || largest->buildableRoom == 0) return;
    const std::string range = "buildable room ranges from " + std::to_string(smallest->buildableRoom) + " (" +
                              Player(smallest->player) + ") to " + std::to_string(largest->buildableRoom) + " (" +
                              Player(largest->player) + ") cells";
    if (smallest->buildableRoom == 0) {
      Fail(FairRule::kRoomRatio, range + " (at most " + Ratio(most) + " x)");
      return;
    }
    const double ratio = double(largest->buildableRoom) / smallest->buildableRoom;
    if (ratio > most + 1e-9)
      Fail(FairRule::kRoomRatio, range + ", " + Ratio(ratio) + " x (at most " + Ratio(most) + " x)");
  }

  void SameStart(const StartGroups& groups) {
    for (const PlayerReport& a : report_.players) {
      const int group = groups.group[a.player - 1];
      if (!Measured(a) || group == StartGroups::kNoGroup) continue;
      // Each player is compared with the first of its group.
      const PlayerReport* first = nullptr;
      for (const PlayerReport& q : report_.players)
        if (Measured(q) && groups.group[q.player - 1] == group) {
          first = &q;
          break;
        }
      if (first == &a) continue;
      Compare(*first, a);
    }
  }

  // The largest value of a rival figure less the smallest, at most `limit`.
  void Spread(FairRule rule, const RivalryFigure& figure, const char* what, const char* unit, int limit) {
    const PlayerReport* least = nullptr;
    const PlayerReport* most = nullptr;
    for (const PlayerReport& p : report_.players) {
      if (!Measured(p) || !figure.value(p.rivalry)) continue;
      const double v = *figure.value(p.rivalry);
      if (!least || v < *figure.value(least->rivalry)) least = &p;
      if (!most || v > *figure.value(most->rivalry)) most = &p;
    }
    if (!least) return;
    const double low = *figure.value(least->rivalry), high = *figure.value(most->rivalry);
    if (high - low <= limit + 1e-9) return;
    Fail(rule, std::string(what) + " ranges from " + Ratio(low) + " (" + Player(least->player) + ") to " + Ratio(high) +
                   " (" + Player(most->player) + ")" + unit + ", " + Ratio(high - low) + " apart (at most " +
                   std::to_string(limit) + ")");
  }

 private:
  void Compare(const PlayerReport& a, const PlayerReport& b) {
    const std::string both = Player(a.player) + " and " + Player(b.player) + " are set up alike, but ";
    std::vector<uint8_t> kinds;
    for (const KindCount& k : a.units) kinds.push_back(k.kind);
    for (const KindCount& k : b.units) kinds.push_back(k.kind);
    std::sort(kinds.begin(), kinds.end());
    kinds.erase(std::unique(kinds.begin(), kinds.end()), kinds.end());
    for (uint8_t kind : kinds) {
      const int na = a.UnitsOfKind(kind), nb = b.UnitsOfKind(kind);
      if (na != nb)
        Fail(FairRule::kSameStart, both + Player(a.player) + " has " + std::to_string(na) + " " + UnitKindName(kind) +
                                       ", " + Player(b.player) + " " + std::to_string(nb));
    }
    const std::tuple<const char*, int32_t, int32_t> amounts[] = {
        {"gold", a.gold, b.gold}, {"lumber", a.lumber, b.lumber}, {"oil", a.oil, b.oil}};
    for (const auto& [name, na, nb] : amounts)
      if (na != nb)
        Fail(FairRule::kSameStart, both + Player(a.player) + " starts with " + std::to_string(na) + " " + name + ", " +
                                       Player(b.player) + " with " + std::to_string(nb));
  }

  const MapReport& report_;
  Verdict& verdict_;
};

std::optional<int> ParseCount(std::string_view text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > kLargestRuleNumber) return std::nullopt;
  return value;
}

std::optional<double> ParseRatio(std::string_view text) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789.") != std::string_view::npos)
    return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(value) || value < 1.0 || value > kLargestRuleNumber)
    return std::nullopt;
  return value;
}

std::optional<bool> ParseSwitch(std::string_view text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

}  // namespace

std::string_view FairRuleName(FairRule rule) {
  switch (rule) {
    case FairRule::kStarts: return "starts";
    case FairRule::kMineSteps: return "mine-steps";
    case FairRule::kMineSpread: return "mine-spread";
    case FairRule::kMeet: return "meet";
    case FairRule::kMinRoom: return "min-room";
    case FairRule::kRoomRatio: return "room-ratio";
    case FairRule::kSameStart: return "same-start";
    case FairRule::kExpansionsSpread: return "expansions-spread";
    case FairRule::kSafeAreaSpread: return "safe-area-spread";
  }
  return "";
}

std::string DescribeFairRule(const FairnessRules& r, FairRule rule) {
  const std::string off = "(off)";
  switch (rule) {
    case FairRule::kStarts: return r.starts ? "every active player has its start location" : off;
    case FairRule::kMineSteps:
      return r.mineSteps ? "each start has a gold mine within " + std::to_string(*r.mineSteps) + " steps on foot" : off;
    case FairRule::kMineSpread:
      return r.mineSpread
                 ? "the players' nearest-mine distances differ by at most " + std::to_string(*r.mineSpread) + " steps"
                 : off;
    case FairRule::kMeet:
      switch (r.meet) {
        case MeetRule::kOnFoot: return "every pair of active players meets on foot";
        case MeetRule::kBySea: return "every pair of active players meets on foot or by sea";
        case MeetRule::kOff: return off;
      }
      return off;
    case FairRule::kMinRoom:
      return r.minRoom ? "each start has at least " + std::to_string(*r.minRoom) + " buildable cells within " +
                             std::to_string(kRoomSteps) + " steps"
                       : off;
    case FairRule::kRoomRatio:
      return r.roomRatio ? "the largest buildable room is at most " + Ratio(*r.roomRatio) + " x the smallest" : off;
    case FairRule::kSameStart:
      return r.sameStart ? "players set up alike end with the same startup units and start resources" : off;
    case FairRule::kExpansionsSpread:
      return r.expansionsSpread
                 ? "the players' expansions differ by at most " + std::to_string(*r.expansionsSpread) + " mines"
                 : off;
    case FairRule::kSafeAreaSpread:
      return r.safeAreaSpread ? "the players' safe areas differ by at most " + std::to_string(*r.safeAreaSpread) +
                                    " % of the walkable cells"
                              : off;
  }
  return off;
}

std::optional<std::string> SetFairRule(FairnessRules& rules, std::string_view assignment) {
  const std::size_t eq = assignment.find('=');
  if (eq == std::string_view::npos) return "a fairness rule is NAME=VALUE, not \"" + std::string(assignment) + "\"";
  const std::string_view name = assignment.substr(0, eq);
  const std::string_view value = assignment.substr(eq + 1);
  const auto bad = [&](const char* wanted) {
    return "the rule " + std::string(name) + " takes " + wanted + ", not \"" + std::string(value) + "\"";
  };
  const bool off = value == "off";
  const auto count = [&](std::optional<int>& field) -> std::optional<std::string> {
    if (off) {
      field.reset();
      return std::nullopt;
    }
    const auto n = ParseCount(value);
    if (!n) return bad("a whole number 0..100000 or off");
    field = *n;
    return std::nullopt;
  };
  const auto toggle = [&](bool& field) -> std::optional<std::string> {
    const auto on = ParseSwitch(value);
    if (!on) return bad("on or off");
    field = *on;
    return std::nullopt;
  };
  if (name == "starts") return toggle(rules.starts);
  if (name == "same-start") return toggle(rules.sameStart);
  if (name == "mine-steps") return count(rules.mineSteps);
  if (name == "mine-spread") return count(rules.mineSpread);
  if (name == "min-room") return count(rules.minRoom);
  if (name == "expansions-spread") return count(rules.expansionsSpread);
  if (name == "safe-area-spread") return count(rules.safeAreaSpread);
  if (name == "room-ratio") {
    if (off) {
      rules.roomRatio.reset();
      return std::nullopt;
    }
    const auto ratio = ParseRatio(value);
    if (!ratio) return bad("a ratio of at least 1 (such as 1.5) or off");
    rules.roomRatio = *ratio;
    return std::nullopt;
  }
  if (name == "meet") {
    if (value == "foot")
      rules.meet = MeetRule::kOnFoot;
    else if (value == "sea")
      rules.meet = MeetRule::kBySea;
    else if (off)
      rules.meet = MeetRule::kOff;
    else
      return bad("foot, sea or off");
    return std::nullopt;
  }
  std::string known;
  for (FairRule rule : kAllFairRules) known += (known.empty() ? "" : ", ") + std::string(FairRuleName(rule));
  return "unknown fairness rule \"" + std::string(name) + "\" (the rules: " + known + ")";
}

StartGroups StartGroupsFromSettings(const SettingsRecord& r) {
  StartGroups groups;
  using Key = std::tuple<int, int32_t, int32_t, int32_t>;
  std::vector<Key> keys;
  for (int p = 0; p < kPlayers; ++p) {
    if (r.DifficultyRandom[p] || r.RandomStartGold[p] || r.RandomStartLumber[p] || r.RandomStartOil[p]) {
      groups.group[p] = StartGroups::kNoGroup;
      continue;
    }
    const Key key{r.Difficulty[p], r.StartGold[p], r.StartLumber[p], r.StartOil[p]};
    auto at = std::find(keys.begin(), keys.end(), key);
    if (at == keys.end()) at = keys.insert(keys.end(), key);
    groups.group[p] = static_cast<int>(at - keys.begin());
  }
  return groups;
}

StartGroups AllStartAlike() {
  StartGroups groups;
  groups.group.fill(0);
  return groups;
}

bool Verdict::Fails(FairRule rule) const {
  return std::any_of(failures.begin(), failures.end(), [&](const RuleFailure& f) { return f.rule == rule; });
}

Verdict JudgeMap(const MapReport& report, const FairnessRules& rules, const StartGroups& groups) {
  Verdict verdict;
  Judge judge(report, verdict);
  if (rules.starts) judge.Starts();
  if (rules.mineSteps) judge.MineSteps(*rules.mineSteps);
  if (rules.mineSpread) judge.MineSpread(*rules.mineSpread);
  if (rules.meet != MeetRule::kOff) judge.Meet(rules.meet);
  if (rules.minRoom) judge.MinRoom(*rules.minRoom);
  if (rules.roomRatio) judge.RoomRatio(*rules.roomRatio);
  if (rules.sameStart) judge.SameStart(groups);
  if (rules.expansionsSpread)
    judge.Spread(FairRule::kExpansionsSpread, kRivalryFigures[kExpansionsFigure], "expansions", " mines",
                 *rules.expansionsSpread);
  if (rules.safeAreaSpread)
    judge.Spread(FairRule::kSafeAreaSpread, kRivalryFigures[kSafeAreaFigure], "the safe area",
                 " % of the walkable cells", *rules.safeAreaSpread);
  return verdict;
}

}  // namespace glenmire
