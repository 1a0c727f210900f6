#include "weather/Wx200.h"

#include <cmath>

namespace velmora {
namespace {

int Bcd(uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); }
bool BcdOk(uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; }

struct GroupSize {
    uint8_t tag;
    size_t length;
};
constexpr GroupSize kGroups[] = {{0x8F, 35}, {0x9F, 34}, {0xAF, 31}, {0xBF, 14}, {0xCF, 27}};

size_t LengthOf(uint8_t tag) {
    for (const GroupSize& g : kGroups)
        if (g.tag == tag) return g.length;
    return 0;
}

// Tenths of a degree C: a BCD byte of tens and units and the low three bits
// of the next as hundreds; bit 3 of that byte is the sign.
int32_t TenthsF(const uint8_t* p) {
    const int tenthsC = Bcd(p[0]) + 100 * (p[1] & 0x07);
    return (p[1] & 0x08 ? -tenthsC : tenthsC) * 9 / 5 + 320;
}

constexpr double kInchesPerMm = 0.03937007874015748;
constexpr double kMphPerMetrePerSecond = 3600 * 0.0006213711922373339;

}  // namespace

WeatherReading Wx200::Empty() {
    WeatherReading r;
    r.outsideTenthsF = r.insideTenthsF = kNoTemperature;
    r.windMph = -1;
    return r;
}

bool Wx200::Group(const uint8_t* g, uint8_t tag) {
    WeatherReading& r = current_;
    switch (tag) {
        case 0x8F:
            if (!BcdOk(g[8]) || !BcdOk(g[20])) return false;
            r.insideHumidity = Bcd(g[8]);
            r.humidity = Bcd(g[20]);
            return true;
        case 0x9F:
            if (!BcdOk(g[1]) || !BcdOk(g[16])) return false;
            r.insideTenthsF = TenthsF(g + 1);
            r.outsideTenthsF = TenthsF(g + 16);
            return true;
        case 0xAF:
            if (!BcdOk(g[1]) || !BcdOk(g[2])) return false;
            r.pressureTenthsMbar = (Bcd(g[2]) * 100 + Bcd(g[1])) * 10 + offset_;
            return true;
        case 0xBF: {
            if (!BcdOk(g[5]) || !BcdOk(g[6])) return false;
            // The total in millimetres, kept as the counter in hundredths of an inch.
            const int mm = Bcd(g[5]) + 100 * Bcd(g[6]);
            r.rainCounter = static_cast<int32_t>(std::lround(mm * kInchesPerMm * 100));
            return true;
        }
        case 0xCF: {
            if (!BcdOk(g[1]) || !BcdOk(g[3])) return false;
            const int tenthsMs = (g[2] & 0x0F) * 100 + Bcd(g[1]);
            const int mph = static_cast<int>(tenthsMs * kMphPerMetrePerSecond * 0.1);
            if (mph >= 150) return false;
            r.windMph = mph;
            r.windDirection = Bcd(g[3]) * 10 + (g[2] >> 4);
            return true;
        }
        default: return false;
    }
}

std::optional<WeatherReading> Wx200::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (buffer_.size() >= kBuffer) buffer_.clear();
        buffer_.push_back(static_cast<uint8_t>(c));
    }
    if (buffer_.size() <= kScanAbove) return std::nullopt;
    bool any = false;
    size_t i = 0;
    while (i < buffer_.size()) {
        const size_t length = LengthOf(buffer_[i]);
        if (length == 0 || i + length > buffer_.size()) {
            ++i;  // not a tag, or a group cut short
            continue;
        }
        if (Group(buffer_.data() + i, buffer_[i])) any = true;
        i += length;
    }
    buffer_.clear();
    if (!any) return std::nullopt;
    return current_;
}

}  // namespace velmora
