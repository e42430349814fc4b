// The map report, its verdict and survey results as JSON, for the command's
// --json output.
#pragma once

#include <string>

#include "report/fairness.h"
#include "report/map_report.h"
#include "run/settings_survey.h"

namespace glenmire {

// One JSON object; lines after the first are indented by `indent` spaces.
std::string ReportJson(const MapReport& report, const Verdict& verdict, int indent);
std::string RulesJson(const FairnessRules& rules);
std::string SurveyJson(const std::string& config, const SurveyResult& survey, const FairnessRules& rules);

}  // namespace glenmire
