#include "cli/config_command.h"

#include <cstdio>
#include <string>

#include "cli/cli_args.h"
#include "cli/json_writer.h"
#include "settings/config_file.h"
#include "settings/defaults.h"
#include "settings/record_limits.h"
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

int64_t ParseNumber(const std::string& text, const std::string& assignment) {
  if (text == "true") return 1;
  if (text == "false") return 0;
  std::size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(text, &used, 10);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) throw UsageError("not a number (or far too large) in " + assignment);
  return v;
}

}  // namespace

void AssignField(SettingsRecord& r, const std::string& assignment) {
  std::size_t eq = assignment.find('=');
  if (eq == std::string::npos) throw UsageError("expected FIELD=VALUE, got \"" + assignment + "\"");
  std::string name = assignment.substr(0, eq);
  std::string value = assignment.substr(eq + 1);
  int index = 0;
  bool indexed = false;
  std::size_t open = name.find('[');
  if (open != std::string::npos) {
    if (name.back() != ']') throw UsageError("bad index in \"" + assignment + "\"");
    std::string digits = name.substr(open + 1, name.size() - open - 2);
    const int64_t entry = ParseNumber(digits, assignment);
    index = entry >= 1 && entry <= 65536 ? static_cast<int>(entry - 1) : -1;  // beyond any array: refused below
    name = name.substr(0, open);
    indexed = true;
  }
  const FieldInfo* f = FindField(name);
  if (!f || !Shown(*f)) throw UsageError("unknown field \"" + name + "\"");
  if (f->IsArray() != indexed)
    throw UsageError(indexed ? name + " is not an array" : name + " is an array: write " + name + "[i]=VALUE");
  if (f->IsArray() && (index < 0 || index >= f->count))
    throw UsageError(name + " has entries 1.." + std::to_string(f->count));
  if (f->type == FieldType::kShortString) {
    if (!WriteFieldString(r, *f, value))
      throw UsageError(name + " holds at most " + std::to_string(f->count) + " characters");
    return;
  }
  int64_t v = (f->type == FieldType::kChar && value.size() == 1) ? static_cast<unsigned char>(value[0])
                                                                 : ParseNumber(value, assignment);
  if (auto refusal = StoredValueRefusal(name, v)) throw UsageError(*refusal);
  if (!WriteFieldElement(r, *f, index, v)) {
    const NumberRange range = FieldTypeRange(f->type);
    throw UsageError(std::to_string(v) + " does not fit " + name + " (" + std::string(FieldTypeName(f->type)) + ": " +
                     std::to_string(range.lowest) + ".." + std::to_string(range.highest) + ")");
  }
}

namespace {

std::string RequiredOut(const ParsedArgs& a) {
  auto out = a.Value("--out");
  if (!out) throw UsageError("--out FILE.gmp is required");
  return *out;
}

}  // namespace

int RunConfigCommand(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("config needs one of: defaults, starter, show, set");
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
    return 0;
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
    return 0;
  }
  if (what == "set") {
    ParsedArgs a = ParseArgs(rest, {"--out"}, {});
    if (a.positional.size() < 2) throw UsageError("config set FILE.gmp FIELD=VALUE... [--out FILE.gmp]");
    SettingsRecord r = ZeroRecord();
    LoadConfiguration(r, a.positional[0]);
    for (std::size_t i = 1; i < a.positional.size(); ++i) AssignField(r, a.positional[i]);
    SaveConfiguration(r, a.Value("--out").value_or(a.positional[0]));
    return 0;
  }
  throw UsageError("unknown config command \"" + what + "\"");
}

}  // namespace glenmire
