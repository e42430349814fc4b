// "glenmire info" and "glenmire preview": what a player wants to know about a
// map before playing it, and a picture of it.
#pragma once

#include <string>
#include <vector>

namespace glenmire {

int RunInfoCommand(const std::vector<std::string>& args);
int RunPreviewCommand(const std::vector<std::string>& args);

}  // namespace glenmire
