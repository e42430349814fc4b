// The fairness rules: which rules a report fails, how the flags' texts
// change them, and which players the settings set up alike.
#include "report/fairness.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/unit_types.h"
#include "settings/defaults.h"

namespace glenmire {
namespace {

// Two players that pass every default rule: mines 10 and 14 steps away,
// 100 and 140 cells of room, meeting on foot, the same start.
MapReport TwoFairPlayers() {
  MapReport report;
  report.mapSize = 64;
  for (int p = 1; p <= kPlayers; ++p) report.players[p - 1].player = p;
  for (int p : {1, 2}) {
    PlayerReport& player = report.players[p - 1];
    player.controller = kControllerComputer;
    player.active = player.hasStart = true;
    player.units = {{kPeasant, 1}, {kTownHall, 1}, {kHumanStart, 1}};
    player.gold = player.lumber = player.oil = 1000;
  }
  report.players[0].nearestMineSteps = 10;
  report.players[1].nearestMineSteps = 14;
  report.players[0].buildableRoom = 100;
  report.players[1].buildableRoom = 140;
  report.pairs = {{1, 2, Meeting::kOnFoot, 50}};
  return report;
}

struct RuleCase {
  const char* name;
  std::function<void(MapReport&)> change;
  std::vector<std::string> rules;  // NAME=VALUE, applied to the defaults
  std::set<FairRule> fails;
};

TEST(FairnessTest, EachRuleFailsOnlyTheMapsItIsAbout) {
  const RuleCase cases[] = {
      {"two fair players", [](MapReport&) {}, {}, {}},
      {"a player without its start",
       [](MapReport& r) {
         r.players[1].hasStart = false;
         r.pairs.clear();
       },
       {},
       {FairRule::kStarts}},
      {"... not checked",
       [](MapReport& r) {
         r.players[1].hasStart = false;
         r.pairs.clear();
       },
       {"starts=off"},
       {}},
      {"a mine 21 steps away",
       [](MapReport& r) {
         r.players[1].nearestMineSteps = 21;
         r.players[0].nearestMineSteps = 14;
       },
       {},
       {FairRule::kMineSteps}},
      {"... within a wider reach",
       [](MapReport& r) {
         r.players[1].nearestMineSteps = 21;
         r.players[0].nearestMineSteps = 14;
       },
       {"mine-steps=25"},
       {}},
      {"no mine on foot for one",
       [](MapReport& r) { r.players[1].nearestMineSteps = kNotReached; },
       {},
       {FairRule::kMineSteps, FairRule::kMineSpread}},
      {"mines 9 steps apart", [](MapReport& r) { r.players[1].nearestMineSteps = 19; }, {}, {FairRule::kMineSpread}},
      {"... with a spread of 9 allowed",
       [](MapReport& r) { r.players[1].nearestMineSteps = 19; },
       {"mine-spread=9"},
       {}},
      {"meeting only by sea",
       [](MapReport& r) {
         r.pairs[0] = {1, 2, Meeting::kBySea, kNotReached};
       },
       {},
       {FairRule::kMeet}},
      {"... with the sea allowed",
       [](MapReport& r) {
         r.pairs[0] = {1, 2, Meeting::kBySea, kNotReached};
       },
       {"meet=sea"},
       {}},
      {"not meeting at all, sea allowed",
       [](MapReport& r) {
         r.pairs[0] = {1, 2, Meeting::kApart, kNotReached};
       },
       {"meet=sea"},
       {FairRule::kMeet}},
      {"... meeting not checked",
       [](MapReport& r) {
         r.pairs[0] = {1, 2, Meeting::kApart, kNotReached};
       },
       {"meet=off"},
       {}},
      {"39 cells of room",
       [](MapReport& r) {
         r.players[0].buildableRoom = 39;
         r.players[1].buildableRoom = 45;
       },
       {},
       {FairRule::kMinRoom}},
      {"room 1.5 x exactly", [](MapReport& r) { r.players[1].buildableRoom = 150; }, {}, {}},
      {"room 1.51 x", [](MapReport& r) { r.players[1].buildableRoom = 151; }, {}, {FairRule::kRoomRatio}},
      {"... with 2 x allowed", [](MapReport& r) { r.players[1].buildableRoom = 151; }, {"room-ratio=2"}, {}},
      {"no room for one",
       [](MapReport& r) { r.players[0].buildableRoom = 0; },
       {"min-room=off"},
       {FairRule::kRoomRatio}},
      {"a town hall for one only",
       [](MapReport& r) {
         r.players[1].units = {{kPeasant, 1}, {kHumanStart, 1}};
       },
       {},
       {FairRule::kSameStart}},
      {"compensation for one only", [](MapReport& r) { r.players[0].gold = 1400; }, {}, {FairRule::kSameStart}},
      {"... not checked", [](MapReport& r) { r.players[0].gold = 1400; }, {"same-start=off"}, {}},
      {"expansions 0 and 2: off by default", [](MapReport& r) { r.players[1].rivalry.expansions = 2; }, {}, {}},
      {"... 2 apart, at most 1",
       [](MapReport& r) { r.players[1].rivalry.expansions = 2; },
       {"expansions-spread=1"},
       {FairRule::kExpansionsSpread}},
      {"... at most 2", [](MapReport& r) { r.players[1].rivalry.expansions = 2; }, {"expansions-spread=2"}, {}},
      {"safe areas 30 and 40.5 %, at most 10 points apart",
       [](MapReport& r) { r.players[0].rivalry.safeAreaPercent = 30, r.players[1].rivalry.safeAreaPercent = 40.5; },
       {"safe-area-spread=10"},
       {FairRule::kSafeAreaSpread}},
      {"... at most 11",
       [](MapReport& r) { r.players[0].rivalry.safeAreaPercent = 30, r.players[1].rivalry.safeAreaPercent = 40.5; },
       {"safe-area-spread=11"},
       {}},
      {"rescue players are not measured",
       [](MapReport& r) {
         r.players[2].controller = kControllerRescuePassive;
         r.players[2].hasStart = false;
       },
       {},
       {}},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    MapReport report = TwoFairPlayers();
    c.change(report);
    FairnessRules rules;
    for (const std::string& rule : c.rules) ASSERT_EQ(SetFairRule(rules, rule), std::nullopt) << rule;
    const Verdict verdict = JudgeMap(report, rules, AllStartAlike());
    std::set<FairRule> failed;
    for (const RuleFailure& f : verdict.failures) {
      failed.insert(f.rule);
      EXPECT_FALSE(f.text.empty());
    }
    EXPECT_EQ(failed, c.fails);
    EXPECT_EQ(verdict.Fair(), c.fails.empty());
  }
}

TEST(FairnessTest, FailuresSayWhoAndHowFar) {
  MapReport report = TwoFairPlayers();
  report.players[1].nearestMineSteps = 27;
  report.players[1].units = {{kPeasant, 1}, {kHumanStart, 1}};
  const Verdict verdict = JudgeMap(report, FairnessRules{}, AllStartAlike());
  ASSERT_TRUE(verdict.Fails(FairRule::kMineSteps));
  EXPECT_EQ(verdict.failures[0].text, "Blue's nearest gold mine is 27 steps away on foot (at most 20)");
  const RuleFailure& last = verdict.failures.back();
  EXPECT_EQ(last.rule, FairRule::kSameStart);
  EXPECT_EQ(last.text, "Red and Blue are set up alike, but Red has 1 Town Hall/Great Hall, Blue 0");
}

TEST(FairnessTest, RuleTextsAreCheckedAndOffTurnsAnyRuleOff) {
  struct Case {
    const char* text;
    bool accepted;
  } const cases[] = {
      {"mine-steps=30", true},   {"mine-steps=off", true},  {"mine-steps=-1", false},   {"mine-steps=2x", false},
      {"room-ratio=1.25", true}, {"room-ratio=0.9", false}, {"room-ratio=abc", false},  {"meet=sea", true},
      {"meet=boat", false},      {"starts=off", true},      {"starts=3", false},        {"gold=5", false},
      {"mine-steps", false},     {"min-room=100000", true}, {"min-room=100001", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FairnessRules rules;
    EXPECT_EQ(!SetFairRule(rules, c.text).has_value(), c.accepted);
  }
  FairnessRules rules;
  for (FairRule rule : kAllFairRules) {
    ASSERT_EQ(SetFairRule(rules, std::string(FairRuleName(rule)) + "=off"), std::nullopt);
    EXPECT_EQ(DescribeFairRule(rules, rule), "(off)");
  }
  MapReport report = TwoFairPlayers();
  report.players[1].hasStart = false;
  report.players[0].buildableRoom = 0;
  report.pairs.clear();
  EXPECT_TRUE(JudgeMap(report, rules, AllStartAlike()).Fair());
}

TEST(FairnessTest, PlayersSetUpAlikeShareAGroupAndRandomStartsShareNone) {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  r.Difficulty[2] = 3;        // player 3: another level
  r.StartGold[3] = 2000;      // player 4: other gold
  r.RandomStartOil[4] = 1;    // player 5: random oil
  r.DifficultyRandom[5] = 1;  // player 6: random level
  const StartGroups groups = StartGroupsFromSettings(r);
  EXPECT_EQ(groups.group[0], groups.group[1]);
  EXPECT_EQ(groups.group[0], groups.group[6]);
  EXPECT_NE(groups.group[2], groups.group[0]);
  EXPECT_NE(groups.group[3], groups.group[0]);
  EXPECT_NE(groups.group[3], groups.group[2]);
  EXPECT_EQ(groups.group[4], StartGroups::kNoGroup);
  EXPECT_EQ(groups.group[5], StartGroups::kNoGroup);

  // Only players of one group are held to the same start.
  MapReport report = TwoFairPlayers();
  report.players[0].gold = 2000;
  StartGroups apart = AllStartAlike();
  apart.group[0] = 1;
  EXPECT_TRUE(JudgeMap(report, FairnessRules{}, apart).Fair());
  EXPECT_FALSE(JudgeMap(report, FairnessRules{}, AllStartAlike()).Fair());
}

}  // namespace
}  // namespace glenmire
