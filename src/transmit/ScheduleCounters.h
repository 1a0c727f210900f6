#pragma once
// Own reports marked due out of turn (a query, a rain alarm); the
// scheduler sends them on its next pass and clears the flag.
#include "stations/SourceKind.h"

namespace velmora {

struct ScheduleCounters {
    bool positionNow[kPortGroups] = {};
    bool weatherNow[kPortGroups] = {};
};

}  // namespace velmora
