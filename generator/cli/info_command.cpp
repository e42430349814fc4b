#include "cli/info_command.h"

#include <cstdio>
#include <map>
#include <utility>

#include "cli/cli_args.h"
#include "cli/json_writer.h"
#include "cli/report_json.h"
#include "core/file_error.h"
#include "core/unit_types.h"
#include "mapfile/map_reader.h"
#include "mapfile/map_sections.h"
#include "placement/unit_list.h"
#include "report/fairness.h"
#include "report/map_facts.h"
#include "report/map_picture.h"
#include "report/map_report.h"
#include "report/report_text.h"
#include "report/symmetry_check.h"
#include "report/unit_names.h"
#include "run/presets.h"
#include "settings/config_file.h"

namespace glenmire {
namespace {

std::string BehaviourName(uint8_t ai) {
  switch (ai) {
    case kAiLandAttack: return "Land Attack";
    case kAiPassive: return "Passive";
    case kAiSeaAttack: return "Sea Attack";
    case kAiAirAttack: return "Air Attack";
    case kAiRandom: return "Random";
    default: return "code " + std::to_string(ai);
  }
}

std::string ClimateName(int32_t climate) {
  static const char* const kNames[] = {"Forest", "Winter", "Wasteland", "Swamp"};
  return climate >= kClimateForest && climate <= kClimateSwamp ? kNames[climate] : "code " + std::to_string(climate);
}

std::string OwnerName(uint8_t owner) { return PlayerColourName(owner + 1); }

struct Resource {
  int row, column;
  int amount;
};

struct Summary {
  std::map<std::pair<std::string, std::string>, int> unitCounts;  // (type, owner) -> count
  std::vector<Resource> goldMines, oilPatches;
  bool hasStart[8] = {};
};

Summary Summarise(const GeneratorState& s) {
  Summary sum;
  const int unitBytes = UnitBytes(s);
  for (int i = 0; i + 8 <= unitBytes; i += 8) {
    const UnitRecord u = DecodeUnitRecord(s.UnitList + i);
    ++sum.unitCounts[{UnitTypeName(u.type), OwnerName(u.owner)}];
    if (u.type == kGoldMine) sum.goldMines.push_back({u.row, u.column, u.data * kResourceStep});
    if (u.type == kOilPatch) sum.oilPatches.push_back({u.row, u.column, u.data * kResourceStep});
    if ((u.type == kHumanStart || u.type == kOrcStart) && u.owner < kPlayers) sum.hasStart[u.owner] = true;
  }
  return sum;
}

bool EveryActiveHasStart(const GeneratorState& s, const Summary& sum) {
  for (int p = 0; p < 8; ++p)
    if (IsActiveController(s.settings.PlayerController[p]) && !sum.hasStart[p]) return false;
  return true;
}

void PrintText(const std::string& path, const GeneratorState& s, const Summary& sum, const MapSections& sections,
               const MapReport& report, const Verdict& verdict) {
  const SettingsRecord& r = s.settings;
  std::printf("Map: %s\n", path.c_str());
  std::printf("Size: %d x %d\n", r.MapSize, r.MapSize);
  std::printf("Climate: %s\n", ClimateName(r.Climate).c_str());
  std::printf("Description: %s\n", r.MapDescription.str().c_str());
  std::printf("Players:\n");
  for (int p = 0; p < 8; ++p) {
    std::printf("  %d %-7s %-16s %-6s %-11s gold %d, lumber %d, oil %d%s\n", p + 1, PlayerColourName(p + 1),
                ControllerName(r.PlayerController[p]).c_str(), RaceName(r.PlayerRace[p]).c_str(),
                BehaviourName(r.PlayerAI[p]).c_str(), r.StartGold[p], r.StartLumber[p], r.StartOil[p],
                IsActiveController(r.PlayerController[p])
                    ? (sum.hasStart[p] ? ", start location" : ", NO start location")
                    : "");
  }
  std::printf("Units:\n");
  for (const auto& [key, count] : sum.unitCounts)
    std::printf("  %4d  %s (%s)\n", count, key.first.c_str(), key.second.c_str());
  std::printf("Gold mines: %zu\n", sum.goldMines.size());
  for (const Resource& g : sum.goldMines) std::printf("  row %d, column %d: %d gold\n", g.row, g.column, g.amount);
  std::printf("Oil patches: %zu\n", sum.oilPatches.size());
  for (const Resource& o : sum.oilPatches) std::printf("  row %d, column %d: %d oil\n", o.row, o.column, o.amount);
  std::printf("Sections:");
  for (const MapSection& sec : sections.All()) std::printf(" \"%s\" %u;", sec.tag, sec.length);
  std::printf("\nEvery active player has a start location: %s\n", EveryActiveHasStart(s, sum) ? "yes" : "no");
  std::string symmetries;
  for (Symmetry mode : SymmetriesOf(s)) symmetries += std::string(symmetries.empty() ? "" : ", ") + SymmetryName(mode);
  std::printf("Symmetries: %s\n", symmetries.empty() ? "none" : symmetries.c_str());
  std::fputs(FormatReportText(report, verdict).c_str(), stdout);
}

void PrintResources(const char* name, const std::vector<Resource>& list) {
  std::printf("  %s: [", JsonString(name).c_str());
  for (std::size_t i = 0; i < list.size(); ++i)
    std::printf("%s{\"row\": %d, \"column\": %d, \"amount\": %d}", i ? ", " : "", list[i].row, list[i].column,
                list[i].amount);
  std::printf("],\n");
}

void PrintJson(const std::string& path, const GeneratorState& s, const Summary& sum, const MapSections& sections,
               const MapReport& report, const Verdict& verdict, const FairnessRules& rules) {
  const SettingsRecord& r = s.settings;
  std::printf("{\n  \"file\": %s,\n  \"size\": %d,\n  \"climate\": %s,\n  \"description\": %s,\n",
              JsonString(path).c_str(), r.MapSize, JsonString(ClimateName(r.Climate)).c_str(),
              JsonString(r.MapDescription.str()).c_str());
  std::printf("  \"players\": [\n");
  for (int p = 0; p < 8; ++p) {
    std::printf(
        "    {\"player\": %d, \"colour\": %s, \"controller\": %s, \"race\": %s, \"behaviour\": %s, "
        "\"gold\": %d, \"lumber\": %d, \"oil\": %d, \"startLocation\": %s}%s\n",
        p + 1, JsonString(PlayerColourName(p + 1)).c_str(), JsonString(ControllerName(r.PlayerController[p])).c_str(),
        JsonString(RaceName(r.PlayerRace[p])).c_str(), JsonString(BehaviourName(r.PlayerAI[p])).c_str(), r.StartGold[p],
        r.StartLumber[p], r.StartOil[p], sum.hasStart[p] ? "true" : "false", p < 7 ? "," : "");
  }
  std::printf("  ],\n  \"units\": [");
  bool first = true;
  for (const auto& [key, count] : sum.unitCounts) {
    std::printf("%s\n    {\"type\": %s, \"owner\": %s, \"count\": %d}", first ? "" : ",", JsonString(key.first).c_str(),
                JsonString(key.second).c_str(), count);
    first = false;
  }
  std::printf("\n  ],\n");
  PrintResources("goldMines", sum.goldMines);
  PrintResources("oilPatches", sum.oilPatches);
  std::printf("  \"sections\": [");
  const std::vector<MapSection>& all = sections.All();
  for (std::size_t i = 0; i < all.size(); ++i)
    std::printf("%s{\"tag\": %s, \"length\": %u}", i ? ", " : "", JsonString(all[i].tag).c_str(), all[i].length);
  std::printf("],\n  \"everyActivePlayerHasStartLocation\": %s,\n", EveryActiveHasStart(s, sum) ? "true" : "false");
  std::printf("  \"symmetries\": [");
  const std::vector<Symmetry> modes = SymmetriesOf(s);
  for (std::size_t i = 0; i < modes.size(); ++i)
    std::printf("%s%s", i ? ", " : "", JsonString(SymmetryName(modes[i])).c_str());
  std::printf("],\n");
  std::printf("  \"rules\": %s,\n", RulesJson(rules).c_str());
  std::printf("  \"report\": %s\n}\n", ReportJson(report, verdict, 2).c_str());
}

}  // namespace

ExitStatus RunInfoCommand(const std::vector<std::string>& args, const std::string& programDir) {
  ParsedArgs a = ParseArgs(args, {"--config"}, {"--json"});
  if (a.positional.size() != 1) throw UsageError("info MAP.pud [--config FILE.gmp] [--json]");
  const std::string& path = a.positional[0];
  auto state = MakeGeneratorState();
  LoadMapFile(*state, path);
  state->MapLoaded = true;
  Summary sum = Summarise(*state);
  // The reader has checked the file; this lists its sections as they stand.
  const std::vector<uint8_t> bytes = ReadMapFileBytes(path);
  const MapSections sections(path, bytes);
  // Without the settings the map was made with, every player is taken as
  // set up to start alike.
  StartGroups groups = AllStartAlike();
  if (auto config = a.Value("--config")) {
    SettingsRecord r = ZeroRecord();
    LoadConfiguration(r, ResolveConfigPath(*config, programDir));
    groups = StartGroupsFromSettings(r);
  }
  const FairnessRules rules;
  const MapReport report = ReportMap(ReadMapFacts(bytes, path));
  const Verdict verdict = JudgeMap(report, rules, groups);
  if (a.Has("--json"))
    PrintJson(path, *state, sum, sections, report, verdict, rules);
  else
    PrintText(path, *state, sum, sections, report, verdict);
  return ExitStatus::kDone;
}

ExitStatus RunPreviewCommand(const std::vector<std::string>& args) {
  ParsedArgs a = ParseArgs(args, {"--out", "--scale"}, {});
  if (a.positional.size() != 1) throw UsageError("preview MAP.pud --out FILE.png [--scale K]");
  auto out = a.Value("--out");
  if (!out) throw UsageError("preview needs --out FILE.png");
  int scale = 1;
  if (auto k = a.Value("--scale")) {
    if (k->empty() || k->size() > 2 || k->find_first_not_of("0123456789") != std::string::npos)
      throw UsageError("--scale is a whole number 1..16");
    scale = std::stoi(*k);
    if (scale < 1 || scale > 16) throw UsageError("--scale is a whole number 1..16");
  }
  auto state = MakeGeneratorState();
  LoadMapFile(*state, a.positional[0]);
  state->MapLoaded = true;
  WriteMapPicture(*state, *out, scale);
  return ExitStatus::kDone;
}

}  // namespace glenmire
