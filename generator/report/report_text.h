// The map report and its verdict as plain text: a table per player, the
// pairs, the map's figures and the verdict with every failed rule. The
// command prints it; the window can show it beside the map picture.
#pragma once

#include <string>

#include "report/fairness.h"
#include "report/map_report.h"

namespace glenmire {

// Lines ending in '\n'; players that take no part are left out.
std::string FormatReportText(const MapReport& report, const Verdict& verdict);
// "fair", or "not fair: " and the failures joined by "; ".
std::string VerdictLine(const Verdict& verdict);

}  // namespace glenmire
