// "glenmire survey CONFIG": many seeds of one configuration, summed up.
#pragma once

#include <string>
#include <vector>

namespace glenmire {

int RunSurveyCommand(const std::vector<std::string>& args, const std::string& programDir);

}  // namespace glenmire
