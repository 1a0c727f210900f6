#pragma once
// "Display Options" and "Units" as plain state: what the front map window
// shows (or, with none open, what new windows show), its station font, and
// whether distances, speeds and weather are metric.
#include <string>

#include "app/Settings.h"
#include "maps/MapWindow.h"

namespace velmora {

struct DisplayOptionsForm {
    MapDisplayOptions options;
    int fontSize = 14;
    bool metric = false;
    bool hasWindow = false;      // the options are the front map window's
    bool forNewWindows = false;  // and also what new map windows show

    static constexpr int kMinFont = 6, kMaxFont = 40;
    static DisplayOptionsForm From(const MapSettings& settings, const MapWindow* front);
    std::string Problem() const;
};

inline constexpr const char* kFilterNames[5] = {"All Stations", "Direct Stations Only", "Flagged Stations Only",
                                                "Tracked Stations Only", "Weather Stations Only"};
inline constexpr const char* kPlacementNames[4] = {"Right of the symbol", "Listed beside the symbol",
                                                   "Left of the symbol", "Above left of the symbol"};

}  // namespace velmora
