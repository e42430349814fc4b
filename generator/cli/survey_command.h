// "glenmire survey CONFIG": many seeds of one configuration, summed up.
#pragma once

#include <string>
#include <vector>

#include "cli/exit_status.h"

namespace glenmire {

ExitStatus RunSurveyCommand(const std::vector<std::string>& args, const std::string& programDir);

}  // namespace glenmire
