#include "stations/StationRows.h"

#include <cstdio>

#include "geo/Position.h"

namespace velmora {

std::string EscapeField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string StationRowHeader() {
    return "callsign\tlat\tlon\tsymbol\tcourse\tspeed\taltitude\tphg\tsoftware\tversion\tpackets\t"
           "status\tlast_info\twind_dir\twind_speed\tgust\ttemp\train_1h\train_24h\train_midnight\thumidity\tbaro"
           "\tdao\tkilled\tdevice\ttelemetry";
}

std::string StationRow(const StationRecord& s) {
    std::string row = EscapeField(s.callsign.View());
    char buf[64];
    if (s.HasPosition()) {
        std::snprintf(buf, sizeof buf, "\t%.6f\t%.6f", LatDegreesFromUnits(s.lat), LonDegreesFromUnits(s.lon));
        row += buf;
    } else {
        row += "\t\t";
    }
    row += '\t';
    for (char c : {s.symbolTable, s.symbolCode}) {
        if (c) row += EscapeField(std::string_view(&c, 1));
    }
    std::snprintf(buf, sizeof buf, "\t%d\t%d\t%ld\t", s.course, s.speedKnots, static_cast<long>(s.altitudeFeet));
    row += buf;
    row += EscapeField(s.phg.View());
    std::string software = FourCCText(s.software);
    while (!software.empty() && software.back() == ' ') software.pop_back();
    row += '\t';
    row += EscapeField(software);
    std::snprintf(buf, sizeof buf, "\t%d\t%d\t", s.version, s.packets);
    row += buf;
    row += EscapeField(s.status.View());
    row += '\t';
    row += EscapeField(s.lastInfo.View());
    // Weather values only for weather stations; empty otherwise.
    if (s.isWeatherStation) {
        std::snprintf(buf, sizeof buf, "\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d", s.windDirection, s.windSpeedMph,
                      s.windGustMph, s.temperatureF, s.rainHour, s.rain24h, s.rainMidnight, s.humidity,
                      s.barometerTenthsMbar);
        row += buf;
    } else {
        row += "\t\t\t\t\t\t\t\t\t";
    }
    row += '\t';
    if (s.daoDatum) row += EscapeField(std::string_view(&s.daoDatum, 1));
    row += s.killed ? "\t1\t" : "\t\t";
    row += EscapeField(s.device.View());
    // How many telemetry records are kept (--telemetry CALL prints them).
    row += '\t';
    if (!s.telemetry.empty()) row += std::to_string(s.telemetry.size());
    return row;
}

namespace {

// A telemetry column's title: the station's name for it with its unit in
// brackets, or a1..a5 when it sent no names.
std::string TelemetryTitle(const TelemetryDefinitions* d, size_t i) {
    std::string title = d && !d->names[i].empty() ? EscapeField(d->names[i]) : "a" + std::to_string(i + 1);
    if (d && !d->units[i].empty()) title += " [" + EscapeField(d->units[i]) + "]";
    return title;
}

}  // namespace

std::string TelemetryRows(const StationRecord& s) {
    const TelemetryDefinitions* d = s.telemetryDefinitions.get();
    std::string out = "time\tsequence";
    for (size_t i = 0; i < 5; ++i) out += "\t" + TelemetryTitle(d, i);
    out += "\tbits\n";
    for (const TelemetryRecord& r : s.telemetry) {
        char field[64];
        std::snprintf(field, sizeof field, "%u\t", r.time);
        out += field;
        if (r.sequence >= 0) out += std::to_string(r.sequence);
        for (size_t i = 0; i < 5; ++i) {
            out += '\t';
            if (i >= r.analogCount) continue;
            // Scaled by the station's equations when it sent them.
            std::snprintf(field, sizeof field, "%.10g", d ? ScaledAnalog(*d, r, i) : r.analog[i]);
            out += field;
        }
        out += '\t';
        for (size_t b = 0; b < r.bitCount; ++b) out += (r.bits & (0x80 >> b)) ? '1' : '0';
        out += '\n';
    }
    return out;
}

std::string TrackRows(const StationRecord& s) {
    std::string out = "lat\tlon\taltitude\tcourse\tspeed\ttime\n";
    for (const TrackPoint& p : s.trackPoints) {
        char line[128];
        std::snprintf(line, sizeof line, "%.6f\t%.6f\t%d\t%d\t%d\t%u\n", LatDegreesFromUnits(p.lat),
                      LonDegreesFromUnits(p.lon), p.altitudeFeet, p.course, p.speed, p.time);
        out += line;
    }
    char total[64];
    std::snprintf(total, sizeof total, "# %d points, %.3f miles\n", s.trackCount, s.trackMiles);
    return out + total;
}

}  // namespace velmora
