#include "lists/StationTables.h"

#include <cstdio>

#include "decode/MicE.h"
#include "geo/Gridsquare.h"
#include "geo/Position.h"
#include "lists/ListCells.h"

namespace velmora {
namespace {

using cells::None;
using cells::Number;
using cells::Text;

ListCell Age(const ListSources& s, TimeStamp then) { return cells::Age(s.clock.NowStamp(), then); }

StationColumn Call() { return {{"Call"}, [](const StationRecord& r, const ListSources&) { return Text(r.callsign.View()); }}; }
StationColumn LastHeard() {
    return {{"Last heard", CellKind::kNumber},
            [](const StationRecord& r, const ListSources& s) { return Age(s, r.lastHeard); }};
}
StationColumn Miles() {
    return {{"Miles", CellKind::kNumber}, [](const StationRecord& r, const ListSources& s) {
                return r.HasPosition() && s.own.HasHome()
                           ? Number(DistanceMiles(s.own.homeLon, s.own.homeLat, r.lon, r.lat), "%.1f")
                           : None();
            }};
}

std::unique_ptr<ListModel> Positions(ListSources s) {
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("POSL"), "Positions", [](const StationRecord& r) { return r.HasPosition(); },
        std::vector<StationColumn>{
            Call(),
            {{"Lat", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(LatDegreesFromUnits(r.lat), "%.5f"); }},
            {{"Lon", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(LonDegreesFromUnits(r.lon), "%.5f"); }},
            {{"Grid"}, [](const StationRecord& r, const ListSources&) { return Text(PositionToLocator(r.lon, r.lat)); }},
            Miles(),
            {{"Bearing", CellKind::kNumber}, [](const StationRecord& r, const ListSources& s) {
                 return s.own.HasHome() ? Number(BearingDegrees(s.own.homeLon, s.own.homeLat, r.lon, r.lat)) : None();
             }},
            {{"Ambiguity", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return r.ambiguity ? Number(r.ambiguity) : None(); }},
            {{"DAO"}, [](const StationRecord& r, const ListSources&) { return Text(r.daoDatum ? std::string(1, r.daoDatum) : ""); }},
            LastHeard(),
        });
}

std::unique_ptr<ListModel> Tracks(ListSources s) {
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("TRKL"), "Tracks", [](const StationRecord& r) { return r.trackCount > 0; },
        std::vector<StationColumn>{
            Call(),
            {{"Points", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.trackCount); }},
            {{"Miles travelled", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.trackMiles, "%.1f"); }},
            {{"Colour", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.trackColour); }},
            {{"Course", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.course); }},
            {{"Speed kn", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.speedKnots); }},
            LastHeard(),
        });
}

std::unique_ptr<ListModel> MicE(ListSources s) {
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("MICL"), "Mic-E", [](const StationRecord& r) { return r.specialIcon == 26; },
        std::vector<StationColumn>{
            Call(),
            {{"Message"}, [](const StationRecord& r, const ListSources&) { return Text(MicEMessageText(r.micMessage)); }},
            {{"Radio"}, [](const StationRecord& r, const ListSources&) { return Text(r.device.View()); }},
            {{"Course", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.course); }},
            {{"Speed kn", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.speedKnots); }},
            {{"Altitude ft", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return r.altitudeFeet ? Number(r.altitudeFeet) : None(); }},
            {{"Status"}, [](const StationRecord& r, const ListSources&) { return Text(r.status.View()); }},
            LastHeard(),
        });
}

std::unique_ptr<ListModel> Flagged(ListSources s) {
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("FLGL"), "Flagged", [](const StationRecord& r) { return r.flagged != 0; },
        std::vector<StationColumn>{
            Call(),
            {{"Flag"}, [](const StationRecord& r, const ListSources&) { return Text(r.flagged == 'F' ? "by software" : "Stations.txt"); }},
            {{"Alarm"}, [](const StationRecord& r, const ListSources&) { return Text(r.alarm == '*' ? "moved" : r.alarm ? "set" : ""); }},
            Miles(),
            LastHeard(),
        });
}

std::unique_ptr<ListModel> Paths(ListSources s) {
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("PTHL"), "Paths", [](const StationRecord& r) { return r.directCount > 0 || r.digiCount > 0; },
        std::vector<StationColumn>{
            Call(),
            {{"Direct", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.directCount); }},
            {{"Digipeated", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.digiCount); }},
            {{"Best hops", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.bestHops); }},
            {{"Best wides", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.bestWides); }},
            {{"Best path"}, [](const StationRecord& r, const ListSources&) { return cells::BestPath(r); }},
            LastHeard(),
        });
}

std::unique_ptr<ListModel> DirectionFinding(ListSources s) {
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("RDFL"), "DF", [](const StationRecord& r) { return r.dfTime != 0 || r.dfBearing != 0; },
        std::vector<StationColumn>{
            Call(),
            {{"Bearing", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.dfBearing); }},
            {{"Quality", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.dfQuality); }},
            {{"Beam width", CellKind::kNumber}, [](const StationRecord& r, const ListSources&) { return Number(r.dfBeamWidth); }},
            {{"Reported", CellKind::kNumber}, [](const StationRecord& r, const ListSources& s) { return Age(s, r.dfTime); }},
            Miles(),
        });
}

// "IGate List": the stations that sent an IGate report.
std::unique_ptr<ListModel> Igates(ListSources s) {
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("IGAT"), "IGate List", [](const StationRecord& r) { return r.igateCapable != 0; },
        std::vector<StationColumn>{
            Call(),
            {{"Msgs gated", CellKind::kNumber},
             [](const StationRecord& r, const ListSources&) { return Number(r.messageCount, "%4.0f"); }},
            LastHeard(),
            Miles(),
        });
}

// One analog channel: its name, the scaled value and the unit.
StationColumn Analog(size_t i) {
    return {{"A" + std::to_string(i + 1)}, [i](const StationRecord& r, const ListSources&) {
                if (r.telemetry.empty() || i >= r.telemetry.back().analogCount) return None();
                const TelemetryRecord& t = r.telemetry.back();
                const TelemetryDefinitions* d = r.telemetryDefinitions.get();
                char value[32];
                std::snprintf(value, sizeof value, "%g", d ? ScaledAnalog(*d, t, i) : t.analog[i]);
                std::string text = (d && !d->names[i].empty() ? d->names[i] + " " : std::string()) + value;
                if (d && !d->units[i].empty()) text += " " + d->units[i];
                return Text(text);
            }};
}

std::unique_ptr<ListModel> Telemetry(ListSources s) {
    std::vector<StationColumn> columns{
        Call(),
        {{"Received", CellKind::kNumber},
         [](const StationRecord& r, const ListSources& s) { return r.telemetry.empty() ? None() : Age(s, r.telemetry.back().time); }},
        {{"Sequence", CellKind::kNumber},
         [](const StationRecord& r, const ListSources&) {
             return r.telemetry.empty() || r.telemetry.back().sequence < 0 ? None() : Number(r.telemetry.back().sequence);
         }},
    };
    for (size_t i = 0; i < 5; ++i) columns.push_back(Analog(i));
    columns.push_back({{"Bits"}, [](const StationRecord& r, const ListSources&) {
                           if (r.telemetry.empty() || r.telemetry.back().bitCount == 0) return None();
                           const TelemetryRecord& t = r.telemetry.back();
                           const TelemetryDefinitions* d = r.telemetryDefinitions.get();
                           std::string text;
                           for (size_t b = 0; b < t.bitCount && b < 8; ++b) {
                               const bool on = ((t.bits >> (7 - b)) & 1) == (d ? ((d->bitSense >> (7 - b)) & 1) : 1);
                               const std::string name = d && !d->names[5 + b].empty() ? d->names[5 + b] : "B" + std::to_string(b + 1);
                               text += (text.empty() ? "" : " ") + name + (on ? "=on" : "=off");
                           }
                           return Text(text);
                       }});
    columns.push_back({{"Project"}, [](const StationRecord& r, const ListSources&) {
                           return Text(r.telemetryDefinitions ? r.telemetryDefinitions->project : std::string());
                       }});
    return std::make_unique<StationTableModel>(
        s, MakeFourCC("TLMY"), "Telemetry", [](const StationRecord& r) { return !r.telemetry.empty(); },
        std::move(columns));
}

}  // namespace

StationTableModel::StationTableModel(ListSources sources, FourCC code, std::string title,
                                     std::function<bool(const StationRecord&)> wanted,
                                     std::vector<StationColumn> columns)
    : StationListBase(sources), code_(code), title_(std::move(title)), wanted_(std::move(wanted)),
      columns_(std::move(columns)) {
    for (const StationColumn& c : columns_) headers_.push_back(c.column);
}

ListCell StationTableModel::Cell(size_t row, size_t column) const {
    if (column >= columns_.size()) return None();
    return columns_[column].cell(Record(row), s_);
}

std::vector<std::unique_ptr<ListModel>> MakeStationTables(ListSources sources) {
    std::vector<std::unique_ptr<ListModel>> out;
    out.push_back(Positions(sources));
    out.push_back(Tracks(sources));
    out.push_back(MicE(sources));
    out.push_back(Flagged(sources));
    out.push_back(Paths(sources));
    out.push_back(DirectionFinding(sources));
    out.push_back(Telemetry(sources));
    out.push_back(Igates(sources));
    return out;
}

}  // namespace velmora
