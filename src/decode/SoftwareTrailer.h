#pragma once
// The trailer some APRS programs append to their comments:
// -AABBBCCCCCCCC-ddd-<hhh>, -AABBB-ddd-<hhh>, -ddd-<hh> or -ddd-.
#include <cstdint>
#include <string_view>

namespace velmora {

struct SoftwareTrailer {
    int16_t systemCode = 0;
    int16_t version = 0;
    std::string_view codeA, codeB, codeC;
};

SoftwareTrailer ParseSoftwareTrailer(std::string_view comment);

}  // namespace velmora
