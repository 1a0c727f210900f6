#include "lists/StationLists.h"

#include <cstdio>

#include "geo/Position.h"
#include "lists/ListCells.h"
#include "lists/SymbolNames.h"

namespace velmora {
namespace {

using cells::Age;
using cells::None;
using cells::Number;
using cells::Text;

std::string_view SourceName(SourceKind k) {
    switch (k) {
        case SourceKind::kOwn: return "log";  // replayed from a log; the own station's record says "own"
        case SourceKind::kHf: case SourceKind::kHfTag: return "RF HF";
        case SourceKind::kVhf: case SourceKind::kVhfTag: case SourceKind::kOtherVhf: return "RF VHF";
        case SourceKind::kInternet: case SourceKind::kInternet3: return "internet";
        default: return "";
    }
}

std::string SymbolText(const StationRecord& r) {
    std::string s;
    if (r.symbolTable > ' ') s += r.symbolTable;
    if (r.symbolCode > ' ') s += r.symbolCode;
    return s;
}

}  // namespace

void StationListBase::Refresh() {
    rows_.clear();
    for (StationIndex i = 0; i < s_.table.UsedCount(); ++i) {
        const StationRecord& r = s_.table.At(i);
        if (r.InUse() && Wanted(r, i)) rows_.push_back(i);
    }
}

const std::vector<ListColumn>& StationListModel::Columns() const {
    static const std::vector<ListColumn> kColumns = {
        {"Call"}, {"Symbol"}, {"Meaning"}, {"Last heard", CellKind::kNumber}, {"Miles", CellKind::kNumber},
        {"Bearing", CellKind::kNumber}, {"Lat", CellKind::kNumber}, {"Lon", CellKind::kNumber},
        {"Course", CellKind::kNumber}, {"Speed kn", CellKind::kNumber}, {"Altitude ft", CellKind::kNumber},
        {"Source"}, {"Packets", CellKind::kNumber}, {"Comment or status"},
    };
    return kColumns;
}

ListCell StationListModel::Cell(size_t row, size_t column) const {
    const StationRecord& r = Record(row);
    const bool pos = r.HasPosition(), home = s_.own.HasHome();
    switch (column) {
        case 0: return Text(r.callsign.View());
        case 1: return Text(SymbolText(r));
        case 2: return Text(SymbolMeaning(r.symbolTable, r.symbolCode));
        case 3: return Age(s_.clock.NowStamp(), r.lastHeard);
        case 4: return pos && home ? Number(DistanceMiles(s_.own.homeLon, s_.own.homeLat, r.lon, r.lat), "%.1f") : None();
        case 5: return pos && home ? Number(BearingDegrees(s_.own.homeLon, s_.own.homeLat, r.lon, r.lat)) : None();
        case 6: return pos ? Number(LatDegreesFromUnits(r.lat), "%.5f") : None();
        case 7: return pos ? Number(LonDegreesFromUnits(r.lon), "%.5f") : None();
        case 8: return r.course || r.speedKnots ? Number(r.course) : None();
        case 9: return r.course || r.speedKnots ? Number(r.speedKnots) : None();
        case 10: return r.altitudeFeet ? Number(r.altitudeFeet) : None();
        case 11: return Text(rows_[row] == 0 ? "own" : SourceName(r.sourceKind));
        case 12: return Number(r.packets);
        // The words the station sent; its raw report is in the information window.
        case 13: return Text(!r.comment.View().empty() ? r.comment.View() : r.status.View());
        default: return None();
    }
}

std::optional<RowColour> StationListModel::Colour(size_t row) const {
    const StationRecord& r = Record(row);
    if (r.killed) return RowColour{128, 128, 128};                   // killed objects greyed
    if (r.symbolTable == '\\' && r.symbolCode == '!') return RowColour{200, 0, 0};  // emergency
    if (r.micMessage == 7) return RowColour{200, 0, 0};              // Mic-E EMERGENCY!
    if (r.flagged) return RowColour{0, 0, 160};
    return std::nullopt;
}

const std::vector<ListColumn>& WeatherListModel::Columns() const {
    static const std::vector<ListColumn> kMetric = {
        {"Call"}, {"Last report", CellKind::kNumber}, {"Temp C", CellKind::kNumber},
        {"Wind dir", CellKind::kNumber}, {"Wind km/h", CellKind::kNumber}, {"Gust km/h", CellKind::kNumber},
        {"Rain 1h mm", CellKind::kNumber}, {"Rain 24h mm", CellKind::kNumber}, {"Rain today mm", CellKind::kNumber},
        {"Humidity %", CellKind::kNumber}, {"Pressure mbar", CellKind::kNumber}, {"km", CellKind::kNumber},
        {"Station type"},
    };
    if (metric_) return kMetric;
    static const std::vector<ListColumn> kColumns = {
        {"Call"}, {"Last report", CellKind::kNumber}, {"Temp F", CellKind::kNumber},
        {"Wind dir", CellKind::kNumber}, {"Wind mph", CellKind::kNumber}, {"Gust mph", CellKind::kNumber},
        {"Rain 1h in", CellKind::kNumber}, {"Rain 24h in", CellKind::kNumber}, {"Rain today in", CellKind::kNumber},
        {"Humidity %", CellKind::kNumber}, {"Pressure mbar", CellKind::kNumber}, {"Miles", CellKind::kNumber},
        {"Station type"},
    };
    return kColumns;
}

ListCell WeatherListModel::Cell(size_t row, size_t column) const {
    const StationRecord& r = Record(row);
    switch (column) {
        case 0: return Text(r.callsign.View());
        case 1: return Age(s_.clock.NowStamp(), r.weatherTime);
        case 2: return metric_ ? Number((r.temperatureF - 32) * 5.0 / 9.0, "%.1f") : Number(r.temperatureF);
        case 3: return Number(r.windDirection);
        case 4: return metric_ ? Number(r.windSpeedMph * 1.609344) : Number(r.windSpeedMph);
        case 5: return metric_ ? Number(r.windGustMph * 1.609344) : Number(r.windGustMph);
        case 6: return metric_ ? Number(r.rainHour * 0.254, "%.1f") : Number(r.rainHour / 100.0, "%.2f");
        case 7: return metric_ ? Number(r.rain24h * 0.254, "%.1f") : Number(r.rain24h / 100.0, "%.2f");
        case 8: return metric_ ? Number(r.rainMidnight * 0.254, "%.1f") : Number(r.rainMidnight / 100.0, "%.2f");
        case 9: return r.humidity ? Number(r.humidity) : None();
        case 10: return r.barometerTenthsMbar ? Number(r.barometerTenthsMbar / 10.0, "%.1f") : None();
        case 11: return r.HasPosition() && s_.own.HasHome()
                            ? Number(DistanceMiles(s_.own.homeLon, s_.own.homeLat, r.lon, r.lat) * (metric_ ? 1.609344 : 1),
                                     "%.1f")
                            : None();
        case 12: return Text(r.weatherType.View());
        default: return None();
    }
}

bool HeardNowModel::Wanted(const StationRecord& r, StationIndex i) const {
    const TimeStamp now = s_.clock.NowStamp();
    return i > 0 && r.lastHeard != 0 && now >= r.lastHeard && now - r.lastHeard <= 3600 &&
           (r.sourceKind == SourceKind::kVhf || r.sourceKind == SourceKind::kHf ||
            r.sourceKind == SourceKind::kVhfTag || r.sourceKind == SourceKind::kHfTag);
}

const std::vector<ListColumn>& HeardNowModel::Columns() const {
    static const std::vector<ListColumn> kColumns = {
        {"Call"}, {"Last heard", CellKind::kNumber}, {"Heard"}, {"Direct", CellKind::kNumber},
        {"Via digipeaters", CellKind::kNumber}, {"Best path"}, {"Miles", CellKind::kNumber},
    };
    return kColumns;
}

ListCell HeardNowModel::Cell(size_t row, size_t column) const {
    const StationRecord& r = Record(row);
    switch (column) {
        case 0: return Text(r.callsign.View());
        case 1: return Age(s_.clock.NowStamp(), r.lastHeard);
        case 2: return Text(r.heardDirect ? "direct" : "digipeated");
        case 3: return Number(r.directCount);
        case 4: return Number(r.digiCount);
        case 5: return cells::BestPath(r);
        case 6: return r.HasPosition() && s_.own.HasHome()
                           ? Number(DistanceMiles(s_.own.homeLon, s_.own.homeLat, r.lon, r.lat), "%.1f")
                           : None();
        default: return None();
    }
}

const std::vector<ListColumn>& HistoryListModel::Columns() const {
    static const std::vector<ListColumn> kColumns = {{"Time", CellKind::kNumber}, {"Source"}, {"Line"}};
    return kColumns;
}

void HistoryListModel::Refresh() {
    rows_.clear();
    s_.history.ForEach([this](const HistoryRecord& h) { rows_.push_back({h.time, h.kind, std::string(h.line)}); });
}

ListCell HistoryListModel::Cell(size_t row, size_t column) const {
    const Row& r = rows_[row];
    switch (column) {
        case 0: {
            const LocalDateTime t = FromTimeStamp(r.time);
            char buf[48];
            std::snprintf(buf, sizeof buf, "%02d/%02d %02d:%02d:%02d", t.month, t.day, t.hour, t.minute, t.second);
            return ListCell{buf, static_cast<double>(r.time), false};
        }
        case 1: return Text(SourceName(r.kind));
        case 2: return Text(r.line);
        default: return None();
    }
}

std::string HistoryListModel::Summary() const {
    const size_t capacity = s_.history.Capacity();
    const double used = capacity ? 100.0 * static_cast<double>(s_.history.Length()) / static_cast<double>(capacity) : 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "Buffer utilization %.0f %%", used);
    return buf;
}

}  // namespace velmora
