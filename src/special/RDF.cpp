#include "special/RDF.h"

#include <cmath>

namespace velmora {
namespace {

int NumberAt(std::string_view s, size_t at) {
    int v = 0;
    for (size_t i = at; i < s.size() && s[i] >= '0' && s[i] <= '9' && v < 100000; ++i) v = v * 10 + (s[i] - '0');
    return v;
}

bool ThreeDigits(std::string_view s) {
    return s.size() == 3 && s[0] >= '0' && s[0] <= '9' && s[1] >= '0' && s[1] <= '9' && s[2] >= '0' &&
           s[2] <= '9';
}

}  // namespace

std::optional<DfBearing> ComputeDfBearing(std::string_view t, int course) {
    DfBearing b;
    if (!t.empty() && t[0] == '%' && t.size() > 5 && t[4] == '/') {
        b.bearing = NumberAt(t, 1);
        b.quality = NumberAt(t, 5);
    } else if (!t.empty() && t[0] == '%' && t.size() > 6 && t[6] == '/') {
        b.bearing = NumberAt(t, 1);
        b.quality = NumberAt(t, 7);
    } else if (ThreeDigits(t)) {
        b.bearing = NumberAt(t, 0);
        b.quality = 7;
    } else {
        return std::nullopt;
    }
    if (course >= 1 && course <= 359) {
        b.bearing += course;
        if (b.bearing > 360) b.bearing -= 360;
    }
    double a = 90.0 - b.bearing;
    if (a < 0) a = 450.0 - b.bearing;
    const double r = a * 0.017453292519943295;
    b.dx = static_cast<int16_t>(1000 * std::cos(r));
    b.dy = static_cast<int16_t>(-1000 * std::sin(r));
    return b;
}

void DfLine::Remember(const DfBearing& b, int32_t observerLon, int32_t observerLat, int course) {
    // The previous line of a moving observer is erased, unless every line stays.
    const bool previousLive = lon != 0 && lat != 0;
    if (previousLive && !keepAll && !drawn.empty() && !drawn.back().kept) drawn.pop_back();
    if (keepAll && !drawn.empty()) drawn.back().type = -1;
    if (observerLon != 0 && observerLat != 0) {
        drawn.push_back({observerLon, observerLat, b.dx, b.dy, b.quality, course <= 0 || keepAll, keepAll ? -2 : 0});
        if (drawn.size() > kMaxDrawn) drawn.erase(drawn.begin());
    }
    ++generation;
    if (lon == 0 || lat == 0) {
        lon = observerLon;
        lat = observerLat;
    }
    if (course <= 0) {
        lon = lat = 0;
        dx = dy = 0;
    } else {
        lon = observerLon;
        lat = observerLat;
        dx = b.dx;
        dy = b.dy;
    }
    bearing = b.bearing;
    quality = b.quality;
}

int DfPenWidth(int quality) {
    if (quality >= 4 && quality <= 6) return 2;
    if (quality >= 7 && quality <= 9) return 3;
    if (quality >= -2 && quality <= 9) return 1;
    return 0;
}

std::optional<DfBearing> DecodeDfLine(DfLine& line, std::string_view text, int32_t lon, int32_t lat, int course) {
    const auto b = ComputeDfBearing(text, course);
    if (b) line.Remember(*b, lon, lat, course);
    return b;
}

}  // namespace velmora
