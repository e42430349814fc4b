#include "report/report_text.h"

#include <cstdarg>
#include <cstdio>

#include "report/unit_names.h"

namespace glenmire {
namespace {

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  out += line;
}

int Percent(double share) { return static_cast<int>(share * 100 + 0.5); }

}  // namespace

std::string VerdictLine(const Verdict& verdict) {
  if (verdict.Fair()) return "fair";
  std::string line = "not fair: ";
  for (std::size_t i = 0; i < verdict.failures.size(); ++i) line += (i ? "; " : "") + verdict.failures[i].text;
  return line;
}

std::string FormatReportText(const MapReport& report, const Verdict& verdict) {
  std::string out;
  Append(out, "Report:\n");
  Append(out, "  %-10s %-16s %-6s %-10s %6s %6s %6s %12s %5s %5s %5s\n", "Player", "Controller", "Race", "Start",
         "Gold", "Lumber", "Oil", "Mine steps", "Mines", "Room", "Hall");
  for (const PlayerReport& p : report.players) {
    if (p.controller == kControllerNobody) continue;
    char start[24] = "none";
    if (p.hasStart) std::snprintf(start, sizeof start, "%d,%d", p.startRow, p.startColumn);
    char player[24];
    std::snprintf(player, sizeof player, "%d %s", p.player, PlayerColourName(p.player));
    if (p.active && p.hasStart) {
      char mine[32];
      if (p.nearestMineSteps == kNotReached)
        std::snprintf(mine, sizeof mine, "none");
      else
        std::snprintf(mine, sizeof mine, "%d (%dk)", p.nearestMineSteps, p.nearestMineGold / 1000);
      Append(out, "  %-10s %-16s %-6s %-10s %6d %6d %6d %12s %5d %5d %5s\n", player,
             ControllerName(p.controller).c_str(), RaceName(p.race).c_str(), start, p.gold, p.lumber, p.oil, mine,
             p.minesInReach, p.buildableRoom, p.townHallFits ? "fits" : "no");
    } else {
      Append(out, "  %-10s %-16s %-6s %-10s %6d %6d %6d\n", player, ControllerName(p.controller).c_str(),
             RaceName(p.race).c_str(), start, p.gold, p.lumber, p.oil);
    }
  }
  Append(out,
         "  (mine steps: to stand beside the nearest gold mine, its gold in thousands; mines within %d steps;\n"
         "   room: buildable cells within %d steps on foot; hall: whether a town hall fits in that room)\n",
         kMineReachSteps, kRoomSteps);
  Append(out, "Startup units:\n");
  for (const PlayerReport& p : report.players) {
    if (p.controller == kControllerNobody) continue;
    std::string units;
    for (const KindCount& k : p.units)
      units += (units.empty() ? "" : ", ") + std::to_string(k.count) + " " + UnitKindName(k.kind);
    if (p.critters) units += (units.empty() ? "" : ", ") + std::to_string(p.critters) + " Critter";
    Append(out, "  %d %s: %s\n", p.player, PlayerColourName(p.player), units.empty() ? "nothing" : units.c_str());
  }
  if (!report.pairs.empty()) {
    Append(out, "Players meet:\n");
    for (const PairReport& pair : report.pairs) {
      if (pair.meeting == Meeting::kOnFoot)
        Append(out, "  %s - %s: on foot, %d steps\n", PlayerColourName(pair.first), PlayerColourName(pair.second),
               pair.steps);
      else
        Append(out, "  %s - %s: %s\n", PlayerColourName(pair.first), PlayerColourName(pair.second),
               pair.meeting == Meeting::kBySea ? "only by sea" : "not at all");
    }
  }
  Append(out, "Rivals:\n");
  Append(out, "  %-10s %-7s %6s %6s %10s %6s %5s %5s %6s %4s\n", "Player", "Rival", "Walk", "Mine", "Expansions",
         "Safe", "Pass", "Ways", "Lumber", "Oil");
  for (const PlayerReport& p : report.players) {
    if (!p.active || !p.hasStart) continue;
    const RivalryFigures& f = p.rivalry;
    const auto figure = [](const std::optional<int>& v) { return v ? std::to_string(*v) : std::string("-"); };
    char player[24];
    std::snprintf(player, sizeof player, "%d %s", p.player, PlayerColourName(p.player));
    Append(out, "  %-10s %-7s %6s %6s %10d %5d%% %5s %5s %6d %4d\n", player, f.rival ? PlayerColourName(f.rival) : "-",
           figure(f.walkToRival).c_str(), figure(f.mineSafety).c_str(), f.expansions, Percent(f.safeAreaPercent / 100),
           figure(f.narrowestPass).c_str(), figure(f.separateWalks).c_str(), f.lumber, f.oilPatches);
  }
  Append(out,
         "  (walk: steps to the nearest rival's start; mine: how many steps nearer the nearest gold mine is than\n"
         "   to any rival; expansions: mines %d-%d steps away, nearer than to any rival; safe: walkable cells %d %%\n"
         "   nearer than to any rival; pass: narrowest cells across on the walk to the rival (up to %d); ways:\n"
         "   walks to the rival that share no cell (up to %d); lumber: forest within %d steps; oil: patches on\n"
         "   the seas its coast touches)\n",
         kExpansionNearestSteps, kExpansionFarthestSteps, kSafeMarginPercent, kWidestPassCounted, kMostSeparateWalks,
         kLumberSteps);
  Append(out, "Map: land %d %%, water %d %%, buildable %d %%; %d gold mines (%lld gold), %d oil patches\n",
         Percent(report.LandShare()), Percent(report.WaterShare()), Percent(report.BuildableShare()), report.goldMines,
         static_cast<long long>(report.gold), report.oilPatches);
  if (verdict.Fair()) {
    Append(out, "Verdict: fair\n");
  } else {
    Append(out, "Verdict: not fair\n");
    for (const RuleFailure& f : verdict.failures)
      Append(out, "  - %s: %s\n", std::string(FairRuleName(f.rule)).c_str(), f.text.c_str());
  }
  Append(out, "  Spread across players (max - min):\n");
  for (const RivalryFigure& figure : kRivalryFigures) {
    const std::optional<double> spread = FigureSpread(report, figure);
    if (spread)
      Append(out, "    %-30s %.4g\n", figure.name, *spread);
    else
      Append(out, "    %-30s -\n", figure.name);
  }
  return out;
}

}  // namespace glenmire
