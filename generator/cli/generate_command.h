// "glenmire generate" and "glenmire genitize": the main window's "Generate
// Map" (and "Load Map" first, for genitize) without a settings window shown.
#pragma once

#include <string>
#include <vector>

#include "cli/exit_status.h"

namespace glenmire {

ExitStatus RunGenerateCommand(const std::vector<std::string>& args, const std::string& programDir);
ExitStatus RunGenitizeCommand(const std::vector<std::string>& args, const std::string& programDir);

}  // namespace glenmire
