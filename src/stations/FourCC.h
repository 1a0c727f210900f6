#pragma once
// Four-character codes held in 32-bit values: software families, window
// classes and list kinds.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

using FourCC = uint32_t;

constexpr FourCC MakeFourCC(const char (&s)[5]) {
    return (static_cast<FourCC>(static_cast<unsigned char>(s[0])) << 24) |
           (static_cast<FourCC>(static_cast<unsigned char>(s[1])) << 16) |
           (static_cast<FourCC>(static_cast<unsigned char>(s[2])) << 8) |
           static_cast<FourCC>(static_cast<unsigned char>(s[3]));
}

inline std::string FourCCText(FourCC code) {
    if (code == 0) return {};
    return {static_cast<char>(code >> 24), static_cast<char>(code >> 16),
            static_cast<char>(code >> 8), static_cast<char>(code)};
}

}  // namespace velmora
