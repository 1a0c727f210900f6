#pragma once
// The map colour codes: 32 colours by number, codes above 31 read as
// characters ("1"-"9", "A"-"E"), and the fill colours of filled polygons.
#include <cstdint>

#include "platform/Surface.h"

namespace velmora {

// The colour of a map or label colour code.
Rgb MapColour(int code);
// The fill of a polygon whose last vertex carries this attribute
// (0x82-0x8F).
Rgb MapFillColour(uint8_t attribute);

}  // namespace velmora
