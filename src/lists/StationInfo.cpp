#include "lists/StationInfo.h"

#include <cstdio>

#include "geo/Gridsquare.h"
#include "geo/Utm.h"
#include "geo/Position.h"
#include "lists/SymbolNames.h"

namespace velmora {
namespace {

std::string Format(const char* format, auto... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

std::string When(TimeStamp t) {
    if (t == 0) return "-";
    const LocalDateTime d = FromTimeStamp(t);
    return Format("%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute, d.second);
}

std::string PositionLines(const StationRecord& r, InfoHome home) {
    if (!r.HasPosition()) return "Position: none\n";
    const DegreesMinutesSeconds lat = LatToDms(r.lat), lon = LonToDms(r.lon);
    std::string out = Format("Position: %.5f %.5f  (%d %02d' %02d\"%c  %d %02d' %02d\"%c)  Grid %s\n",
                             LatDegreesFromUnits(r.lat), LonDegreesFromUnits(r.lon), lat.degrees, lat.minutes,
                             lat.seconds, lat.hemisphere, lon.degrees, lon.minutes, lon.seconds, lon.hemisphere,
                             PositionToLocator(r.lon, r.lat).c_str());
    if (const auto utm = LatLonToUtm(LatDegreesFromUnits(r.lat), LonDegreesFromUnits(r.lon)))
        out += "UTM " + UtmText(*utm) + "\n";
    if (home.lon > 0 && home.lat > 0) {
        const double miles = DistanceMiles(home.lon, home.lat, r.lon, r.lat);
        out += Format("From home: %.1f mi (%.1f km), bearing %d deg\n", miles, miles * 1.609344,
                      BearingDegrees(home.lon, home.lat, r.lon, r.lat));
    }
    return out;
}

std::string MovementLines(const StationRecord& r) {
    std::string out;
    if (r.speedKnots > 0 || r.course > 0) out += Format("Course %d deg, speed %d knots\n", r.course, r.speedKnots);
    if (r.altitudeFeet != 0) out += Format("Altitude %ld ft\n", long(r.altitudeFeet));
    if (!r.phg.View().empty()) out += "PHG " + std::string(r.phg.View()) + "\n";
    if (r.trackCount > 0) out += Format("Track: %d points, %.1f mi\n", r.trackCount, r.trackMiles);
    return out;
}

std::string WeatherLines(const StationRecord& r) {
    if (!r.isWeatherStation) return {};
    std::string out = Format("Weather (%s): %d F, wind %d deg %d mph gust %d mph", When(r.weatherTime).c_str(),
                             r.temperatureF, r.windDirection, r.windSpeedMph, r.windGustMph);
    if (r.humidity > 0) out += Format(", humidity %d%%", r.humidity);
    if (r.barometerTenthsMbar > 0) out += Format(", %.1f mbar", r.barometerTenthsMbar / 10.0);
    out += Format(", rain %.2f in last hour, %.2f in 24 h, %.2f since midnight\n", r.rainHour / 100.0,
                  r.rain24h / 100.0, r.rainMidnight / 100.0);
    return out;
}

std::string TelemetryLines(const StationRecord& r) {
    if (r.telemetry.empty()) return {};
    const TelemetryRecord& last = r.telemetry.back();
    const TelemetryDefinitions* d = r.telemetryDefinitions.get();
    std::string out = Format("Telemetry (%s)", When(last.time).c_str());
    if (d && !d->project.empty()) out += " " + d->project;
    out += ":";
    for (size_t i = 0; i < last.analogCount && i < 5; ++i) {
        const std::string name = d && !d->names[i].empty() ? d->names[i] : "A" + std::to_string(i + 1);
        const double value = d ? ScaledAnalog(*d, last, i) : last.analog[i];
        out += Format(" %s=%g", name.c_str(), value);
        if (d && !d->units[i].empty()) out += " " + d->units[i];
    }
    for (size_t b = 0; b < last.bitCount && b < 8; ++b) {
        const bool on = ((last.bits >> (7 - b)) & 1) == (d ? ((d->bitSense >> (7 - b)) & 1) : 1);
        const std::string name = d && !d->names[5 + b].empty() ? d->names[5 + b] : "B" + std::to_string(b + 1);
        out += " " + name + (on ? "=on" : "=off");
    }
    return out + "\n";
}

}  // namespace

std::string StationInfoText(const StationTable& t, StationIndex i, const HistoryBuffer& history, InfoHome home) {
    if (!t.ValidIndex(i)) return "No such station\n";
    const StationRecord& r = t.At(i);
    std::string out = std::string(r.callsign.View()) + "\n";
    const std::string_view meaning = SymbolMeaning(r.symbolTable, r.symbolCode);
    out += Format("Symbol: %c%c %s\n", r.symbolTable ? r.symbolTable : ' ', r.symbolCode ? r.symbolCode : ' ',
                  std::string(meaning).c_str());
    out += PositionLines(r, home);
    out += MovementLines(r);
    if (!r.comment.View().empty()) out += "Comment: " + std::string(r.comment.View()) + "\n";
    if (!r.status.View().empty()) out += "Status: " + std::string(r.status.View()) + "\n";
    if (!r.textB.View().empty()) out += "DX spot: " + std::string(r.textB.View()) + "\n";
    if (!r.lastInfo.View().empty()) out += "Last report: " + std::string(r.lastInfo.View()) + "\n";
    if (!r.device.View().empty()) out += "Radio or software: " + std::string(r.device.View()) + "\n";
    if (r.software != 0) {
        std::string software = FourCCText(r.software);
        while (!software.empty() && software.back() == ' ') software.pop_back();
        out += "Software: " + software + (r.version ? " version " + std::to_string(r.version) : "") + "\n";
    }
    std::string path;
    for (const auto& hop : r.bestPath)
        if (!hop.View().empty()) path += (path.empty() ? "" : ",") + std::string(hop.View());
    if (!path.empty()) out += "Path: " + path + "\n";
    out += Format("Packets %ld (direct %ld, digipeated %ld)  First heard %s  Last heard %s\n", long(r.packets),
                  long(r.directCount), long(r.digiCount), When(r.firstHeard).c_str(), When(r.lastHeard).c_str());
    out += WeatherLines(r);
    out += TelemetryLines(r);
    const auto lines = history.LinesOf(i);
    if (!lines.empty()) {
        out += "History:\n";
        for (const std::string_view line : lines) out += "  " + std::string(line) + "\n";
    }
    return out;
}

}  // namespace velmora
