#pragma once
// Wind directions the stations print as compass text ("NNE", "SW").
#include <string_view>

namespace velmora {

// Degrees for a compass text of up to three letters; anything else, "N"
// included, is 0.
int CompassPointDegrees(std::string_view text);

}  // namespace velmora
