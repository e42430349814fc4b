// The flags that set the fairness rules (`--fair-rule NAME=VALUE`, given as
// often as wanted, and `--allow-sea`) and answer Build On Sand, shared by
// generate and survey, and the tty progress line both show.
#pragma once

#include <string>

#include "cli/cli_args.h"
#include "core/generation_ui.h"
#include "core/symmetry.h"
#include "report/fairness.h"

namespace glenmire {

inline constexpr const char* kFairRuleFlag = "--fair-rule";
inline constexpr const char* kAllowSeaFlag = "--allow-sea";

// The rules `base` (the defaults, or a preset's) changed by the flags, in the
// order given; a usage error for a rule or value that is refused.
FairnessRules ReadFairRules(const ParsedArgs& args, FairnessRules base = {});
// The rules, one per line: "  mine-steps=20   each start has ...".
std::string FairRulesHelp(const FairnessRules& rules);
// The rule and what it asks, for messages ("mine-steps (each start has ...)").
std::string NamedRule(const FairnessRules& rules, FairRule rule);

// The answer --build-on-sand gives the Build On Sand question (ok or
// cancel; Cancel when the flag is left out); a usage error for anything else.
BuildOnSandAnswer ReadBuildOnSand(const ParsedArgs& args);

inline constexpr const char* kSymmetryFlag = "--symmetry";
// The mode --symmetry names (`base`, a preset's or none, when the flag is
// left out); a usage error naming the modes for anything else.
Symmetry ReadSymmetry(const ParsedArgs& args, Symmetry base = Symmetry::kNone);

// A progress line on standard error that rewrites itself, shown only when
// standard error is a terminal; Done clears it.
class ProgressLine {
 public:
  explicit ProgressLine(bool wanted);
  void Show(const std::string& text);
  void Done();
  ~ProgressLine() { Done(); }

 private:
  bool shown_ = false;
  bool active_;
};

}  // namespace glenmire
