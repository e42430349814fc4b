#include "cli/fair_options.h"

#include <unistd.h>

#include <cstdio>

namespace glenmire {
namespace {

std::string RuleValue(const FairnessRules& r, FairRule rule) {
  const auto number = [](const auto& v) { return v ? std::to_string(*v) : std::string("off"); };
  switch (rule) {
    case FairRule::kStarts: return r.starts ? "on" : "off";
    case FairRule::kMineSteps: return number(r.mineSteps);
    case FairRule::kMineSpread: return number(r.mineSpread);
    case FairRule::kMeet: return r.meet == MeetRule::kOnFoot ? "foot" : r.meet == MeetRule::kBySea ? "sea" : "off";
    case FairRule::kMinRoom: return number(r.minRoom);
    case FairRule::kRoomRatio: {
      if (!r.roomRatio) return "off";
      char text[32];
      std::snprintf(text, sizeof text, "%g", *r.roomRatio);
      return text;
    }
    case FairRule::kSameStart: return r.sameStart ? "on" : "off";
    case FairRule::kExpansionsSpread: return number(r.expansionsSpread);
    case FairRule::kSafeAreaSpread: return number(r.safeAreaSpread);
  }
  return "";
}

// What a rule that is off by default would ask, for the help.
std::string WhenOn(FairRule rule) {
  switch (rule) {
    case FairRule::kExpansionsSpread: return "the players' expansions differ by at most N mines";
    case FairRule::kSafeAreaSpread: return "the players' safe areas differ by at most N % of the walkable cells";
    default: return "";
  }
}

}  // namespace

FairnessRules ReadFairRules(const ParsedArgs& args, FairnessRules base) {
  FairnessRules rules = base;
  if (args.Has(kAllowSeaFlag)) rules.meet = MeetRule::kBySea;
  for (const std::string& assignment : args.All(kFairRuleFlag))
    if (auto refusal = SetFairRule(rules, assignment)) throw UsageError(*refusal);
  return rules;
}

BuildOnSandAnswer ReadBuildOnSand(const ParsedArgs& args) {
  const std::optional<std::string> v = args.Value("--build-on-sand");
  if (!v || *v == "cancel") return BuildOnSandAnswer::kCancel;
  if (*v == "ok") return BuildOnSandAnswer::kOk;
  throw UsageError("--build-on-sand is ok or cancel");
}

Symmetry ReadSymmetry(const ParsedArgs& args, Symmetry base) {
  const std::optional<std::string> v = args.Value(kSymmetryFlag);
  if (!v) return base;
  if (auto mode = ParseSymmetry(*v)) return *mode;
  throw UsageError(std::string(kSymmetryFlag) + " is one of " + SymmetryNames() + ", not \"" + *v + "\"");
}

std::string FairRulesHelp(const FairnessRules& rules) {
  std::string text;
  for (FairRule rule : kAllFairRules) {
    char line[256];
    const std::string setting = std::string(FairRuleName(rule)) + "=" + RuleValue(rules, rule);
    std::string description = DescribeFairRule(rules, rule);
    if (description == "(off)" && !WhenOn(rule).empty()) description = "(off; =N: " + WhenOn(rule) + ")";
    std::snprintf(line, sizeof line, "  %-18s %s\n", setting.c_str(), description.c_str());
    text += line;
  }
  return text;
}

std::string NamedRule(const FairnessRules& rules, FairRule rule) {
  return std::string(FairRuleName(rule)) + " (" + DescribeFairRule(rules, rule) + ")";
}

ProgressLine::ProgressLine(bool wanted) : active_(wanted && ::isatty(STDERR_FILENO)) {}

void ProgressLine::Show(const std::string& text) {
  if (!active_) return;
  std::fprintf(stderr, "\r%s\033[K", text.c_str());
  std::fflush(stderr);
  shown_ = true;
}

void ProgressLine::Done() {
  if (!shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace glenmire
