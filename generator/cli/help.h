// What the glenmire command says about itself: the usage of every command,
// the help of one command with its options and their defaults, the version.
#pragma once

#include <string>

namespace glenmire {

inline constexpr const char* kGlenmireVersion = "glenmire 3.0 (Glenmire32 v3.0)";

// One line per command, for `glenmire --help`.
std::string UsageText();
// The command's options with their defaults; empty for a command there is not.
std::string CommandHelp(const std::string& command);

}  // namespace glenmire
