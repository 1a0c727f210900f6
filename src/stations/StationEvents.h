#pragma once
// What the station layer tells the windows and logs. Windows do not exist
// yet in every build, so the default records the events for inspection.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "stations/FourCC.h"

namespace velmora {

class StationEvents {
public:
    virtual ~StationEvents() = default;
    // A list window of this (window class, list) pair must redraw.
    virtual void InvalidateList(FourCC windowClass, FourCC list) = 0;
    // The station at this index moved or changed and must be redrawn.
    virtual void RedrawStation(int32_t index) = 0;
    // A line for the new-stations log; dropped unless that log is open.
    virtual void NewStationLogLine(std::string_view line) = 0;
    // The map covering the station's stored position is to be centred on it.
    virtual void CentreMapOn(int32_t index) = 0;
    // The history buffer grew by a line of this station (-1 none); after a
    // trim every history window must rebuild its list.
    virtual void HistoryGrew(int32_t index, std::string_view source) = 0;
    virtual void HistoryRebuilt() = 0;
    // Stations were removed and the table compacted: remap[old] is the new
    // index, -1 for a removed one. Whatever holds an index follows it.
    virtual void StationsRenumbered(const std::vector<int32_t>& /*remap*/) {}
};

// Counts every event by kind, keeps the last log line, and hands every
// event on to the listeners (the modules with windows that show stations).
class RecordedStationEvents : public StationEvents {
public:
    void InvalidateList(FourCC windowClass, FourCC list) override {
        ++invalidations[{windowClass, list}];
        for (StationEvents* l : listeners) l->InvalidateList(windowClass, list);
    }
    void RedrawStation(int32_t index) override {
        ++redraws;
        lastRedrawn = index;
        for (StationEvents* l : listeners) l->RedrawStation(index);
    }
    void NewStationLogLine(std::string_view line) override {
        ++logLines;
        lastLogLine = line;
        if (onLogLine) onLogLine(line);
        for (StationEvents* l : listeners) l->NewStationLogLine(line);
    }

    void HistoryGrew(int32_t index, std::string_view source) override {
        ++historyGrew;
        for (StationEvents* l : listeners) l->HistoryGrew(index, source);
    }
    void HistoryRebuilt() override {
        ++historyRebuilds;
        for (StationEvents* l : listeners) l->HistoryRebuilt();
    }
    void CentreMapOn(int32_t index) override {
        ++centreRequests;
        lastCentred = index;
        for (StationEvents* l : listeners) l->CentreMapOn(index);
    }
    void StationsRenumbered(const std::vector<int32_t>& remap) override {
        ++renumberings;
        for (StationEvents* l : listeners) l->StationsRenumbered(remap);
    }

    int Invalidations(FourCC list) const {
        int n = 0;
        for (const auto& [key, count] : invalidations) n += key.second == list ? count : 0;
        return n;
    }

    std::map<std::pair<FourCC, FourCC>, int> invalidations;
    int redraws = 0;
    int32_t lastRedrawn = -1;
    int logLines = 0;
    std::string lastLogLine;
    int centreRequests = 0;
    int historyGrew = 0;
    int historyRebuilds = 0;
    int renumberings = 0;
    int32_t lastCentred = -1;
    // Where the log lines are written, when anywhere.
    std::function<void(std::string_view)> onLogLine;
    std::vector<StationEvents*> listeners;
};

}  // namespace velmora
