// The fairness rules a map report is judged by, and the verdict: "fair", or
// every rule the map fails, each in words. The rules are plain data, so the
// command's flags and the window's menu set the same thing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_record.h"
#include "report/map_report.h"

namespace glenmire {

enum class FairRule {
  kStarts,            // every active player has its start location
  kMineSteps,         // a gold mine within so many steps on foot of every start
  kMineSpread,        // the players' nearest-mine distances differ by at most so many steps
  kMeet,              // every pair of players meets on foot (or by sea, when allowed)
  kMinRoom,           // at least so many buildable cells near every start
  kRoomRatio,         // the largest room at most so many times the smallest
  kSameStart,         // players set up alike start alike
  kExpansionsSpread,  // the players' expansions differ by at most so many mines
  kSafeAreaSpread,    // the players' safe areas differ by at most so many points of the walkable land
};
inline constexpr int kFairRules = 9;
inline constexpr std::array<FairRule, kFairRules> kAllFairRules = {
    FairRule::kStarts,    FairRule::kMineSteps,        FairRule::kMineSpread,
    FairRule::kMeet,      FairRule::kMinRoom,          FairRule::kRoomRatio,
    FairRule::kSameStart, FairRule::kExpansionsSpread, FairRule::kSafeAreaSpread};

enum class MeetRule { kOnFoot, kBySea, kOff };

struct FairnessRules {
  bool starts = true;
  std::optional<int> mineSteps = kMineReachSteps;  // nothing: not checked
  std::optional<int> mineSpread = 8;
  MeetRule meet = MeetRule::kOnFoot;
  std::optional<int> minRoom = 40;
  std::optional<double> roomRatio = 1.5;
  bool sameStart = true;
  std::optional<int> expansionsSpread;  // off unless asked for
  std::optional<int> safeAreaSpread;

  bool operator==(const FairnessRules&) const = default;
};

// The rule's name as `--fair-rule NAME=VALUE` takes it ("mine-steps").
std::string_view FairRuleName(FairRule rule);
// What the rule asks, with its value ("each start has a gold mine within 20
// steps on foot"); "(off)" when it is not checked.
std::string DescribeFairRule(const FairnessRules& rules, FairRule rule);
// One rule changed from "NAME=VALUE": a number (steps, cells, a ratio such as
// 1.5), "on"/"off" for starts and same-start, "foot"/"sea"/"off" for meet;
// "off" turns any rule off. Returns why the text was refused, or nothing.
std::optional<std::string> SetFairRule(FairnessRules& rules, std::string_view assignment);

// Which players are set up to start alike: the same group number means the
// same startup level and the same start gold, lumber and oil, none of them
// random. kNoGroup takes part in no comparison.
struct StartGroups {
  static constexpr int kNoGroup = -1;
  std::array<int, kPlayers> group{};
};
// From the settings a map is made with.
StartGroups StartGroupsFromSettings(const SettingsRecord& r);
// Every player in one group: for a map whose settings are not known.
StartGroups AllStartAlike();

struct RuleFailure {
  FairRule rule;
  std::string text;  // "Blue's nearest gold mine is 27 steps away on foot (at most 20)"
};

struct Verdict {
  std::vector<RuleFailure> failures;  // in rule order, one or more per failed rule
  bool Fair() const { return failures.empty(); }
  bool Fails(FairRule rule) const;
};

Verdict JudgeMap(const MapReport& report, const FairnessRules& rules, const StartGroups& groups);

}  // namespace glenmire
