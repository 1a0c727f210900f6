#pragma once
// Where a received line came from, carried with the line and stored per
// station; and where an outgoing packet goes. Both travel as one character
// in logs, history lines and the TNC menus; these are their only
// conversions to and from that character.
#include <cstdint>

namespace velmora {

enum class SourceKind : char {
    kNone = 0,        // not yet known (a record no line has touched)
    kOwn = '0',       // the own station, and lines replayed from a log
    kHf = '1',        // the HF TNC
    kVhf = '2',       // the VHF TNC
    kInternet3 = '3', // an internet link (the older tag)
    kHfTag = 'H',     // HF, as tagged in a replayed log line
    kVhfTag = 'V',    // VHF, as tagged in a replayed log line
    kInternet = 'T',  // an internet link
    kOtherVhf = '-',  // another VHF source
};

// Any character is kept as it came: logs written by other versions carry
// tags we do not know, and they must read back unchanged.
constexpr SourceKind SourceKindFromChar(char c) { return static_cast<SourceKind>(c); }
constexpr char ToChar(SourceKind k) { return static_cast<char>(k); }

constexpr bool IsInternet(SourceKind k) { return k == SourceKind::kInternet || k == SourceKind::kInternet3; }
constexpr bool IsRadioPort(SourceKind k) {
    return k == SourceKind::kHf || k == SourceKind::kVhf || k == SourceKind::kHfTag || k == SourceKind::kVhfTag;
}
constexpr bool IsHf(SourceKind k) { return k == SourceKind::kHf || k == SourceKind::kHfTag; }

enum PortGroup : int { kGroupHf = 0, kGroupVhf = 1, kGroupInternet = 2, kPortGroups = 3 };

// The port group a source answers on; -1 for own and replayed lines.
constexpr int PortGroupOf(SourceKind kind) {
    switch (kind) {
        case SourceKind::kHf: case SourceKind::kHfTag: return kGroupHf;
        case SourceKind::kVhf: case SourceKind::kVhfTag: case SourceKind::kOtherVhf: return kGroupVhf;
        case SourceKind::kInternet: case SourceKind::kInternet3: return kGroupInternet;
        default: return -1;
    }
}

enum class Route : char {
    kAll = '-',
    kHf = '1',
    kHfTag = 'H',
    kVhf = '2',
    kVhfTag = 'V',
    kInternet = '3',
    kInternetTag = 'T',
};

constexpr Route RouteFromChar(char c) { return static_cast<Route>(c); }
constexpr char ToChar(Route r) { return static_cast<char>(r); }
constexpr bool RoutesToHf(Route r) { return r == Route::kHf || r == Route::kHfTag || r == Route::kAll; }
constexpr bool RoutesToVhf(Route r) { return r == Route::kVhf || r == Route::kVhfTag || r == Route::kAll; }
constexpr bool RoutesToInternet(Route r) { return r == Route::kInternet || r == Route::kInternetTag || r == Route::kAll; }

}  // namespace velmora
