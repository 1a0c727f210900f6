// NMEA sentences as a GPS or a TNC's shared cable delivers them: every
// input is one line for the parser. Nothing may crash, and a fix it
// reports must lie on the world.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "gps/Nmea.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto fix = ParseNmeaSentence(line);
    if (fix && fix->positionValid && fix->goodPosition && (fix->lon < 0 || fix->lat < 0)) std::abort();
    return 0;
}
