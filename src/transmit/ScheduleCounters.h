#pragma once
// Own reports marked due out of turn (a query, a rain alarm); the
// scheduler sends them on its next pass and clears the flag.
namespace velmora {

enum PortGroup : int { kGroupHf = 0, kGroupVhf = 1, kGroupInternet = 2, kPortGroups = 3 };

// The port group a source kind answers on; -1 for own and replayed lines.
inline int PortGroupOf(char kind) {
    switch (kind) {
        case '1': case 'H': return kGroupHf;
        case '2': case 'V': case '-': return kGroupVhf;
        case '3': case 'T': return kGroupInternet;
        default: return -1;
    }
}

struct ScheduleCounters {
    bool positionNow[kPortGroups] = {};
    bool weatherNow[kPortGroups] = {};
};

}  // namespace velmora
