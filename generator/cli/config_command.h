// "glenmire config ...": write the default and starter configurations, show
// a configuration by field name, and change fields by name.
#pragma once

#include <string>
#include <vector>

#include "cli/exit_status.h"

namespace glenmire {

ExitStatus RunConfigCommand(const std::vector<std::string>& args);

}  // namespace glenmire
