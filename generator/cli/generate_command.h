// "glenmire generate" and "glenmire genitize": the main window's "Generate
// Map" (and "Load Map" first, for genitize) without a settings window shown.
#pragma once

#include <string>
#include <vector>

namespace glenmire {

int RunGenerateCommand(const std::vector<std::string>& args, const std::string& programDir);
int RunGenitizeCommand(const std::vector<std::string>& args, const std::string& programDir);

}  // namespace glenmire
