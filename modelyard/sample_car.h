// The sample car shipped as model.geo, so the viewer starts with something to
// show: body, cabin and four wheels, with one empty object between the front
// and rear wheels and one at the end of the file.
#pragma once

#include <cstdint>
#include <vector>

namespace modelyard {

std::vector<uint8_t> BuildSampleCarGeo();

}  // namespace modelyard
