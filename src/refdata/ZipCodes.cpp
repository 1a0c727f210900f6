#include "refdata/ZipCodes.h"

#include <cctype>
#include <cstdio>

#include "geo/Gridsquare.h"
#include "geo/Position.h"

namespace velmora {
namespace {

int32_t I32(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return static_cast<int32_t>(v);
}

std::string DmsText(const char* axis, const DegreesMinutesSeconds& d) {
    char t[32];
    std::snprintf(t, sizeof t, "%s %3d %02d' %02d\"%c", axis, d.degrees, d.minutes, d.seconds, d.hemisphere);
    return t;
}

// Up to seven digits after leading blanks; nothing without a digit.
std::optional<long> ZipNumber(std::string_view text, std::string* digits = nullptr) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    long n = 0;
    size_t count = 0;
    for (; i < text.size() && count < 7 && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++count) {
        n = n * 10 + (text[i] - '0');
        if (digits) *digits += text[i];
    }
    if (count == 0) return std::nullopt;
    return n;
}

}  // namespace

void ZipTable::Load(std::string_view bytes) {
    records_.clear();
    records_.reserve(bytes.size() / 8);
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        const int64_t lon = int64_t(I32(bytes, at)) * 10, lat = int64_t(I32(bytes, at + 4)) * 10;
        // A value that cannot be a position is an unused code.
        const bool sane = lon > 0 && lon < 129600000 && lat > 0 && lat < 64800000;
        records_.emplace_back(sane ? int32_t(lon) : 0, sane ? int32_t(lat) : 0);
    }
    loaded_ = true;
}

ZipStatus ZipTable::Lookup(std::string_view text, ZipPosition& out) const {
    if (!loaded_) return ZipStatus::kNotLoaded;
    const auto n = ZipNumber(text);
    if (!n || *n <= 400 || *n >= 100000) return ZipStatus::kInvalid;
    if (size_t(*n) >= records_.size()) return ZipStatus::kInvalid;
    const auto [lon, lat] = records_[size_t(*n)];
    if (lon == 0 || lat == 0) return ZipStatus::kUnused;
    out = {lon, lat, int(*n)};
    return ZipStatus::kFound;
}

std::string ZipTable::DialogText(std::string_view text) const {
    if (!loaded_) return "Zip Code Data Base not loaded";
    const auto n = ZipNumber(text);
    if (!n || *n < 0 || *n > 99999 || size_t(*n) >= records_.size()) return "Invalid Zip Code, Out of Range";
    const auto [lon, lat] = records_[size_t(*n)];
    if (lon == 0 || lat == 0) return "Unused Zip Code";
    return DmsText("Lat", LatToDms(lat)) + "  " + DmsText("Lon", LonToDms(lon));
}

std::vector<std::string> ZipLines(std::string_view given, const ZipPosition& p) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05d", p.code);
    return {std::string(given), DmsText("Lat", LatToDms(p.lat)), DmsText("Lon", LonToDms(p.lon)), "",
            PositionToLocator(p.lon, p.lat), digits};
}

}  // namespace velmora
