#include "decode/PositionText.h"

#include <cctype>
#include <cmath>

#include "geo/Position.h"

namespace velmora {
namespace {

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }
std::string_view Sub(std::string_view s, size_t pos, size_t n) {
    return pos < s.size() ? s.substr(pos, n) : std::string_view{};
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int Digit(char c) { return c - '0'; }

bool Base91(char c) { return c >= '!' && c <= '{'; }
int V(char c) { return static_cast<unsigned char>(c) - 33; }

// Replaces blanked digits (letters or blanks) in [from, to] with "0" and
// counts them; the "." is never blanked.
int Unblank(char* text, size_t length, size_t from, size_t to) {
    int count = 0;
    for (size_t i = from; i <= to && i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '.') continue;
        if (c == ' ' || std::isalpha(c)) {
            text[i] = '0';
            ++count;
        }
    }
    return count;
}

bool Shape(const char* t, size_t dot) {
    for (size_t i = 0; i < dot + 3; ++i) {
        if (i == dot ? t[i] != '.' : !IsDigit(t[i])) return false;
    }
    return true;
}

}  // namespace

bool ValidPositionTriple(char a, char b, char c) {
    const bool lat = a == 'N' || a == 'S' || a == 'n' || a == 's';
    const bool table = b == '!' || b == '*' || b == '+' || b == '/' || b == '?' || b == '\\' ||
                       std::isalnum(static_cast<unsigned char>(b));
    const bool lon = c == 'E' || c == 'W' || c == 'e' || c == 'w';
    return lat && table && lon;
}

void SplitTextPosition(std::string_view text, size_t k, DecodedReport& r) {
    r.latText = Sub(text, k + 1, 8);
    r.symbolTable = static_cast<char>(At(text, k + 9) & 0x7F);
    r.lonText = Sub(text, k + 10, 9);
    r.symbolCode = static_cast<char>(At(text, k + 19) & 0x7F);
    r.comment = Sub(text, k + 20, std::string_view::npos);
}

std::optional<ConvertedPosition> ConvertTextPosition(std::string_view lonText,
                                                     std::string_view latText) {
    if (lonText.size() < 9 || latText.size() < 8) return std::nullopt;
    char lon[9], lat[8];
    lonText.copy(lon, 9);
    latText.copy(lat, 8);
    const int lonBlanks = Unblank(lon, 9, 3, 7);
    const int latBlanks = Unblank(lat, 8, 2, 6);
    if (!Shape(lon, 5) || !Shape(lat, 4)) return std::nullopt;

    const int lonDeg = Digit(lon[0]) * 100 + Digit(lon[1]) * 10 + Digit(lon[2]);
    const int lonMin = Digit(lon[3]) * 10 + Digit(lon[4]);
    const int lonHundredths = Digit(lon[6]) * 10 + Digit(lon[7]);
    const int latDeg = Digit(lat[0]) * 10 + Digit(lat[1]);
    const int latMin = Digit(lat[2]) * 10 + Digit(lat[3]);
    const int latHundredths = Digit(lat[5]) * 10 + Digit(lat[6]);
    // Out-of-range text would land off the world or wrap into another place.
    if (lonMin >= 60 || latMin >= 60 || lonDeg > 180 || latDeg > 90) return std::nullopt;

    // A hundredth of a minute is exactly 60 units: the position keeps all
    // the precision its text carries.
    const int32_t lonUnits = lonDeg * kUnitsPerDegree + lonMin * 6000 + lonHundredths * 60;
    const int32_t latUnits = latDeg * kUnitsPerDegree + latMin * 6000 + latHundredths * 60;
    ConvertedPosition out;
    switch (lon[8]) {
        case 'E': case 'e': out.lon = kLonOrigin + lonUnits; break;
        case 'W': case 'w': out.lon = kLonOrigin - lonUnits; break;
        default: return std::nullopt;
    }
    switch (lat[7]) {
        case 'N': case 'n': out.lat = kLatOrigin - latUnits; break;
        case 'S': case 's': out.lat = kLatOrigin + latUnits; break;
        default: return std::nullopt;
    }
    if (out.lon <= 0 || out.lat <= 0) return std::nullopt;
    out.ambiguity = static_cast<int16_t>(lonBlanks > latBlanks ? lonBlanks : latBlanks);
    return out;
}

std::optional<CompressedPosition> DecodeShortCompressed(std::string_view p) {
    if (p.size() < 7) return std::nullopt;
    for (size_t i = 0; i < 6; ++i) {
        if (!Base91(p[i])) return std::nullopt;
    }
    const unsigned extra = static_cast<unsigned char>(p[6]);
    const double latDeg =
        (V(p[0]) * 8281.0 + V(p[1]) * 91.0 + V(p[2]) + ((extra >> 3) & 7) / 8.0) * 180.0 / 753480.0 - 90.0;
    const double lonDeg =
        180.0 - (V(p[3]) * 8281.0 + V(p[4]) * 91.0 + V(p[5]) + (extra & 7) / 8.0) * 360.0 / 753480.0;
    CompressedPosition out{LonUnitsFromDegrees(lonDeg), LatUnitsFromDegrees(latDeg)};
    if (out.lon <= 0 || out.lat <= 0) return std::nullopt;
    return out;
}

namespace {
bool CompressedTable(char c) {
    // Overlay digits are sent as "a".."j" in the compressed form.
    return c == '/' || c == '\\' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'j');
}
}  // namespace

std::optional<StandardCompressed> DecodeStandardCompressed(std::string_view p) {
    if (p.size() < 13 || !CompressedTable(p[0])) return std::nullopt;
    for (size_t i = 1; i <= 8; ++i) {
        if (!Base91(p[i])) return std::nullopt;
    }
    const double y = ((V(p[1]) * 91.0 + V(p[2])) * 91.0 + V(p[3])) * 91.0 + V(p[4]);
    const double x = ((V(p[5]) * 91.0 + V(p[6])) * 91.0 + V(p[7])) * 91.0 + V(p[8]);
    StandardCompressed out;
    out.lat = LatUnitsFromDegrees(90.0 - y / 380926.0);
    out.lon = LonUnitsFromDegrees(-180.0 + x / 190463.0);
    if (out.lon <= 0 || out.lat <= 0) return std::nullopt;
    out.table = p[0];
    out.code = p[9];
    const char c = p[10], s = p[11], t = p[12];
    if (c == ' ' || !Base91(c) || !Base91(s) || !Base91(t)) return out;
    if (((V(t) >> 3) & 3) == 2) {
        // Altitude from a GGA sentence.
        out.altitude = true;
        out.altitudeFeet = static_cast<int32_t>(std::pow(1.002, V(c) * 91 + V(s)));
    } else if (c <= 'z') {
        out.courseSpeed = true;
        out.course = static_cast<int16_t>(V(c) * 4);
        out.speedKnots = static_cast<int16_t>(std::lround(std::pow(1.08, V(s)) - 1.0));
    }
    return out;
}

bool FillStandardCompressed(std::string_view p, DecodedReport& r) {
    const auto c = DecodeStandardCompressed(p);
    if (!c) return false;
    r.symbolTable = c->table;
    r.symbolCode = c->code;
    r.lon = c->lon;
    r.lat = c->lat;
    r.positionValid = 1;
    if (c->courseSpeed) {
        r.course = c->course;
        r.speedKnots = c->speedKnots;
        r.courseSpeedSet = 1;
    }
    if (c->altitude) {
        r.altitudeFeet = c->altitudeFeet;
        r.altitudeSet = 1;
    }
    return true;
}

char ApplyDao(std::string_view c, int32_t& lon, int32_t& lat) {
    for (size_t at = c.find('!'); at != std::string_view::npos && at + 4 < c.size(); at = c.find('!', at + 1)) {
        const char datum = c[at + 1], a = c[at + 2], o = c[at + 3];
        if (c[at + 4] != '!' || !std::isalpha(static_cast<unsigned char>(datum))) continue;
        double latMinutes, lonMinutes;
        if (std::isupper(static_cast<unsigned char>(datum))) {
            // A blank means the datum only, with no more precision.
            if (a == ' ' && o == ' ') return datum;
            if (!IsDigit(a) || !IsDigit(o)) continue;
            latMinutes = (a - '0') * 0.001;
            lonMinutes = (o - '0') * 0.001;
        } else {
            if (!Base91(a) || !Base91(o)) continue;
            // 0..90 scaled to two more digits, 0..99.
            latMinutes = std::round(V(a) / 91.0 * 100.0) * 0.0001;
            lonMinutes = std::round(V(o) / 91.0 * 100.0) * 0.0001;
        }
        const auto units = [](double minutes) { return static_cast<int32_t>(std::lround(minutes * 6000.0)); };
        lat += lat < kLatOrigin ? -units(latMinutes) : units(latMinutes);
        lon += lon < kLonOrigin ? -units(lonMinutes) : units(lonMinutes);
        return datum;
    }
    return 0;
}

std::optional<Symbol> DestinationSymbol(std::string_view s) {
    if (s.size() < 2) return std::nullopt;
    const char first = s[0];
    const int x = static_cast<unsigned char>(s[1]);
    char table;
    switch (first) {
        case 'A': case 'D': case 'N': case 'O': case 'Q': case 'S': table = '\\'; break;
        case 'B': case 'H': case 'J': case 'L': case 'M': case 'P': case 'C': table = '/'; break;
        default: return std::nullopt;
    }
    int code;
    switch (first) {
        case 'A': case 'P': code = x; break;
        case 'B': case 'O': code = x - 33; break;
        case 'D': case 'H': code = x + 8; break;
        case 'J': case 'Q': code = x + 74; break;
        case 'L': case 'S': code = std::tolower(x); break;
        case 'M': case 'N': code = x - 24; break;
        default:  // 'C' and two digits
            if (s.size() < 3 || !IsDigit(s[1]) || !IsDigit(s[2])) return std::nullopt;
            code = Digit(s[1]) * 10 + Digit(s[2]) + 32;
            break;
    }
    // Symbols are printable; anything else came from a malformed suffix.
    if (code < '!' || code > '~') return std::nullopt;
    return Symbol{table, static_cast<char>(code)};
}

}  // namespace velmora
