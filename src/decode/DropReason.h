#pragma once
// Why a received line changed no station, counted per reason so the
// statistics and the tests can say what happened to a line.
#include <array>
#include <cstdint>
#include <string_view>

namespace velmora {

enum class DropReason : uint8_t {
    kNoInformation,    // no "source>destination:" header, or nothing after it
    kInvalidCallsign,  // the source is no callsign we can file
    kTableFull,        // the station table has no free record
    kTooDeep,          // relayed packets nested past the limit
    kBadHeaderCall,    // a destination or path call no packet can carry
    kCount,
};

inline constexpr std::array<std::string_view, static_cast<size_t>(DropReason::kCount)> kDropReasonLabels = {
    "no information field",
    "invalid callsign",
    "station table full",
    "relayed too deep",
    "bad call in header",
};

constexpr std::string_view DropReasonLabel(DropReason r) {
    const auto i = static_cast<size_t>(r);
    return i < kDropReasonLabels.size() ? kDropReasonLabels[i] : "unknown";
}

struct DropCounters {
    std::array<uint32_t, static_cast<size_t>(DropReason::kCount)> counts{};
    void Count(DropReason r) { ++counts[static_cast<size_t>(r)]; }
    uint32_t operator[](DropReason r) const { return counts[static_cast<size_t>(r)]; }
};

}  // namespace velmora
