#include "run/presets.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/file_error.h"
#include "settings/defaults.h"
#include "settings/record_limits.h"
#include "settings/settings_fields.h"

namespace glenmire {
namespace {

bool Shown(const FieldInfo& f) { return f.type != FieldType::kReserved && f.type != FieldType::kOpaque; }

std::optional<int64_t> ParseNumber(const std::string& text) {
  if (text == "true") return 1;
  if (text == "false") return 0;
  std::size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(text, &used, 10);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (used == 0 || used != text.size()) return std::nullopt;
  return v;
}

std::string Trim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const std::size_t last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The file of preset:NAME with the given extension, in the presets folder next to the program.
std::string PresetFile(const std::string& config, const std::string& programDir, const char* extension) {
  return (std::filesystem::path(programDir) / kPresetFolder /
          (config.substr(std::string(kPresetPrefix).size()) + extension))
      .string();
}

}  // namespace

std::optional<std::string> AssignField(SettingsRecord& r, const std::string& assignment) {
  std::size_t eq = assignment.find('=');
  if (eq == std::string::npos) return "expected FIELD=VALUE, got \"" + assignment + "\"";
  std::string name = assignment.substr(0, eq);
  std::string value = assignment.substr(eq + 1);
  int index = 0;
  bool indexed = false;
  std::size_t open = name.find('[');
  if (open != std::string::npos) {
    if (name.back() != ']') return "bad index in \"" + assignment + "\"";
    const auto entry = ParseNumber(name.substr(open + 1, name.size() - open - 2));
    if (!entry) return "not a number (or far too large) in " + assignment;
    index = *entry >= 1 && *entry <= 65536 ? static_cast<int>(*entry - 1) : -1;  // beyond any array: refused below
    name = name.substr(0, open);
    indexed = true;
  }
  const FieldInfo* f = FindField(name);
  if (!f || !Shown(*f)) return "unknown field \"" + name + "\"";
  if (f->IsArray() != indexed)
    return indexed ? name + " is not an array" : name + " is an array: write " + name + "[i]=VALUE";
  if (f->IsArray() && (index < 0 || index >= f->count)) return name + " has entries 1.." + std::to_string(f->count);
  if (f->type == FieldType::kShortString) {
    if (!WriteFieldString(r, *f, value)) return name + " holds at most " + std::to_string(f->count) + " characters";
    return std::nullopt;
  }
  std::optional<int64_t> v;
  if (f->type == FieldType::kChar && value.size() == 1)
    v = static_cast<unsigned char>(value[0]);
  else
    v = ParseNumber(value);
  if (!v) return "not a number (or far too large) in " + assignment;
  if (auto refusal = StoredValueRefusal(name, *v)) return *refusal;
  if (!WriteFieldElement(r, *f, index, *v)) {
    const NumberRange range = FieldTypeRange(f->type);
    return std::to_string(*v) + " does not fit " + name + " (" + std::string(FieldTypeName(f->type)) + ": " +
           std::to_string(range.lowest) + ".." + std::to_string(range.highest) + ")";
  }
  return std::nullopt;
}

PresetRecipe ParsePresetRecipe(const std::string& name, const std::string& text, const std::string& fileName) {
  PresetRecipe recipe;
  recipe.name = name;
  std::istringstream lines(text);
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    if (StartsWith(line, "description:")) {
      recipe.description = Trim(line.substr(12));
    } else if (StartsWith(line, "survey:")) {
      recipe.survey = Trim(line.substr(7));
    } else if (StartsWith(line, "fair:")) {
      std::istringstream words(line.substr(5));
      FairnessRules check;
      for (std::string rule; words >> rule;) {
        if (auto refusal = SetFairRule(check, rule))
          throw FileError(fileName, "line " + std::to_string(number) + ": " + *refusal);
        recipe.fairRules.push_back(rule);
      }
    } else if (StartsWith(line, "symmetry:")) {
      const auto mode = ParseSymmetry(Trim(line.substr(9)));
      if (!mode)
        throw FileError(fileName, "line " + std::to_string(number) + ": symmetry is one of " + SymmetryNames());
      recipe.symmetry = *mode;
    } else if (line.find('=') != std::string::npos && line.find(' ') > line.find('=')) {
      recipe.assignments.push_back(line);
    } else {
      throw FileError(fileName, "line " + std::to_string(number) +
                                    " is not \"description:\", \"survey:\", \"fair:\" or FIELD=VALUE: \"" + line +
                                    "\"");
    }
  }
  return recipe;
}

PresetRecipe ReadPresetRecipe(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, std::filesystem::exists(path) ? "the recipe cannot be read" : "File does not exist.");
  std::ostringstream text;
  text << in.rdbuf();
  return ParsePresetRecipe(std::filesystem::path(path).stem().string(), text.str(), path);
}

SettingsRecord MakePresetRecord(const PresetRecipe& recipe, const std::string& fileName) {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  for (const std::string& assignment : recipe.assignments)
    if (auto refusal = AssignField(r, assignment)) throw FileError(fileName, *refusal);
  return r;
}

FairnessRules PresetRecipe::Rules() const {
  FairnessRules rules;
  for (const std::string& rule : fairRules) SetFairRule(rules, rule);  // checked when read
  return rules;
}

FairnessRules RulesForConfig(const std::string& config, const std::string& programDir) {
  if (!StartsWith(config, kPresetPrefix)) return {};
  const std::string recipe = PresetFile(config, programDir, ".txt");
  // No recipe beside the configuration: it is judged as any other.
  return std::filesystem::exists(recipe) ? ReadPresetRecipe(recipe).Rules() : FairnessRules{};
}

Symmetry SymmetryForConfig(const std::string& config, const std::string& programDir) {
  if (!StartsWith(config, kPresetPrefix)) return Symmetry::kNone;
  const std::string recipe = PresetFile(config, programDir, ".txt");
  return std::filesystem::exists(recipe) ? ReadPresetRecipe(recipe).symmetry : Symmetry::kNone;
}

std::string ResolveConfigPath(const std::string& config, const std::string& programDir) {
  return StartsWith(config, kPresetPrefix) ? PresetFile(config, programDir, ".gmp") : config;
}

std::vector<PresetRecipe> ListPresets(const std::string& programDir) {
  std::vector<PresetRecipe> presets;
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(programDir) / kPresetFolder;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.path().extension() != ".txt") continue;
    try {
      presets.push_back(ReadPresetRecipe(entry.path().string()));
    } catch (const FileError&) {
    }
  }
  std::sort(presets.begin(), presets.end(),
            [](const PresetRecipe& a, const PresetRecipe& b) { return a.name < b.name; });
  return presets;
}

}  // namespace glenmire
