// Draws the settings marked random before a run, and the safety clamps.
#pragma once

#include <cstdint>
#include <string_view>

#include "terrain/generator_state.h"

namespace glenmire {

int32_t RandomValue(GeneratorState& s, int32_t lo, int32_t hi, int32_t centre);
void RandomiseSettings(GeneratorState& s);
void ApplySafetyClamps(GeneratorState& s, std::string_view tag);

}  // namespace glenmire
