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
           "status\tlast_info\twind_dir\twind_speed\tgust\ttemp\train_1h\train_24h\train_midnight\thumidity\tbaro";
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
    return row;
}

std::string TelemetryRows(const StationRecord& s) {
    std::string out = "record\ttime\taltitude\tsequence\ta1\ta2\ta3\ta4\ta5\tbits\n";
    const std::vector<uint8_t>& b = s.owned[kOwnedTelemetry];
    constexpr size_t kRecord = 36;
    auto u32 = [](const uint8_t* p) {
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
               static_cast<uint32_t>(p[3]) << 24;
    };
    auto i16 = [](const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); };
    for (size_t r = 0; r + 1 <= b.size() / kRecord; ++r) {
        const uint8_t* p = b.data() + r * kRecord;
        bool used = false;
        for (size_t i = 0; i < kRecord; ++i) used = used || p[i] != 0;
        if (!used) continue;
        char line[160];
        std::snprintf(line, sizeof line, "%zu\t%u\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t", r, u32(p),
                      static_cast<int32_t>(u32(p + 4)), i16(p + 8), i16(p + 10), i16(p + 12), i16(p + 14),
                      i16(p + 16), i16(p + 18));
        out += line;
        out += EscapeField(std::string_view(reinterpret_cast<const char*>(p + 27), 8).substr(
            0, std::string_view(reinterpret_cast<const char*>(p + 27), 8).find('\0')));
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
