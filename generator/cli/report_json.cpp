#include "cli/report_json.h"

#include <cstdio>

#include "cli/json_writer.h"
#include "report/unit_names.h"

namespace glenmire {
namespace {

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", v);
  return text;
}

std::string Steps(int steps) { return steps == kNotReached ? "null" : std::to_string(steps); }

std::string Figure(const std::optional<double>& v) { return v ? Number(*v) : "null"; }

std::string Player(const PlayerReport& p, const std::string& pad) {
  std::string units;
  for (const KindCount& k : p.units)
    units += (units.empty() ? "" : ", ") + std::string("{\"kind\": ") + JsonString(UnitKindName(k.kind)) +
             ", \"count\": " + std::to_string(k.count) + "}";
  std::string out =
      pad + "{\"player\": " + std::to_string(p.player) + ", \"colour\": " + JsonString(PlayerColourName(p.player)) +
      ", \"controller\": " + JsonString(ControllerName(p.controller)) + ", \"race\": " + JsonString(RaceName(p.race)) +
      ", \"active\": " + (p.active ? "true" : "false") + ", \"startLocation\": ";
  out += p.hasStart ? "{\"row\": " + std::to_string(p.startRow) + ", \"column\": " + std::to_string(p.startColumn) + "}"
                    : "null";
  out += ", \"gold\": " + std::to_string(p.gold) + ", \"lumber\": " + std::to_string(p.lumber) +
         ", \"oil\": " + std::to_string(p.oil) + ", \"units\": [" + units +
         "], \"critters\": " + std::to_string(p.critters);
  if (p.active && p.hasStart) {
    out += ", \"walkableArea\": " + std::to_string(p.walkableArea) + ", \"nearestGoldMine\": ";
    out += p.nearestMineSteps == kNotReached ? std::string("null")
                                             : "{\"steps\": " + std::to_string(p.nearestMineSteps) +
                                                   ", \"row\": " + std::to_string(p.nearestMineRow) +
                                                   ", \"column\": " + std::to_string(p.nearestMineColumn) +
                                                   ", \"gold\": " + std::to_string(p.nearestMineGold) + "}";
    out += ", \"goldMinesInReach\": " + std::to_string(p.minesInReach) +
           ", \"buildableRoom\": " + std::to_string(p.buildableRoom) +
           ", \"townHallFits\": " + (p.townHallFits ? "true" : "false");
    out += ", \"rival\": " + (p.rivalry.rival ? JsonString(PlayerColourName(p.rivalry.rival)) : std::string("null"));
    for (const RivalryFigure& figure : kRivalryFigures)
      out += ", \"" + std::string(figure.key) + "\": " + Figure(figure.value(p.rivalry));
  }
  return out + "}";
}

}  // namespace

std::string ReportJson(const MapReport& report, const Verdict& verdict, int indent) {
  const std::string pad(indent, ' ');
  std::string out = "{\n";
  out += pad + "  \"mapSize\": " + std::to_string(report.mapSize) + ",\n";
  out += pad + "  \"landShare\": " + Number(report.LandShare()) + ", \"waterShare\": " + Number(report.WaterShare()) +
         ", \"buildableShare\": " + Number(report.BuildableShare()) + ",\n";
  out += pad + "  \"goldMines\": " + std::to_string(report.goldMines) + ", \"gold\": " + std::to_string(report.gold) +
         ", \"oilPatches\": " + std::to_string(report.oilPatches) + ",\n";
  out += pad + "  \"mineReachSteps\": " + std::to_string(kMineReachSteps) +
         ", \"roomSteps\": " + std::to_string(kRoomSteps) + ",\n";
  out += pad + "  \"players\": [\n";
  bool first = true;
  for (const PlayerReport& p : report.players) {
    if (p.controller == kControllerNobody) continue;
    out += (first ? "" : ",\n") + Player(p, pad + "    ");
    first = false;
  }
  out += "\n" + pad + "  ],\n" + pad + "  \"pairs\": [";
  for (std::size_t i = 0; i < report.pairs.size(); ++i) {
    const PairReport& pair = report.pairs[i];
    out += std::string(i ? ", " : "") + "{\"players\": [" + std::to_string(pair.first) + ", " +
           std::to_string(pair.second) + "], \"meet\": " + JsonString(MeetingName(pair.meeting)) +
           ", \"steps\": " + Steps(pair.steps) + "}";
  }
  out += "],\n" + pad + "  \"spread\": {";
  for (const RivalryFigure& figure : kRivalryFigures)
    out += std::string(&figure == &kRivalryFigures[0] ? "" : ", ") + "\"" + figure.key +
           "\": " + Figure(FigureSpread(report, figure));
  out += "},\n" + pad + "  \"fair\": " + (verdict.Fair() ? "true" : "false") + ",\n" + pad + "  \"failures\": [";
  for (std::size_t i = 0; i < verdict.failures.size(); ++i)
    out += std::string(i ? ", " : "") + "{\"rule\": " + JsonString(FairRuleName(verdict.failures[i].rule)) +
           ", \"text\": " + JsonString(verdict.failures[i].text) + "}";
  return out + "]\n" + pad + "}";
}

std::string RulesJson(const FairnessRules& rules) {
  std::string out = "{";
  for (FairRule rule : kAllFairRules)
    out += std::string(rule == FairRule::kStarts ? "" : ", ") + JsonString(FairRuleName(rule)) + ": " +
           JsonString(DescribeFairRule(rules, rule));
  return out + "}";
}

std::string SurveyJson(const std::string& config, const SurveyResult& s, const FairnessRules& rules) {
  const FailureTally& t = s.tally;
  std::string out = "{\n";
  out += "  \"config\": " + JsonString(config) + ",\n";
  out += "  \"seeds\": [" + std::to_string(s.firstSeed) + ", " + std::to_string(s.lastSeed) + "],\n";
  out += "  \"runs\": " + std::to_string(t.runs) + ", \"placed\": " + std::to_string(t.placed) +
         ", \"placedWithoutQuestion\": " + std::to_string(s.placedWithoutQuestion) +
         ", \"fair\": " + std::to_string(t.fair) + ", \"askedBuildOnSand\": " + std::to_string(t.askedBuildOnSand) +
         ",\n";
  out += "  \"placedShare\": " + Number(s.PlacedShare()) + ", \"fairShare\": " + Number(s.FairShare()) + ",\n";
  out += "  \"rules\": " + RulesJson(rules) + ",\n";
  out += "  \"failed\": {";
  for (FairRule rule : kAllFairRules)
    out += std::string(rule == FairRule::kStarts ? "" : ", ") + JsonString(FairRuleName(rule)) + ": " +
           std::to_string(t.Count(rule));
  out += "},\n  \"pairs\": {\"onFoot\": " + std::to_string(s.pairsOnFoot) +
         ", \"bySea\": " + std::to_string(s.pairsBySea) + ", \"apart\": " + std::to_string(s.pairsApart) + "},\n";
  out += "  \"figures\": [";
  for (std::size_t i = 0; i < s.figures.size(); ++i) {
    const FigureSummary& f = s.figures[i];
    out += std::string(i ? "," : "") + "\n    {\"name\": " + JsonString(f.name) + ", \"per\": " + JsonString(f.per) +
           ", \"count\": " + std::to_string(f.count) + ", \"p10\": " + Number(f.p10) +
           ", \"median\": " + Number(f.median) + ", \"p90\": " + Number(f.p90) + "}";
  }
  return out + "\n  ]\n}\n";
}

}  // namespace glenmire
