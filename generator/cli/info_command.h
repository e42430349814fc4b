// "glenmire info" and "glenmire preview": what a player wants to know about a
// map before playing it, and a picture of it.
#pragma once

#include <string>
#include <vector>

#include "cli/exit_status.h"

namespace glenmire {

// `--config FILE.gmp` names the settings the map was made with, so that
// only players set up alike are held to the same start.
ExitStatus RunInfoCommand(const std::vector<std::string>& args, const std::string& programDir);
ExitStatus RunPreviewCommand(const std::vector<std::string>& args);

}  // namespace glenmire
