#include "gps/Nmea.h"

#include <algorithm>

#include <cmath>
#include <cstdlib>
#include <string>

#include "geo/Position.h"

namespace velmora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The integer part of a decimal field, clamped to the int32 range.
int64_t IntegerPart(std::string_view v) {
    size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
    int64_t n = 0;
    for (; i < v.size() && IsDigit(v[i]) && n < 1000000000; ++i) n = n * 10 + (v[i] - '0');
    return negative ? -n : n;
}

double Decimal(std::string_view v) {
    const std::string s(v);
    return std::strtod(s.c_str(), nullptr);
}

int16_t Clamp16(int64_t v) { return static_cast<int16_t>(v > 32767 ? 32767 : v < -32768 ? -32768 : v); }

// ddmm.mmm or dddmm.mmm; only three decimals of the minutes count.
std::optional<int32_t> Angle(std::string_view v, size_t degreeDigits) {
    const size_t dot = degreeDigits + 2;
    if (v.size() <= dot || v[dot] != '.' || !IsDigit(v[0])) return std::nullopt;
    for (size_t i = 0; i < dot; ++i) {
        if (!IsDigit(v[i])) return std::nullopt;
    }
    int degrees = 0;
    for (size_t i = 0; i < degreeDigits; ++i) degrees = degrees * 10 + (v[i] - '0');
    const int minutes = (v[degreeDigits] - '0') * 10 + (v[degreeDigits + 1] - '0');
    int decimals = 0;
    for (size_t i = 0; i < 3; ++i) {
        const size_t k = dot + 1 + i;
        decimals = decimals * 10 + (k < v.size() && IsDigit(v[k]) ? v[k] - '0' : 0);
    }
    if (minutes >= 60) return std::nullopt;
    const int seconds = decimals * 60 / 1000;
    const int hundredths = decimals * 60 % 1000 / 10;
    return degrees * kUnitsPerDegree + minutes * 6000 + seconds * 100 + hundredths;
}

struct SentenceRule {
    const char* type;
    void (*apply)(const NmeaFields&, GpsFix&);
};

void Position(const NmeaFields& f, int first, GpsFix& out) {
    const auto lat = NmeaLatitude(f[first], f[first + 1]);
    const auto lon = NmeaLongitude(f[first + 2], f[first + 3]);
    if (!lat || !lon) return;
    // Exactly 0 N 0 E is a receiver without a fix.
    if (*lat == kLatOrigin && *lon == kLonOrigin) return;
    out.lat = *lat;
    out.lon = *lon;
    out.positionValid = true;
}

void Time(std::string_view v, GpsFix& out) {
    if (const auto t = NmeaTime(v)) {
        out.time = *t;
        out.timeValid = true;
    }
}

void CourseSpeed(std::string_view course, int16_t speedMph, GpsFix& out) {
    out.course = Clamp16(IntegerPart(course));
    out.speedMph = speedMph;
    out.courseSpeedValid = true;
    out.moving = speedMph > 10;
}

void Rmc(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kRmc;
    Time(f[1], out);
    Position(f, 3, out);
    if (!f[7].empty()) CourseSpeed(f[8], NmeaSpeedMph(f[7], "N"), out);
    out.positionSentence = true;
    out.goodPosition = f[2] == "A";
    out.statusCode = out.goodPosition ? 3114 : 3115;
}

void Gga(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kPosition;
    out.positionSentence = true;
    out.fixQuality = Clamp16(IntegerPart(f[6]));
    if (!f[9].empty()) {
        out.altitudeFeet = NmeaAltitudeFeet(f[9], f[10]);
        out.altitudeValid = true;
    }
    if (f[6] == "1" || f[6] == "2") {
        out.statusCode = f[6] == "1" ? 3100 : 3102;
        out.goodPosition = true;
        Time(f[1], out);
        Position(f, 2, out);
    } else {
        out.statusCode = 3101;
    }
}

void Gll(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kPosition;
    out.positionSentence = true;
    Position(f, 1, out);
    if (f[5].size() > 2) Time(f[5], out);
    out.goodPosition = f[6] == "A" || f[6].empty();
    out.statusCode = out.goodPosition ? 3103 : 3104;
}

void Vtg(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kOther;
    if (!f[1].empty()) CourseSpeed(f[1], NmeaSpeedMph(f[5], f[6]), out);
}

void Hdm(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kOther;
    if (f[1].empty()) return;
    CourseSpeed(f[1], 0, out);
    out.moving = true;  // a heading is trusted without speed
}

void Rma(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kOther;
    out.statusCode = 3110;
    if (!f[7].empty() && !f[8].empty()) {
        out.course = Clamp16(IntegerPart(f[8]));
        out.speedMph = Clamp16(IntegerPart(f[7]));
        out.courseSpeedValid = true;
        out.moving = out.speedMph > 10;
    }
}

void Rmb(const NmeaFields&, GpsFix& out) {
    out.kind = SentenceKind::kOther;
    out.statusCode = 3112;
}

void Kept(const NmeaFields&, GpsFix& out) { out.kind = SentenceKind::kOther; }

void KeptWithTime(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kOther;
    Time(f[1], out);
}

// The Garmin-style G?A/G?F/G?P sentences: time and position.
void GarminPosition(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kPosition;
    Time(f[1], out);
    Position(f, 2, out);
    out.statusCode = 3105;
}

constexpr SentenceRule kRules[] = {
    {"RMC", Rmc}, {"GGA", Gga}, {"GLL", Gll}, {"VTG", Vtg}, {"HDM", Hdm}, {"RMA", Rma},
    {"RMB", Rmb}, {"GSA", Kept}, {"GSV", Kept}, {"APA", Kept}, {"APB", Kept}, {"BWC", Kept},
    {"BWR", Kept}, {"BEC", KeptWithTime}, {"ZDA", KeptWithTime},
    {"GDA", GarminPosition}, {"GDF", GarminPosition}, {"GDP", GarminPosition},
    {"GLA", GarminPosition}, {"GLF", GarminPosition}, {"GLP", GarminPosition},
    {"GOA", GarminPosition}, {"GOF", GarminPosition}, {"GOP", GarminPosition},
    {"GXA", GarminPosition}, {"GXF", GarminPosition}, {"GXP", GarminPosition},
};

// $PMGLB: field 1 selects the layout.
void Pmgl(const NmeaFields& f, GpsFix& out) {
    out.kind = SentenceKind::kProprietary;
    if (f[1] == "2") {
        out.altitudeFeet = NmeaAltitudeFeet(f[2], f[3]);
        out.altitudeValid = true;
    } else if (f[1] == "3") {
        Time(f[2], out);
        out.altitudeFeet = NmeaAltitudeFeet(f[9], f[10]);
        out.altitudeValid = true;
    }
}

}  // namespace

NmeaFields SplitNmea(std::string_view line) {
    NmeaFields f;
    size_t i = 0;
    while (f.count < 32) {
        size_t end = i;
        while (end < line.size() && line[end] != ',' && line[end] != '*' && line[end] != '\r' && line[end] != '\n') ++end;
        f.field[static_cast<size_t>(f.count++)] = line.substr(i, end - i < 15 ? end - i : 15);
        if (end >= line.size() || line[end] == '\r' || line[end] == '\n') break;
        i = end + 1;
    }
    return f;
}

uint8_t NmeaChecksum(std::string_view line) {
    size_t start = (!line.empty() && line[0] == '$') ? 1 : 0;
    size_t end = line.size();
    if (line.size() >= 3 && line[line.size() - 3] == '*') end = line.size() - 3;
    uint8_t sum = 0;
    for (size_t i = start; i < end; ++i) sum ^= static_cast<uint8_t>(line[i]);
    return sum;
}

std::optional<int32_t> NmeaLatitude(std::string_view value, std::string_view hemisphere) {
    const auto units = Angle(value, 2);
    if (!units || *units > 90 * kUnitsPerDegree) return std::nullopt;
    // Units of 0 mean "no position": the pole is kept one unit south of it.
    if (hemisphere == "N" || hemisphere == "n") return std::max<int32_t>(1, kLatOrigin - *units);
    if (hemisphere == "S" || hemisphere == "s") return kLatOrigin + *units;
    return std::nullopt;
}

std::optional<int32_t> NmeaLongitude(std::string_view value, std::string_view hemisphere) {
    const auto units = Angle(value, 3);
    if (!units || *units > 180 * kUnitsPerDegree) return std::nullopt;
    if (hemisphere == "E" || hemisphere == "e") return kLonOrigin + *units;
    // 180 W is 180 E (0 units would mean "no position").
    if (hemisphere == "W" || hemisphere == "w") return *units == 180 * kUnitsPerDegree ? kLonOrigin + *units : kLonOrigin - *units;
    return std::nullopt;
}

std::optional<uint32_t> NmeaTime(std::string_view v) {
    if (v.size() < 6) return std::nullopt;
    for (size_t i = 0; i < 6; ++i) {
        if (!IsDigit(v[i])) return std::nullopt;
    }
    const int h = (v[0] - '0') * 10 + (v[1] - '0');
    const int m = (v[2] - '0') * 10 + (v[3] - '0');
    const int s = (v[4] - '0') * 10 + (v[5] - '0');
    return static_cast<uint32_t>(h * 3600 + m * 60 + s);
}

// Altitudes beyond a million feet are garbage; they are clamped there
// rather than overflowing.
int32_t NmeaAltitudeFeet(std::string_view value, std::string_view unit) {
    constexpr double kLimit = 1000000;
    double feet = static_cast<double>(IntegerPart(value));
    if (unit == "M" || unit == "m") feet *= 3.2808398950131;
    else if (unit != "F" && unit != "f") return 0;
    if (feet > kLimit) feet = kLimit;
    if (feet < -kLimit) feet = -kLimit;
    return static_cast<int32_t>(feet);
}

int16_t NmeaSpeedMph(std::string_view value, std::string_view unit) {
    const double v = Decimal(value);
    double mph = 0;
    if (unit == "K" || unit == "k") mph = v * 0.62137119223733;
    else if (unit == "N" || unit == "n") mph = v * 1.1507771827;
    else if (unit == "S" || unit == "s") mph = v;
    if (!(mph > -32768 && mph < 32767)) return 0;  // NaN and absurd values
    return static_cast<int16_t>(mph);
}

std::optional<GpsFix> ParseNmeaSentence(std::string_view line) {
    if (line.size() < 7 || line[0] != '$' || line[6] != ',') return std::nullopt;
    GpsFix fix;
    fix.fields = SplitNmea(line);
    const std::string_view head = fix.fields[0];
    if (head.size() >= 5 && head[1] == 'P') {
        if (head.substr(1, 4) == "PMGL" && head.size() >= 6 && head[5] == 'B') Pmgl(fix.fields, fix);
        else fix.kind = SentenceKind::kProprietary;
        return fix;
    }
    const std::string_view type = head.size() >= 6 ? head.substr(3, 3) : std::string_view{};
    for (const SentenceRule& rule : kRules) {
        if (type == rule.type) {
            rule.apply(fix.fields, fix);
            break;
        }
    }
    return fix;
}

}  // namespace velmora
