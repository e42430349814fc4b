// Just enough JSON output for the command's --json summaries.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glenmire {

std::string JsonString(std::string_view text);

}  // namespace glenmire
