#pragma once
// The cells every list of stations builds: text, a formatted number that
// sorts by its value, an empty cell, an age, and a station's best path.
#include <cstdio>
#include <string>
#include <string_view>

#include "lists/ListModel.h"
#include "platform/Clock.h"
#include "stations/StationRecord.h"

namespace velmora::cells {

inline ListCell Text(std::string_view s) { return ListCell{std::string(s), 0, s.empty()}; }

inline ListCell Number(double v, const char* format = "%.0f") {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, v);
    return ListCell{buf, v, false};
}

inline ListCell None() { return ListCell{"", 0, true}; }

// "3 min", "2.0 h", "5.0 d": how long ago, sortable by seconds.
inline ListCell Age(TimeStamp now, TimeStamp then) {
    if (then == 0) return None();
    const double s = now > then ? now - then : 0;
    char buf[32];
    if (s < 60) std::snprintf(buf, sizeof buf, "%.0f s", s);
    else if (s < 3600) std::snprintf(buf, sizeof buf, "%.0f min", s / 60);
    else if (s < 86400) std::snprintf(buf, sizeof buf, "%.1f h", s / 3600);
    else std::snprintf(buf, sizeof buf, "%.1f d", s / 86400);
    return ListCell{buf, s, false};
}

// The best path heard, its elements joined by commas.
inline ListCell BestPath(const StationRecord& r) {
    std::string path;
    for (const auto& hop : r.bestPath) {
        if (hop.View().empty()) continue;
        if (!path.empty()) path += ',';
        path += hop.View();
    }
    return Text(path);
}

}  // namespace velmora::cells
