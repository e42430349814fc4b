#include "cli/config_command.h"

#include <cstdio>
#include <string>

#include "cli/cli_args.h"
#include "cli/json_writer.h"
#include "run/presets.h"
#include "settings/config_file.h"
#include "settings/defaults.h"
#include "settings/settings_fields.h"

namespace glenmire {
namespace {

bool Shown(const FieldInfo& f) { return f.type != FieldType::kReserved && f.type != FieldType::kOpaque; }

std::string ElementText(const SettingsRecord& r, const FieldInfo& f, int i, bool json) {
  if (f.type == FieldType::kShortString) {
    std::string s = ReadFieldString(r, f);
    return json ? JsonString(s) : "\"" + s + "\"";
  }
  int64_t v = ReadFieldElement(r, f, i);
  if (f.type == FieldType::kChar) {
    std::string c(1, static_cast<char>(v));
    if (json) return JsonString(c);
    return (v >= 0x20 && v < 0x7F) ? "'" + c + "'" : std::to_string(v);
  }
  return std::to_string(v);
}

void ShowText(const SettingsRecord& r) {
  for (const FieldInfo& f : SettingsFields()) {
    if (!Shown(f)) continue;
    if (f.IsArray()) {
      for (int i = 0; i < f.count; ++i)
        std::printf("%s[%d] = %s\n", std::string(f.name).c_str(), i + 1, ElementText(r, f, i, false).c_str());
    } else {
      std::printf("%s = %s\n", std::string(f.name).c_str(), ElementText(r, f, 0, false).c_str());
    }
  }
}

void ShowJson(const SettingsRecord& r) {
  std::printf("{\n");
  bool first = true;
  for (const FieldInfo& f : SettingsFields()) {
    if (!Shown(f)) continue;
    std::printf("%s  %s: ", first ? "" : ",\n", JsonString(f.name).c_str());
    first = false;
    if (f.IsArray()) {
      std::printf("[");
      for (int i = 0; i < f.count; ++i) std::printf("%s%s", i ? ", " : "", ElementText(r, f, i, true).c_str());
      std::printf("]");
    } else {
      std::printf("%s", ElementText(r, f, 0, true).c_str());
    }
  }
  std::printf("\n}\n");
}

// "Field=VALUE" or "Field[i]=VALUE" with i counted from 1.
void Assign(SettingsRecord& r, const std::string& assignment) {
  if (auto refusal = AssignField(r, assignment)) throw UsageError(*refusal);
}

std::string RequiredOut(const ParsedArgs& a) {
  auto out = a.Value("--out");
  if (!out) throw UsageError("--out FILE.gmp is required");
  return *out;
}

}  // namespace

ExitStatus RunConfigCommand(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("config needs one of: defaults, starter, preset, show, set");
  const std::string& what = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (what == "defaults" || what == "starter") {
    ParsedArgs a = ParseArgs(rest, {"--out"}, {});
    if (!a.positional.empty()) throw UsageError("unexpected argument " + a.positional[0]);
    SettingsRecord r = ZeroRecord();
    if (what == "defaults")
      SetDefaults(r);
    else
      MakeStarterConfiguration(r);
    SaveConfiguration(r, RequiredOut(a));
    return ExitStatus::kDone;
  }
  if (what == "preset") {
    ParsedArgs a = ParseArgs(rest, {"--out"}, {});
    if (a.positional.size() != 1) throw UsageError("config preset RECIPE.txt --out FILE.gmp");
    const std::string out = RequiredOut(a);
    SaveConfiguration(MakePresetRecord(ReadPresetRecipe(a.positional[0]), a.positional[0]), out);
    return ExitStatus::kDone;
  }
  if (what == "show") {
    ParsedArgs a = ParseArgs(rest, {}, {"--json"});
    if (a.positional.size() != 1) throw UsageError("config show FILE.gmp [--json]");
    SettingsRecord r = ZeroRecord();
    LoadConfiguration(r, a.positional[0]);
    if (a.Has("--json"))
      ShowJson(r);
    else
      ShowText(r);
    return ExitStatus::kDone;
  }
  if (what == "set") {
    ParsedArgs a = ParseArgs(rest, {"--out"}, {});
    if (a.positional.size() < 2) throw UsageError("config set FILE.gmp FIELD=VALUE... [--out FILE.gmp]");
    SettingsRecord r = ZeroRecord();
    LoadConfiguration(r, a.positional[0]);
    for (std::size_t i = 1; i < a.positional.size(); ++i) Assign(r, a.positional[i]);
    SaveConfiguration(r, a.Value("--out").value_or(a.positional[0]));
    return ExitStatus::kDone;
  }
  throw UsageError("unknown config command \"" + what + "\"");
}

}  // namespace glenmire
