// The generation driver: runs the stages of one "Generate Map" in order, or
// the Genitize road when a loaded map is being rewritten.
#pragma once

#include "terrain/generator_state.h"

namespace glenmire {

// Texts the driver shows.
inline constexpr const char* kBuildOnSandQuestion =
    "There is not much buildable land.  Would you like to enable the \"Build On Sand\" option?  "
    "Structures built on sand can not be rebuilt after being destroyed.";
inline constexpr const char* kUnplacedQuestion = "Unable to Place all Players, make map anyway?";
inline constexpr const char* kDoneCreating = "Done Creating MapFile";
inline constexpr const char* kDoneGenitizing = "Done Genitizing Map File";
inline constexpr const char* kNoPlayableMap =
    "Glenmire was unable to make a playable map under the configuration you selected.  You could try "
    "to generate a map with the current configuration again.  If that does not help you may want to "
    "consider either reducing the number of units to be placed or adjust the terrain settings to allow "
    "for more buildable land.";
inline constexpr const char* kDefaultMapFileName = "glenmire.pud";

// Throws FileError when the map file cannot be written.
void RunGeneration(GeneratorState& s);

}  // namespace glenmire
