// Shipped configurations. Each is a small text recipe, NAME.txt: a
// "description:" line, a "survey:" line with what a survey of it found, an
// optional "fair:" line with the fairness rules its maps are judged by
// (NAME=VALUE as --fair-rule takes them, an islands map meets by sea), and
// FIELD=VALUE assignments (as `glenmire config set` takes them) applied to
// the starter configuration. The build turns every recipe into NAME.gmp in
// a presets folder next to the programs and copies the recipe beside it, so
// a front end can list the presets with their lines; "preset:NAME" names one
// wherever a configuration file is asked for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/settings_record.h"
#include "core/symmetry.h"
#include "report/fairness.h"

namespace glenmire {

inline constexpr const char* kPresetPrefix = "preset:";
inline constexpr const char* kPresetFolder = "presets";

struct PresetRecipe {
  std::string name;                    // the file name without ".txt"
  std::string description;             // one line
  std::string survey;                  // one line, empty when the preset was never surveyed
  std::vector<std::string> fairRules;  // rule assignments from the "fair:" line
  std::vector<std::string> assignments;
  Symmetry symmetry = Symmetry::kNone;  // from a "symmetry:" line: the mode its maps are made with

  // The default rules with the recipe's.
  FairnessRules Rules() const;
};

// Reads a recipe's text; throws FileError naming fileName and the line for a
// line that is neither blank, a "#" comment, "description:", "survey:",
// "fair:" with rules SetFairRule takes, "symmetry:" with a mode, nor
// FIELD=VALUE.
PresetRecipe ParsePresetRecipe(const std::string& name, const std::string& text, const std::string& fileName);
// Reads NAME.txt; throws FileError.
PresetRecipe ReadPresetRecipe(const std::string& path);

// One "Field=VALUE" or "Field[i]=VALUE" (i from 1) into the record, as
// `glenmire config set` does: true, false or a number (a single character
// for character fields, text for strings), refused when the field is
// unknown, the entry out of range, the value does not fit or would make
// every run refuse. Returns why it was refused, or nothing.
std::optional<std::string> AssignField(SettingsRecord& r, const std::string& assignment);

// The starter configuration with the recipe's assignments; throws FileError
// naming fileName for an assignment that is refused.
SettingsRecord MakePresetRecord(const PresetRecipe& recipe, const std::string& fileName);

// "preset:NAME" becomes <programDir>/presets/NAME.gmp; any other text is a
// file name and stays as it is.
std::string ResolveConfigPath(const std::string& config, const std::string& programDir);

// The rules maps of `config` are judged by: the recipe's when config is
// "preset:NAME" and its recipe is installed, else the defaults.
FairnessRules RulesForConfig(const std::string& config, const std::string& programDir);

// The symmetry maps of `config` are made with: the recipe's when config is
// "preset:NAME" and its recipe is installed, else none.
Symmetry SymmetryForConfig(const std::string& config, const std::string& programDir);

// The recipes installed in <programDir>/presets, by name; unreadable ones are left out.
std::vector<PresetRecipe> ListPresets(const std::string& programDir);

}  // namespace glenmire
